#include "cli/Cli.h"

#include "cli/CliCommands.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <exception>

namespace cli {

namespace {

constexpr int kHelpWidth = 80;
constexpr int kOptionColumn = 28;

const char* gCommandName = nullptr;  // the command running now

const TOption kHelpOption{"h", "help", nullptr, "show this help and exit"};
const TOption kVersionOption{"V", "version", nullptr, "show the version and exit"};

QString VersionText()
{
    return QStringLiteral("Tagmora " TAGMORA_VERSION);
}

const char* const kExitCodes = "Exit status: 0 success, 1 failure (the message names the file), 2 wrong arguments.";

QString OptionNames(const TOption& o)
{
    QString names = o.shortName ? QStringLiteral("-%1, ").arg(QLatin1String(o.shortName)) : QStringLiteral("    ");
    names += QStringLiteral("--") + QLatin1String(o.longName);
    if (o.valueName)
        names += QLatin1Char('=') + QLatin1String(o.valueName);
    return names;
}

// One option per line: its names, then its explanation in a column.
QString OptionLine(const TOption& o)
{
    const QString names = QStringLiteral("  ") + OptionNames(o);
    const QString help = QString::fromUtf8(o.help);
    if (names.size() + 2 <= kOptionColumn)
        return names.leftJustified(kOptionColumn) + Wrap(help, kHelpWidth, kOptionColumn, kOptionColumn) +
               QLatin1Char('\n');
    return names + QLatin1Char('\n') + QString(kOptionColumn, QLatin1Char(' ')) +
           Wrap(help, kHelpWidth, kOptionColumn, kOptionColumn) + QLatin1Char('\n');
}

QString CommandHelp(const Command& c)
{
    QString text = QStringLiteral("Usage: tagmora-cli %1 [OPTIONS]").arg(QLatin1String(c.name));
    if (*c.operands)
        text += QLatin1Char(' ') + QLatin1String(c.operands);
    text += QStringLiteral("\n\n") + Wrap(QString::fromUtf8(c.summary), kHelpWidth, 0, 0) +
            QStringLiteral("\n\nOptions:\n");
    for (const TOption& o : *c.options)
        text += OptionLine(o);
    text += OptionLine(kHelpOption) + OptionLine(kVersionOption);
    text += QLatin1Char('\n') + Wrap(QLatin1String(kExitCodes), kHelpWidth, 0, 0) + QLatin1Char('\n');
    return text;
}

QString HelpText()
{
    QString text = VersionText() + QStringLiteral(
                                       " - command-line tool\n\n"
                                       "Usage: tagmora-cli COMMAND [OPTIONS] [ARGUMENTS]\n"
                                       "       tagmora-cli COMMAND --help\n"
                                       "       tagmora-cli --help | --version\n\n"
                                       "Commands:\n");
    for (const Command& c : Commands()) {
        QString summary = QString::fromUtf8(c.summary);
        const qsizetype end = summary.indexOf(QLatin1String(". "));
        if (end >= 0)
            summary.truncate(end + 1);  // the first sentence
        const QString name = QStringLiteral("  ") + QLatin1String(c.name);
        // A name longer than the column is followed by two blanks.
        const QString lead = name.size() + 2 <= 14 ? name.leftJustified(14) : name + QStringLiteral("  ");
        text += lead + Wrap(summary, kHelpWidth, 14, int(lead.size())) + QLatin1Char('\n');
    }
    text += QStringLiteral(
                "\nOptions can be written --opt=value or --opt value; \"--\" ends them. A file named\n"
                "\"-\" is standard input (--data) or standard output (-o).\n\n"
                "Environment:\n"
                "  TAGMORA_PRINTERS=\"Name[@DPI[xDPI]][*];...\"\n") +
            QStringLiteral("      ") +
            Wrap(QStringLiteral("use these printers instead of the installed ones (* marks the default; an empty "
                                "value means no printer)"),
                 kHelpWidth, 6, 6) +
            QStringLiteral("\n\n") + Wrap(QLatin1String(kExitCodes), kHelpWidth, 0, 0) + QLatin1Char('\n');
    return text;
}

const TOption* FindOption(const TOptions& options, QStringView name, bool isLong)
{
    auto matches = [&](const TOption& o) {
        const char* n = isLong ? o.longName : o.shortName;
        return n && name == QLatin1String(n);
    };
    for (const TOption& o : options) {
        if (matches(o))
            return &o;
    }
    for (const TOption* o : {&kHelpOption, &kVersionOption}) {
        if (matches(*o))
            return o;
    }
    return nullptr;
}

int Usage(const Command& c, const QString& message)
{
    WriteErr(QStringLiteral("tagmora-cli %1: %2 (try 'tagmora-cli %1 --help')").arg(QLatin1String(c.name), message));
    return ExitUsage;
}

}  // namespace

QString TArguments::Value(const char* longName, const QString& fallback) const
{
    return FValues.value(QLatin1String(longName), fallback);
}

TArguments ParseArguments(const TOptions& options, const QStringList& args)
{
    TArguments parsed;
    for (int i = 0; i < args.size(); ++i) {
        const QString& arg = args.at(i);
        if (arg == QLatin1String("--")) {
            parsed.Positional += args.mid(i + 1);
            break;
        }
        if (!arg.startsWith(QLatin1Char('-')) || arg.size() == 1) {  // "-" is a file: standard input or output
            parsed.Positional << arg;
            continue;
        }
        const bool isLong = arg.startsWith(QLatin1String("--"));
        QString name, value;
        bool inlineValue = false;
        if (isLong) {
            const qsizetype eq = arg.indexOf(QLatin1Char('='));
            name = arg.mid(2, eq < 0 ? -1 : eq - 2);
            if (eq >= 0) {
                value = arg.mid(eq + 1);
                inlineValue = true;
            }
        } else {
            name = arg.mid(1, 1);
            if (arg.size() > 2) {
                value = arg.mid(2);
                inlineValue = true;
            }
        }
        const TOption* option = FindOption(options, name, isLong);
        if (!option || (!isLong && inlineValue && !option->valueName))
            throw UsageError(QStringLiteral("unknown option '%1'").arg(arg));
        const QString shown = (isLong ? QStringLiteral("--") : QStringLiteral("-")) + name;
        if (!option->valueName) {
            if (inlineValue)
                throw UsageError(QStringLiteral("%1 takes no value").arg(shown));
        } else if (!inlineValue) {
            // The next argument is the value, whatever it looks like: --text --help encodes "--help".
            if (i + 1 >= args.size())
                throw UsageError(QStringLiteral("%1 needs a value (%2)").arg(shown, QLatin1String(option->valueName)));
            value = args.at(++i);
        }
        parsed.FValues.insert(QLatin1String(option->longName), value);
    }
    return parsed;
}

const std::vector<Command>& Commands()
{
    static const std::vector<Command> table = {
        {"plan", "FILE.blf", "Write the plan text of a label file (CR LF lines) to standard output or a file.",
         &PlanOptions(), CmdPlan},
        {"convert", "IN.blf OUT.blf", "Open a label file and save it as another label file.", &ConvertOptions(),
         CmdConvert},
        {"datasheet", "FILE.blf",
         "Write the datasheet of a label file as its stream, or as CSV with the column names as header.",
         &DatasheetOptions(), CmdDatasheet},
        {"import", "FILE.blf DATA",
         "Import DATA (.txt, .csv, .xls, .xlsx, .ods, .mdb; \"-\" reads standard input) into the label's datasheet "
         "as \"Import Data ...\" does and save the result as a new label file.",
         &ImportOptions(), CmdImport},
        {"print", "FILE.blf",
         "Print the label's sheets into a PDF file or onto a printer, as the Print command does. The numbers of "
         "labels and pages go to standard error. Before the run every column a label object is bound to must exist "
         "in the data.",
         &PrintOptions(), CmdPrint},
        {"barcode", "",
         "Print the module pattern of a barcode and, on a second line, its human-readable text; or draw it with a "
         "quiet zone of ten modules into a PNG (white background) or SVG file.",
         &BarcodeOptions(), CmdBarcode},
        {"render", "FILE.blf",
         "Paint the label as the printer would: a PNG on white, or SVG or PDF vectors (the PDF page is the label's "
         "size).",
         &RenderOptions(), CmdRender},
        {"validate", "TEXT...",
         "Check whether texts can be encoded in a symbology: one line 'valid' or 'invalid' each; exit status 1 when "
         "any is invalid. Texts that start with \"-\" go after \"--\".",
         &ValidateOptions(), CmdValidate},
        {"types", "", "List the barcode types: number, name and the other names --type accepts.", &TypesOptions(),
         CmdTypes},
        {"templates", "[SEARCH]",
         "List the label products (sheets of labels by maker and part number) whose brand, part or description "
         "hold every word of SEARCH: size of one label, labels across and down, and the paper. Read from the "
         "glabels-data product database and ~/.config/Tavix/templates.",
         &TemplatesOptions(), CmdTemplates},
        {"calibration-sheet", "",
         "Write the calibration sheet as a PDF page: crosshairs and millimetre rulers to print on a printer and "
         "measure how it moves and scales the sheet (Options, Printers in the desktop program takes the "
         "measurements).",
         &CalibrationOptions(), CmdCalibration},
        {"history", "",
         "List the recorded print runs, newest first: when, who, which label and labels, pages, copies, printer or "
         "output file, and how the run ended. Every print and reprint is recorded unless --no-history is given.",
         &HistoryOptions(), CmdHistory},
        {"reprint", "RUN",
         "Print a recorded run again, all of it or some of its labels, from the label and the data rows it printed "
         "(not the files as they are now); the reprint is recorded as one of that run.",
         &ReprintOptions(), CmdReprint},
        {"watch", "DIR",
         "A hot folder: print every data file (.csv, .txt) that appears in DIR on the label, once it is complete, "
         "and move it into DIR/done or DIR/failed with the run's log beside it (NAME.csv.log); each run is "
         "recorded in the print history. SIGTERM or SIGINT ends the watch after the file in hand.",
         &WatchOptions(), CmdWatch},
        {"serve", "",
         "A print service over HTTP: GET /labels, /printers, /health, /runs/ID; POST /print prints a label file of "
         "--labels with the rows sent (JSON or CSV) onto a printer, or into a PDF answered back, and records the "
         "run in the print history; POST /runs/ID/reprint prints a run again. Listens on the loopback unless given "
         "a token. SIGTERM or SIGINT ends it after the request in hand.",
         &ServeOptions(), CmdServe},
    };
    return table;
}

QString Wrap(const QString& text, int width, int indent, int startColumn)
{
    QString out;
    const QStringList paragraphs = text.split(QLatin1Char('\n'));
    for (qsizetype p = 0; p < paragraphs.size(); ++p) {
        QString line;
        int used = p == 0 ? startColumn : indent;  // columns already taken on this line
        if (p > 0)
            line = QString(indent, QLatin1Char(' '));
        bool empty = true;
        for (const QString& word : paragraphs.at(p).split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
            if (!empty && used + 1 + word.size() > width) {
                out += line + QLatin1Char('\n');
                line = QString(indent, QLatin1Char(' '));
                used = indent;
                empty = true;
            }
            if (!empty) {
                line += QLatin1Char(' ');
                ++used;
            }
            line += word;
            used += int(word.size());
            empty = false;
        }
        out += line;
        if (p + 1 < paragraphs.size())
            out += QLatin1Char('\n');
    }
    return out;
}

void WriteOut(const QByteArray& bytes)
{
    errno = 0;
    if (std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stdout) != size_t(bytes.size()) ||
        std::fflush(stdout) != 0) {
        const int error = errno;
        std::clearerr(stdout);
        throw Failure(
            QStringLiteral("standard output"),
            QStringLiteral("cannot write: %1").arg(QString::fromLocal8Bit(std::strerror(error ? error : EIO))));
    }
}

