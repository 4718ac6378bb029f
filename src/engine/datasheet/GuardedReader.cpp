#include "engine/datasheet/GuardedReader.h"

#ifdef TAGMORA_GUARDED_READER

#include "engine/datasheet/ImportSupport.h"

TGuardedReader::TGuardedReader(const std::function<void(TFrameWriter&)>& childMain, int stallTimeoutMs)
{
    TGuardedLimits limits;
    limits.StallTimeoutMs = stallTimeoutMs;
    limits.ExtraAddressSpace = qint64(1) << 30;
    limits.CpuSeconds = kCpuSeconds;
    try {
        FChild = std::make_unique<TGuardedChild>(
            [&childMain](TFrameWriter& out) {
                TCNumericLocaleScope cLocale;
                childMain(out);
            },
            limits);
    } catch (const EGuardedChild&) {
        ThrowImportError(QStringLiteral("Cannot start reading the file."));
    }
}

TGuardedReader::~TGuardedReader() = default;

bool TGuardedReader::Next(char& kind, QByteArray& payload)
{
    try {
        return FChild->Next(kind, payload);
    } catch (const EGuardedChild&) {
        throw EImportError(QString());
    }
}

bool TGuardedReader::Damaged()
{
    try {
        FChild->Damaged();
    } catch (const EGuardedChild&) {
    }
    throw EImportError(QString());
}

#endif  // TAGMORA_GUARDED_READER
