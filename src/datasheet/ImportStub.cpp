// Placeholder until the loaders land: nothing can be imported yet.
#include "datasheet/Import.h"

QString ImportFileFilter()
{
    return QString();
}

bool ImportDataFile(const QString&, TCellGridWriter&, const TTablePicker&)
{
    return false;
}
