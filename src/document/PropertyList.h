// The property list of a label object: lines "key=value". The key is
// everything before the first "=", the value everything after it; keys match
// case-insensitively. It is also the object's serialised form, so lines whose
// key no class knows are kept in their place.
#pragma once

#include <QString>
#include <QStringList>

class TPropertyList {
public:
    QStringList Lines;

    int Count() const { return int(Lines.size()); }
    void Clear() { Lines.clear(); }
    void Append(const QString& line) { Lines.append(line); }

    // Position of the first line whose key equals key (any case); -1 when absent.
    int IndexOfName(QStringView key) const;
    bool Has(QStringView key) const { return IndexOfName(key) >= 0; }
    // Value of the first line with that key; empty when absent.
    QString Value(QStringView key) const;
    // Replaces the line of that key by "key=value" in place (the key spelled as
    // given), or appends it when absent; an empty value deletes the line.
    // Later lines of the same key are deleted.
    void SetValue(const QString& key, const QString& value);
    // Deletes the first line with that key.
    void Remove(QStringView key);
};
