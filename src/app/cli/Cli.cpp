#include "app/cli/Cli.h"

#include "app/cli/CliCommands.h"

#include <cstdio>
#include <exception>

namespace cli {

const std::vector<Command>& Commands()
{
    static const std::vector<Command> table = {
        {"plan", "FILE.blf", "open a label file and write its plan text to stdout", CmdPlan},
        {"convert", "IN.blf OUT.blf", "open a label file and save it as another label file", CmdConvert},
        {"datasheet", "FILE.blf [--csv]",
         "write the label's datasheet to stdout as its stream, or with --csv as CSV with the column names as header",
         CmdDatasheet},
        {"import", "FILE.blf DATA -o OUT.blf [--table NAME]",
         "import DATA (.txt, .csv, .xls, .xlsx, .ods, .mdb) into the label's datasheet as \"Import Data ...\" does "
         "and save the result as OUT.blf; --table picks the database table (default: the first)",
         CmdImport},
        {"print",
         "FILE.blf (-o OUT.pdf | --printer NAME) [--data DATA [--table NAME]] [--pages FROM-TO] [--copies N] "
         "[--dpi N] [--on-invalid skip|abort]",
         "print the label's sheets into a PDF file or onto a printer, as the Print command does: --data imports DATA "
         "into the datasheet first (not saved), --pages picks pages, --dpi the PDF's resolution (default 600), "
         "--on-invalid what a value that is not a valid code for its barcode does (default abort: stop with exit "
         "status 1); the numbers of labels and pages go to stderr",
         CmdPrint},
        {"barcode",
         "--type T --text TEXT [--checksum] [--modul N] [--ratio R] (--pattern | -o OUT.png|OUT.svg [--height PX] "
         "[--angle DEG] [--show-text none|code|typ|both] [--text-position top-left|top-right|top-center|bottom-left|"
         "bottom-right|bottom-center] [--font NAME] [--font-size PX])",
         "print the module pattern of a barcode and, on a second line, its human-readable text; or draw it with a "
         "quiet zone of ten modules into a PNG (white background) or SVG file (bar height 50 modules and text 8 "
         "modules high unless given)",
         CmdBarcode},
        {"render", "FILE.blf -o OUT.png|OUT.svg|OUT.pdf [--dpi N]",
         "paint the label as the printer would at N dots per inch (default 300): a PNG on white, or SVG or PDF "
         "vectors (the PDF page is the label's size)",
         CmdRender},
        {"validate", "--type T [--checksum] TEXT...", "check whether texts can be encoded: one line 'valid' or 'invalid' each",
         CmdValidate},
    };
    return table;
}

void WriteOut(const QByteArray& bytes)
{
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stdout);
    std::fflush(stdout);
}

void WriteErr(const QString& text)
{
    QByteArray line = text.toUtf8();
    if (!line.endsWith('\n'))
        line += '\n';
    std::fwrite(line.constData(), 1, size_t(line.size()), stderr);
    std::fflush(stderr);
}

static QString VersionText()
{
    return QStringLiteral("Tagmora " TAGMORA_VERSION);
}

static QString HelpText()
{
    QString text = VersionText() + QStringLiteral(" - command-line tool\n\n"
                                                  "Usage: tagmora-cli COMMAND [ARGUMENTS]\n"
                                                  "       tagmora-cli --help | --version\n\n"
                                                  "Commands:\n");
    for (const Command& c : Commands()) {
        text += QStringLiteral("  %1 %2\n      %3\n")
                    .arg(QString::fromLatin1(c.name), QString::fromLatin1(c.synopsis),
                         QString::fromLatin1(c.summary));
    }
    text += QStringLiteral("\nEnvironment:\n"
                           "  TAGMORA_PRINTERS=\"Name[@DPI[xDPI]][*];...\"\n"
                           "      use these printers instead of the installed ones (* marks the default;\n"
                           "      an empty value means no printer)\n");
    return text;
}

int Run(const QStringList& args)
{
    if (args.isEmpty()) {
        WriteErr(HelpText());
        return ExitUsage;
    }
    const QString& first = args.front();
    if (first == QLatin1String("--help") || first == QLatin1String("-h") || first == QLatin1String("help")) {
        WriteOut(HelpText().toUtf8());
        return ExitOk;
    }
    if (first == QLatin1String("--version")) {
        WriteOut((VersionText() + QLatin1Char('\n')).toUtf8());
        return ExitOk;
    }
    for (const Command& c : Commands()) {
        if (first != QLatin1String(c.name))
            continue;
        const QStringList rest = args.mid(1);
        if (rest.contains(QLatin1String("--help"))) {
            WriteOut(QStringLiteral("Usage: tagmora-cli %1 %2\n%3\n")
                         .arg(QString::fromLatin1(c.name), QString::fromLatin1(c.synopsis),
                              QString::fromLatin1(c.summary))
                         .toUtf8());
            return ExitOk;
        }
        try {
            return c.run(rest);
        } catch (const UsageError& e) {
            WriteErr(QStringLiteral("tagmora-cli %1: %2\nUsage: tagmora-cli %1 %3")
                         .arg(QString::fromLatin1(c.name), QString::fromUtf8(e.what()),
                              QString::fromLatin1(c.synopsis)));
            return ExitUsage;
        } catch (const std::exception& e) {
            WriteErr(QStringLiteral("tagmora-cli %1: %2").arg(QString::fromLatin1(c.name), QString::fromUtf8(e.what())));
            return ExitError;
        }
    }
    WriteErr(QStringLiteral("tagmora-cli: unknown command '%1' (try --help)").arg(first));
    return ExitUsage;
}

}  // namespace cli
