// The language of the desktop program's texts.
#pragma once

#include <QString>
#include <QStringList>

// The languages the desktop asks for, most wanted first, as gettext reads
// them: the LANGUAGE list (unless the locale is C or POSIX), then the first of
// LC_ALL, LC_MESSAGES and LANG, then the system locale. Entries look like
// "de", "fr_CA" or "de_DE.UTF-8".
QStringList DesktopLanguages();

// Installs the program's translation for the first of DesktopLanguages() that
// has one, with Qt's own translation of its dialogs when that is installed
// (missing is fine). English, or no language with a translation, leaves the
// texts as written. Returns the language installed ("de", "fr"), empty for
// none. A second call replaces what the first installed.
QString InstallTranslations();
