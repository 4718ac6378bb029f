#include "cli/ServeRequest.h"

#include <QDir>
#include <QFileInfo>
#include <QJsonObject>
#include <QJsonValue>

#include <algorithm>

bool serve::SameSecret(const QByteArray& given, const QByteArray& expected)
{
    // Every byte of the expected value is compared, whatever the given one
    // holds, so the time tells nothing about a matching prefix.
    unsigned char diff = given.size() == expected.size() ? 0 : 1;
    for (qsizetype i = 0; i < expected.size(); ++i) {
        const unsigned char g = i < given.size() ? static_cast<unsigned char>(given[i]) : 0;
        diff |= g ^ static_cast<unsigned char>(expected[i]);
    }
    return diff == 0;
}

serve::TLabelPath serve::ResolveLabel(const QString& folder, const QString& name)
{
    TLabelPath result;
    auto refuse = [&result](int status, const QString& error) {
        result.Status = status;
        result.Error = error;
        return result;
    };
    if (name.isEmpty())
        return refuse(400, QStringLiteral("no label named"));
    if (name.contains(QLatin1Char('/')) || name.contains(QLatin1Char('\\')) || name.contains(QLatin1Char('\0')) ||
        name == QLatin1String("..") || name.startsWith(QLatin1Char('.')))
        return refuse(400, QStringLiteral("'%1' is not the name of a label file in the labels folder").arg(name));
    if (!name.endsWith(QLatin1String(".blf"), Qt::CaseInsensitive))
        return refuse(400, QStringLiteral("'%1' is not a label file (.blf)").arg(name));
    const QString root = QFileInfo(folder).canonicalFilePath();
    const QFileInfo file(QDir(folder).filePath(name));
    const QString canonical = file.canonicalFilePath();
    if (root.isEmpty() || canonical.isEmpty() || !QFileInfo(canonical).isFile() ||
        QFileInfo(canonical).absolutePath() != root)
        return refuse(404, QStringLiteral("no label '%1'").arg(name));
    result.Path = canonical;
    return result;
}

QStringList serve::LabelNames(const QString& folder)
{
    QStringList names;
    const QStringList all = QDir(folder).entryList({QStringLiteral("*.blf")}, QDir::Files, QDir::Name);
    for (const QString& name : all)
        if (ResolveLabel(folder, name).Status == 200)
            names << name;
    return names;
}

bool serve::TableFromJson(const QJsonArray& rows, TTable& table, QString& error)
{
    table = TTable();
    for (qsizetype r = 0; r < rows.size(); ++r) {
        if (!rows.at(r).isObject()) {
            error = QStringLiteral("row %1 is not an object of column names and values").arg(r + 1);
            return false;
        }
        const QJsonObject row = rows.at(r).toObject();
        QStringList values(table.Columns.size());
        for (auto it = row.begin(); it != row.end(); ++it) {
            QString text;
            if (it->isString())
                text = it->toString();
            else if (it->isDouble())
                text = QString::number(it->toDouble(), 'g', 17);
            else if (it->isBool())
                text = it->toBool() ? QStringLiteral("true") : QStringLiteral("false");
            else if (!it->isNull()) {
                error = QStringLiteral("row %1: the value of '%2' is not text or a number").arg(r + 1).arg(it.key());
                return false;
            }
            qsizetype col = table.Columns.indexOf(it.key());
            if (col < 0) {
                table.Columns << it.key();
                values << QString();
                for (QStringList& earlier : table.Rows)
                    earlier << QString();
                col = table.Columns.size() - 1;
            }
            values[col] = text;
        }
        table.Rows.push_back(values);
    }
    return true;
}

bool serve::TableFromCsv(const QByteArray& csv, TTable& table, QString& error)
{
    table = TTable();
    const QString text = QString::fromUtf8(csv);
    std::vector<QStringList> records;
    QStringList record;
    QString field;
    bool quoted = false, wasQuoted = false, atStart = true;
    int line = 1;
    auto endField = [&] {
        record << field;
        field.clear();
        wasQuoted = false;
        atStart = true;
    };
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (quoted) {
            if (c == QLatin1Char('"')) {
                if (i + 1 < text.size() && text.at(i + 1) == QLatin1Char('"')) {
                    field += c;
                    ++i;
                } else {
                    quoted = false;
                    wasQuoted = true;
                }
            } else {
                if (c == QLatin1Char('\n'))
                    ++line;
                field += c;
            }
            continue;
        }
        if (c == QLatin1Char(',')) {
            endField();
        } else if (c == QLatin1Char('\r') || c == QLatin1Char('\n')) {
            if (c == QLatin1Char('\r') && i + 1 < text.size() && text.at(i + 1) == QLatin1Char('\n'))
                ++i;
            endField();
            records.push_back(record);
            record.clear();
            ++line;
        } else if (c == QLatin1Char('"') && atStart) {
            quoted = true;
            atStart = false;
        } else if (c == QLatin1Char('"') || wasQuoted) {
            error = QStringLiteral("CSV line %1: a quote inside a field that is not quoted, or text after a "
                                   "closing quote")
                        .arg(line);
            return false;
        } else {
            field += c;
            atStart = false;
        }
    }
    if (quoted) {
        error = QStringLiteral("CSV: a quoted field is not closed");
        return false;
    }
    if (!atStart || !field.isEmpty() || !record.isEmpty()) {
        endField();
        records.push_back(record);
    }
    // Blank lines carry no row.
    records.erase(std::remove_if(records.begin(), records.end(),
                                 [](const QStringList& r) { return r.size() == 1 && r.front().isEmpty(); }),
                  records.end());
    if (records.empty()) {
        error = QStringLiteral("CSV: no column names");
        return false;
    }
    table.Columns = records.front();
    for (size_t r = 1; r < records.size(); ++r) {
        if (records[r].size() != table.Columns.size()) {
            error = QStringLiteral("CSV row %1 has %2 fields, the header %3")
                        .arg(r)
                        .arg(records[r].size())
                        .arg(table.Columns.size());
            return false;
        }
        table.Rows.push_back(records[r]);
    }
    return true;
}

QByteArray serve::TableCsv(const TTable& table)
{
    QByteArray out;
    auto line = [&out](const QStringList& fields) {
        for (qsizetype i = 0; i < fields.size(); ++i) {
            if (i > 0)
                out += ',';
            QString f = fields.at(i);
            f.replace(QLatin1Char('"'), QLatin1String("\"\""));
            out += '"' + f.toUtf8() + '"';
        }
        out += "\r\n";
    };
    line(table.Columns);
    for (const QStringList& row : table.Rows)
        line(row);
    return out;
}
