#include "gui/DesktopLanguage.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include <memory>

QStringList DesktopLanguages()
{
    QString locale;
    for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        locale = qEnvironmentVariable(name);
        if (!locale.isEmpty())
            break;
    }
    QStringList languages;
    // gettext ignores LANGUAGE when the locale is C (or C.UTF-8): the program is then meant to speak English.
    const QString base = locale.section(QLatin1Char('.'), 0, 0);
    if (base != QLatin1String("C") && base != QLatin1String("POSIX"))
        languages = qEnvironmentVariable("LANGUAGE").split(QLatin1Char(':'), Qt::SkipEmptyParts);
    if (!locale.isEmpty())
        languages << locale;
    else
        languages << QLocale::system().name();
    return languages;
}

QString InstallTranslations()
{
    static std::unique_ptr<QTranslator> program, qt;
    for (auto* t : {&program, &qt}) {
        if (*t)
            QCoreApplication::removeTranslator(t->get());
        t->reset();
    }
    for (QString entry : DesktopLanguages()) {
        // "de_DE.UTF-8@euro": the encoding and the modifier say nothing of the language.
        entry = entry.section(QLatin1Char('.'), 0, 0).section(QLatin1Char('@'), 0, 0);
        const QLocale locale(entry);
        if (entry == QLatin1String("C") || entry == QLatin1String("POSIX") || locale.language() == QLocale::English)
            return QString();  // the texts are written in English
        if (locale.language() == QLocale::C)
            continue;  // not a language
        auto translator = std::make_unique<QTranslator>();
        if (!translator->load(locale, QStringLiteral("tagmora"), QStringLiteral("_"), QStringLiteral(":/i18n")))
            continue;
        program = std::move(translator);
        QCoreApplication::installTranslator(program.get());
        auto qtTexts = std::make_unique<QTranslator>();
        if (qtTexts->load(locale, QStringLiteral("qtbase"), QStringLiteral("_"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
            qt = std::move(qtTexts);
            QCoreApplication::installTranslator(qt.get());
        }
        return QLocale::languageToCode(locale.language());
    }
    return QString();
}