void WriteErr(const QString& text)
{
    QString line = text.trimmed();
    line.replace(QStringLiteral("\r\n"), QStringLiteral(" ")).replace(QLatin1Char('\r'), QLatin1Char(' '));
    line.replace(QLatin1Char('\n'), QLatin1Char(' '));
    const QByteArray bytes = line.toUtf8() + '\n';
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stderr);
    std::fflush(stderr);
}

void Report(const QString& text)
{
    WriteErr(QStringLiteral("tagmora-cli %1: %2").arg(QLatin1String(gCommandName ? gCommandName : ""), text));
}

int Run(const QStringList& args)
{
    try {
        if (args.isEmpty()) {
            const QByteArray help = HelpText().toUtf8();
            std::fwrite(help.constData(), 1, size_t(help.size()), stderr);
            return ExitUsage;
        }
        const QString& first = args.front();
        if (first == QLatin1String("--help") || first == QLatin1String("-h") || first == QLatin1String("help")) {
            WriteOut(HelpText().toUtf8());
            return ExitOk;
        }
        if (first == QLatin1String("--version") || first == QLatin1String("-V")) {
            WriteOut((VersionText() + QLatin1Char('\n')).toUtf8());
            return ExitOk;
        }
        for (const Command& c : Commands()) {
            if (first != QLatin1String(c.name))
                continue;
            gCommandName = c.name;
            TArguments parsed;
            try {
                parsed = ParseArguments(*c.options, args.mid(1));
                if (parsed.IsSet("help")) {
                    WriteOut(CommandHelp(c).toUtf8());
                    return ExitOk;
                }
                if (parsed.IsSet("version")) {
                    WriteOut((VersionText() + QLatin1Char('\n')).toUtf8());
                    return ExitOk;
                }
                return c.run(parsed);
            } catch (const UsageError& e) {
                return Usage(c, QString::fromUtf8(e.what()));
            }
        }
        WriteErr(QStringLiteral("tagmora-cli: unknown command '%1' (try 'tagmora-cli --help')").arg(first));
        return ExitUsage;
    } catch (const Failure& e) {
        Report(QStringLiteral("%1: %2").arg(e.File, QString::fromUtf8(e.what())));
        return ExitError;
    } catch (const std::exception& e) {
        Report(QString::fromUtf8(e.what()));
        return ExitError;
    }
}

}  // namespace cli
