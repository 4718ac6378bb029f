#include "cli/CliFiles.h"

#include "engine/LabelDocument.h"
#include "document/LabelFile.h"
#include "document/OutputFile.h"
#include "engine/history/PrintRecord.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocale>

#include <algorithm>
#include <cmath>
#include <iterator>
#include <exception>

namespace cli {

namespace {

QString Folded(QString name)
{
    name.remove(QLatin1Char(' ')).remove(QLatin1Char('-')).remove(QLatin1Char('_'));
    return name.toLower();
}

}  // namespace

void RequireFile(const QString& path)
{
    if (!QFileInfo(path).isFile())
        throw Failure(path, QFileInfo::exists(path) ? QStringLiteral("not a file") : QStringLiteral("no such file"));
}

void OpenLabel(TLabelDocument& document, const QString& path)
{
    RequireFile(path);
    try {
        document.Open(path);
    } catch (const std::exception& e) {
        throw Failure(path, QString::fromUtf8(e.what()));
    }
}

void RequireDistinctOutput(const QString& output, const QStringList& inputs)
{
    if (output == QLatin1String("-"))
        return;
    const QString target = QFileInfo(output).canonicalFilePath();
    if (target.isEmpty())  // nothing there yet: not an input
        return;
    for (const QString& input : inputs) {
        if (input != QLatin1String("-") && QFileInfo(input).canonicalFilePath() == target)
            throw UsageError(
                QStringLiteral("the output '%1' is the input '%2'; it would be overwritten").arg(output, input));
    }
}

void WriteOutput(const QString& path, const QByteArray& bytes)
{
    if (path == QLatin1String("-")) {
        WriteOut(bytes);
        return;
    }
    try {
        WriteWholeFile(path, bytes);
    } catch (const EOutputFileError& e) {
        throw WriteFailure(e);
    }
}

void SaveLabel(TLabelDocument& document, const QString& path)
{
    try {
        document.Save(path);
    } catch (const ELabelFileError& e) {
        if (!e.Reason.isEmpty())
            throw Failure(path, QStringLiteral("cannot write: ") + e.Reason);
        throw Failure(path, QString::fromUtf8(e.what()));
    } catch (const std::exception& e) {
        throw Failure(path, QString::fromUtf8(e.what()));
    }
}

Failure WriteFailure(const EOutputFileError& error)
{
    return Failure(error.Path, QStringLiteral("cannot write: ") + error.Reason);
}

QString OutputFormat(const QString& output, const QString& formatOption, const QStringList& allowed)
{
    QString format = formatOption.toLower();
    if (format.isEmpty()) {
        if (output == QLatin1String("-"))
            throw UsageError(QStringLiteral("-o - needs --format %1").arg(allowed.join(QLatin1Char('|'))));
        format = QFileInfo(output).suffix().toLower();
        if (!allowed.contains(format))
            throw UsageError(
                QStringLiteral("the output file must end in .%1 or .%2, not '%3'")
                    .arg(allowed.mid(0, allowed.size() - 1).join(QStringLiteral(", .")), allowed.last(), output));
    } else if (!allowed.contains(format)) {
        throw UsageError(
            QStringLiteral("--format takes %1, not '%2'").arg(allowed.join(QLatin1Char('|')), formatOption));
    }
    return format;
}

QString DataInput(const QString& path, const QString& format, const QTemporaryDir& dir)
{
    if (path != QLatin1String("-")) {
        if (!format.isEmpty())
            throw UsageError(QStringLiteral("--data-format is for data read from standard input (-)"));
        RequireFile(path);
        return path;
    }
    const QString f = format.toLower();
    if (f != QLatin1String("csv") && f != QLatin1String("txt"))
        throw UsageError(QStringLiteral("data from standard input needs --data-format csv|txt"));
    QFile in;
    if (!in.open(stdin, QIODevice::ReadOnly))
        throw Failure(QStringLiteral("standard input"), in.errorString());
    const QString copy = dir.filePath(QStringLiteral("stdin.") + f);
    try {
        WriteWholeFile(copy, in.readAll());
    } catch (const EOutputFileError& e) {
        throw Failure(QStringLiteral("standard input"), QStringLiteral("cannot keep a copy: ") + e.Reason);
    }
    return copy;
}

TSymbolOptions SymbolOptionsValue(const QString& value, TBarcodeType type)
{
    // Data Matrix sizes in the library's order: 24 square, then 6 rectangular.
    static const char* const kMatrixSizes[] = {
        "10x10", "12x12", "14x14", "16x16", "18x18", "20x20", "22x22", "24x24", "26x26", "32x32",
        "36x36", "40x40", "44x44", "48x48", "52x52", "64x64", "72x72", "80x80", "88x88", "96x96",
        "104x104", "120x120", "132x132", "144x144", "8x18", "8x32", "12x26", "12x36", "16x36", "16x48"};
    const TSymbologyInfo& info = SymbologyTable[size_t(type)];
    TSymbolOptions o;
    for (const QString& pair : value.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
        const QString key = pair.section(QLatin1Char('='), 0, 0).trimmed().toLower();
        const QString v = pair.section(QLatin1Char('='), 1).trimmed();
        auto refuse = [&](const QString& why) {
            return UsageError(QStringLiteral("--option %1: %2").arg(pair.trimmed(), why));
        };
        auto number = [&](int low, int high) {
            bool ok = false;
            const int n = v.toInt(&ok);
            if (!ok || n < low || n > high)
                throw refuse(QStringLiteral("takes a number from %1 to %2").arg(low).arg(high));
            return n;
        };
        if (key == QLatin1String("ecc")) {
            if (!info.hasEcc)
                throw refuse(QStringLiteral("%1 has no error correction setting").arg(QLatin1String(info.name)));
            const int letter = QStringLiteral("LMQH").indexOf(v.toUpper());
            o.Ecc = v.size() == 1 && letter >= 0 && (type == bcQRCode || type == bcMicroQR) ? letter + 1
                                                                                           : number(1, 9);
        } else if (key == QLatin1String("size")) {
            if (!info.hasSize)
                throw refuse(QStringLiteral("%1 has no size setting").arg(QLatin1String(info.name)));
            const int named = type == bcDataMatrix || type == bcGS1DataMatrix
                                  ? int(std::find_if(std::begin(kMatrixSizes), std::end(kMatrixSizes),
                                                     [&](const char* s) { return v.compare(QLatin1String(s), Qt::CaseInsensitive) == 0; }) -
                                        std::begin(kMatrixSizes))
                                  : 30;
            if (named < 30)
                o.Size = named + 1;
            else if (v.compare(QLatin1String("rectangular"), Qt::CaseInsensitive) == 0 && type == bcDataMatrix)
                o.Size = -1;
            else
                o.Size = number(1, type == bcQRCode ? 40 : type == bcMicroQR ? 4 : type == bcAztec ? 36 : 30);
        } else if (key == QLatin1String("columns")) {
            if (!info.hasColumns)
                throw refuse(QStringLiteral("%1 has no columns setting").arg(QLatin1String(info.name)));
            o.Columns = number(1, type == bcMicroPDF417 ? 4 : type == bcDataBarExpandedStacked ? 11 : 30);
        } else if (key == QLatin1String("gs1")) {
            if (!info.hasGs1Option)
                throw refuse(QStringLiteral("%1 has no GS1 mode setting").arg(QLatin1String(info.name)));
            const int on = QStringList{"off", "on", "no", "yes", "0", "1"}.indexOf(v.toLower());
            if (on < 0)
                throw refuse(QStringLiteral("takes on or off"));
            o.Gs1 = on % 2 == 1;
        } else {
            throw refuse(QStringLiteral("unknown setting (ecc, size, columns or gs1)"));
        }
    }
    return o;
}

void CheckImported(const TDone& imported, const QString& dataName)
{
    if (imported)
        return;
    throw Failure(dataName, imported.Message().isEmpty()
                                ? QStringLiteral("nothing to import (unknown file type or no table)")
                                : imported.Message());
}

bool HasTables(const QString& path)
{
    static const QStringList withTables = {"xls", "xlsx", "ods", "mdb", "accdb"};
    return path != QLatin1String("-") && withTables.contains(QFileInfo(path).suffix().toLower());
}

int IntValue(const char* option, const QString& value, int lo, int hi)
{
    bool ok = false;
    const int v = QLocale::c().toInt(value.trimmed(), &ok);
    if (!ok || v < lo || v > hi)
        throw UsageError(QStringLiteral("--%1 takes a whole number from %2 to %3, not '%4'")
                             .arg(QLatin1String(option))
                             .arg(lo)
                             .arg(hi)
                             .arg(value));
    return v;
}

double RealValue(const char* option, const QString& value)
{
    bool ok = false;
    const double v = QLocale::c().toDouble(value.trimmed(), &ok);
    if (!ok || !std::isfinite(v))
        throw UsageError(QStringLiteral("--%1 takes a number such as 2.5, not '%2'").arg(QLatin1String(option), value));
    return v;
}

TBarcodeType BarcodeTypeValue(const QString& value)
{
    TBarcodeType type;
    if (ParseBarcodeType(value, type))
        return type;
    const QString folded = Folded(value);
    if (!folded.isEmpty()) {
        for (const TSymbologyInfo& info : SymbologyTable) {
            if (folded == Folded(QLatin1String(info.name)) || folded == Folded(QLatin1String(info.enumName)))
                return info.type;
        }
        for (const TSymbologyInfo& info : SymbologyTable) {
            for (const QString& alias : BarcodeTypeAliases(info.type)) {
                if (folded == Folded(alias))
                    return info.type;
            }
        }
    }
    throw UsageError(QStringLiteral("unknown barcode type '%1' (tagmora-cli types lists them)").arg(value));
}

QStringList BarcodeTypeAliases(TBarcodeType type)
{
    return QString::fromLatin1(SymbologyTable[size_t(type)].aliases).split(QLatin1Char(' '), Qt::SkipEmptyParts);
}

}  // namespace cli

