#include "document/ProgramEntry.h"

#include <QLocale>

#include <clocale>

void FixNumberFormat()
{
    std::setlocale(LC_NUMERIC, "C");
    QLocale::setDefault(QLocale::c());
}
