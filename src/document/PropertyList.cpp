#include "document/PropertyList.h"

namespace {

// True when line starts with key (any case) followed by "=". The key holds no
// "=", so this is the line whose text before its first "=" equals key.
bool LineHasKey(const QString& line, QStringView key)
{
    const qsizetype k = key.size();
    return line.size() > k && line.at(k) == QLatin1Char('=') &&
           QStringView(line).left(k).compare(key, Qt::CaseInsensitive) == 0;
}

}  // namespace

int TPropertyList::IndexOfName(QStringView key) const
{
    if (key.isEmpty() || key.contains(QLatin1Char('=')))
        return -1;
    for (qsizetype i = 0; i < Lines.size(); ++i)
        if (LineHasKey(Lines.at(i), key))
            return int(i);
    return -1;
}

QString TPropertyList::Value(QStringView key) const
{
    const int i = IndexOfName(key);
    return i < 0 ? QString() : Lines.at(i).mid(key.size() + 1);
}

void TPropertyList::SetValue(const QString& key, const QString& value)
{
    const int i = IndexOfName(key);
    if (value.isEmpty()) {
        if (i >= 0)
            Lines.removeAt(i);
        return;
    }
    QString line = key + QLatin1Char('=') + value;
    if (i >= 0)
        Lines[i] = std::move(line);
    else
        Lines.append(std::move(line));
}

void TPropertyList::Remove(QStringView key)
{
    const int i = IndexOfName(key);
    if (i >= 0)
        Lines.removeAt(i);
}
