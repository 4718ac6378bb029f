// Start-up steps of the programs.
#pragma once

#include <QString>

class TDatasheetBlock;
class TLabelPlan;

// Makes "." the decimal separator of all number formatting and parsing: the C
// library's numeric locale and Qt's default locale become the C locale.
void FixNumberFormat();

// Opens the label file named on the command line into a document that holds a
// new label. Errors are swallowed: after one the document keeps what was read.
// True when the file was opened completely; false for a missing file (the
// caller still takes over the name) and after an error.
bool OpenFileAtStart(const QString& path, TLabelPlan& plan, TDatasheetBlock& datasheet);
