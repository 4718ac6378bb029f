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
    if (i < 0) {
        if (!value.isEmpty())
            Lines.append(key + QLatin1Char('=') + value);
        return;
    }
    // Later lines of the same key (a file made elsewhere may hold them) are
    // never read: they go too, so that writing twice writes the same.
    for (qsizetype k = Lines.size() - 1; k > i; --k)
        if (LineHasKey(Lines.at(k), key))
            Lines.removeAt(k);
    if (value.isEmpty())
        Lines.removeAt(i);
    else
        Lines[i] = key + QLatin1Char('=') + value;
}

void TPropertyList::Remove(QStringView key)
{
    const int i = IndexOfName(key);
    if (i >= 0)
        Lines.removeAt(i);
}
