#include "document/ProgramEntry.h"

#include "document/LabelFile.h"

#include <QLocale>

#include <clocale>

void FixNumberFormat()
{
    std::setlocale(LC_NUMERIC, "C");
    QLocale::setDefault(QLocale::c());
}

bool OpenFileAtStart(const QString& path, TLabelPlan& plan, TDatasheetBlock& datasheet)
{
    try {
        return OpenLabelFile(path, plan, datasheet);
    } catch (...) {
        return false;
    }
}
