// The shipped translations: the desktop's language picks them, and every text
// of the source has a finished translation in each of them.
#include "gui/MainWindow.h"
#include "common/TestSupport.h"
#include "engine/printing/PrintJob.h"

#include "gui/DesktopLanguage.h"

#include <QDir>
#include <QLabel>
#include <QMenu>
#include <QProcess>
#include <QRegularExpression>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QXmlStreamReader>

#include <gtest/gtest.h>

using namespace testsupport;

namespace {

// Sets the locale variables for one case; puts back English on the way out.
class ScopedLanguage {
public:
    ScopedLanguage(const char* language, const char* lang)
    {
        qunsetenv("LC_ALL");
        qunsetenv("LC_MESSAGES");
        Set("LANGUAGE", language);
        Set("LANG", lang);
    }
    ~ScopedLanguage()
    {
        qunsetenv("LANGUAGE");
        qputenv("LANG", "C");
        InstallTranslations();
    }

private:
    static void Set(const char* name, const char* value)
    {
        if (*value)
            qputenv(name, value);
        else
            qunsetenv(name);
    }
};

}  // namespace

TEST(Translations, TheDesktopLanguagePicksTheTexts)
{
    QTemporaryDir dir;
    QStandardPaths::setTestModeEnabled(true);
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, dir.filePath(QStringLiteral("config")));

    // The window in German and in French: menus, a status-bar sentence, an engine message.
    struct {
        const char *language, *lang;
        QString file, edit, labelSize, noPrinter;
    } windows[] = {
        {"de", "", "&Datei", "&Bearbeiten", " Etikettengröße Breite: ", "Es ist kein Drucker vorhanden! "},
        {"", "fr_FR.UTF-8", "&Fichier", "&Édition",
         " Taille d'étiquette Largeur\u00a0: ", "Aucune imprimante n'existe\u00a0! "},
    };
    for (const auto& c : windows) {
        ScopedLanguage language(c.language, c.lang);
        InstallTranslations();
        TFM_Main window;
        EXPECT_EQ(window.MN_File->title(), c.file) << c.language << c.lang;
        EXPECT_EQ(window.MN_Edit->title(), c.edit);
        EXPECT_TRUE(window.Stat_Size->text().startsWith(c.labelSize)) << window.Stat_Size->text().toStdString();
        EXPECT_EQ(NoPrinterMessage(), c.noPrinter);
    }

    // Which language wins: the LANGUAGE list in order (English counts), then LANG; none under the C locale.
    struct {
        const char *language, *lang, *installed;
    } choices[] = {
        {"fr:de", "de_DE.UTF-8", "fr"}, {"xx:de", "", "de"},   {"en:fr", "fr_FR.UTF-8", ""},
        {"", "en_US.UTF-8", ""},        {"de", "C.UTF-8", ""}, {"pt_BR", "es_ES.UTF-8", ""},
        {"", "de_AT.UTF-8@euro", "de"},
    };
    for (const auto& c : choices) {
        ScopedLanguage language(c.language, c.lang);
        EXPECT_EQ(InstallTranslations(), QLatin1String(c.installed)) << c.language << " / " << c.lang;
        if (!*c.installed)
            EXPECT_EQ(NoPrinterMessage(), QStringLiteral("No printr device exist! "));
    }
}

// lupdate reads the source now into copies of the shipped files: each must
// then hold a finished translation of every text, with the same placeholders,
// and lupdate must have seen every call (it warns about those it cannot read).
TEST(Translations, EveryTextHasAFinishedTranslation)
{
    QTemporaryDir dir;
    const QStringList languages = {QStringLiteral("de"), QStringLiteral("fr")};
    for (const QString& language : languages) {
        const QString name = QStringLiteral("tagmora_%1.ts").arg(language);
        ASSERT_TRUE(QFile::copy(SourcePath(QStringLiteral("translations/") + name), dir.filePath(name)));
    }
    QProcess lupdate;
    lupdate.start(SourcePath(QStringLiteral("scripts/update-translations.sh")), {dir.path()});
    ASSERT_TRUE(lupdate.waitForFinished(120000));
    ASSERT_EQ(lupdate.exitCode(), 0) << lupdate.readAllStandardError().toStdString();
    EXPECT_EQ(lupdate.readAllStandardError(), QByteArray());

    const QRegularExpression placeholder(QStringLiteral("%(\\d+|n)"));
    auto placeholders = [&](const QString& text) {
        QStringList found;
        for (auto it = placeholder.globalMatch(text); it.hasNext();)
            found << it.next().captured();
        found.sort();
        return found;
    };
    for (const QString& language : languages) {
        QFile file(dir.filePath(QStringLiteral("tagmora_%1.ts").arg(language)));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        QXmlStreamReader xml(&file);
        QString context, source;
        QStringList missing;
        int messages = 0;
        while (!xml.atEnd()) {
            if (xml.readNext() != QXmlStreamReader::StartElement)
                continue;
            if (xml.name() == QLatin1String("name")) {
                context = xml.readElementText(QXmlStreamReader::IncludeChildElements);
            } else if (xml.name() == QLatin1String("source")) {
                source = xml.readElementText(QXmlStreamReader::IncludeChildElements);
            } else if (xml.name() == QLatin1String("translation")) {
                ++messages;
                const bool unfinished = xml.attributes().value(QLatin1String("type")) == QLatin1String("unfinished");
                const QString translation = xml.readElementText(QXmlStreamReader::IncludeChildElements);
                if (unfinished || translation.isEmpty())
                    missing << context + QStringLiteral(": ") + source;
                else if (placeholders(translation) != placeholders(source))
                    missing << context + QStringLiteral(": ") + source + QStringLiteral(" (placeholders differ)");
            }
        }
        ASSERT_FALSE(xml.hasError()) << xml.errorString().toStdString();
        EXPECT_GT(messages, 400) << "lupdate found too few texts";
        EXPECT_TRUE(missing.isEmpty()) << language.toStdString() << " lacks:\n"
                                       << missing.join(QLatin1Char('\n')).toStdString();
    }
}
