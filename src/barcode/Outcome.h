// The answer of an operation that may refuse its input for a reason the user
// should read (a code that does not encode, a picture that does not decode, a
// value a data row cannot give): the value it made, or the message that says
// why there is none. Failures a caller cannot go on from are exceptions of our
// own classes instead; this is for refusals that are part of normal use.
#pragma once

#include <QString>

#include <utility>

// Why an operation refused; converts to any TOutcome.
struct TRefusal {
    QString Message;
};

inline TRefusal Refuse(const QString& message)
{
    return TRefusal{message};
}

template <class T>
class [[nodiscard]] TOutcome {
public:
    TOutcome(T value) : FValue(std::move(value)), FOk(true) {}
    TOutcome(TRefusal refusal) : FValue(), FMessage(std::move(refusal.Message)), FOk(false) {}

    bool Ok() const { return FOk; }
    explicit operator bool() const { return FOk; }
    // The value made; a default value when refused.
    const T& Value() const& { return FValue; }
    T&& Value() && { return std::move(FValue); }
    // Why it was refused (empty when it was not).
    const QString& Message() const { return FMessage; }

private:
    T FValue;
    QString FMessage;
    bool FOk;
};

// Only whether it was done; callers that show a refusal some other way may
// let this one go.
template <>
class TOutcome<void> {
public:
    TOutcome() = default;
    TOutcome(TRefusal refusal) : FMessage(std::move(refusal.Message)), FOk(false) {}

    bool Ok() const { return FOk; }
    explicit operator bool() const { return FOk; }
    const QString& Message() const { return FMessage; }

private:
    QString FMessage;
    bool FOk = true;
};

using TDone = TOutcome<void>;
