#include "app/LabelDocument.h"

#include "document/LabelFile.h"

#include <algorithm>

TLabelDocument::TLabelDocument() : FBindingSite(Plan)
{
    Data.SetBindingSite(&FBindingSite);
    // The program shows and prints labels white, with black handles.
    Plan.ApplyMainWindowAppearance();
    NewLabel();
}

void TLabelDocument::NewLabel()
{
    Plan.NewLabel();
    Data.ResetDatasheet();
}

bool TLabelDocument::Open(const QString& path)
{
    return OpenLabelFile(path, Plan, Data);
}

void TLabelDocument::Save(const QString& path)
{
    SaveLabelFile(path, Plan, Data);
}

int TLabelDocument::FillObjectsFromRow(int row, const QString& sourceName)
{
    return ::FillObjectsFromRow(Plan, Data, row, sourceName);
}

int TLabelDocument::FillFromCurrentRow()
{
    return FillObjectsFromRow(std::max(1, Data.StrGrid_Data.Row()), TDatasheet::DataGridSource);
}
