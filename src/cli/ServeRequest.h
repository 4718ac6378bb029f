// The parts of the print service that need no label engine: the bearer token
// check, label names that stay inside the labels folder, and the data rows of
// a request (JSON or CSV) as one table written back as CSV for the datasheet.
#pragma once

#include <QByteArray>
#include <QJsonArray>
#include <QString>
#include <QStringList>

#include <vector>

namespace serve {

// True when the two are the same bytes; the time taken depends on the
// length of the expected value only, not on where they first differ.
bool SameSecret(const QByteArray& given, const QByteArray& expected);

// A label name resolved against the labels folder.
struct TLabelPath {
    int Status = 200;  // 200, or 400 (not a plain .blf name) / 404 (no such label)
    QString Error;
    QString Path;      // the canonical path of the file
};
// name must be a .blf file directly inside folder: no folders, no "..", not
// absolute, and no link that leads out of the folder.
TLabelPath ResolveLabel(const QString& folder, const QString& name);
// The .blf files directly inside folder whose canonical path stays inside it.
QStringList LabelNames(const QString& folder);

// Data rows: the column names, then one list of values per row.
struct TTable {
    QStringList Columns;
    std::vector<QStringList> Rows;
};
// The rows of a JSON array of objects {"Column": "value", ...}; the columns
// in the order they first appear. Numbers and booleans become text. false
// with error set for anything else.
bool TableFromJson(const QJsonArray& rows, TTable& table, QString& error);
// RFC 4180 CSV (LF or CR LF lines) with the column names on the first line;
// every row must have as many fields as there are names.
bool TableFromCsv(const QByteArray& csv, TTable& table, QString& error);
// The table as RFC 4180 CSV with CR LF lines, the column names first.
QByteArray TableCsv(const TTable& table);

}  // namespace serve