QString cli::HistoryLocation(const TArguments& args)
{
    if (args.IsSet("no-history")) {
        if (args.IsSet("history"))
            throw UsageError(QStringLiteral("give either --history or --no-history"));
        return QString();
    }
    if (!args.IsSet("history"))
        return THistoryStore::ChosenLocation();
    if (args.Value("history").isEmpty())
        throw UsageError(QStringLiteral("--history needs an SQLite file or a postgresql:// URL"));
    return args.Value("history");
}

int64_t cli::RecordInHistory(const QString& location, THistoryRun run, const THistoryCapture& capture)
{
    QString warning;
    const int64_t id = RecordRun(location, run, capture, warning);
    if (id == 0)
        Report(QStringLiteral("warning: the run was not recorded: %1").arg(warning));
    return id;
}

namespace {

volatile std::sig_atomic_t gStopRequested = 0;

extern "C" void AskToStop(int)
{
    gStopRequested = 1;
}

}  // namespace

cli::TStopSignals::TStopSignals()
{
    struct sigaction stop {};
    stop.sa_handler = AskToStop;
    sigemptyset(&stop.sa_mask);
    gStopRequested = 0;
    sigaction(SIGTERM, &stop, &FOldTerm);
    sigaction(SIGINT, &stop, &FOldInt);
}

cli::TStopSignals::~TStopSignals()
{
    sigaction(SIGTERM, &FOldTerm, nullptr);
    sigaction(SIGINT, &FOldInt, nullptr);
}

bool cli::TStopSignals::Requested()
{
    return gStopRequested != 0;
}
