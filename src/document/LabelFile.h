// The label file (".blf"): two header lines, zeros up to offset 513, then the
// plan block and the datasheet block, each after its length as a signed
// 32-bit little-endian number.
//
//   0    header line 1 (identification) CR LF, header line 2 CR LF, zeros
//   513  L1, plan block (plan text, CR LF lines)
//   517+L1  L2, datasheet block
//
// Also the transfer of the document's printer and paper to and from the printer.
#pragma once

#include <QString>

#include <stdexcept>

class TDatasheetBlock;
class TLabelPlan;

// A label file that cannot be read or written; the message names the file and
// the problem. Reason holds the system's reason when the file itself could not
// be written ("No space left on device").
class ELabelFileError : public std::runtime_error {
public:
    explicit ELabelFileError(const QString& message, const QString& reason = QString())
        : std::runtime_error(message.toStdString()), Reason(reason)
    {
    }
    QString Reason;
};

constexpr int kLabelFilePlanOffset = 513;
// The header lines the program writes.
QByteArray LabelFileHeader();

// The bytes SaveLabelFile would write; empty when the label is too large for
// a label file.
QByteArray LabelFileBytes(TLabelPlan& plan, TDatasheetBlock& datasheet);
// Writes the document and the datasheet to path through a TOutputFile: a
// regular file is replaced only when the new one is complete, a link's target
// is replaced and the link kept, a device or pipe is written in place; on
// failure the old file is untouched and ELabelFileError is thrown.
void SaveLabelFile(const QString& path, TLabelPlan& plan, TDatasheetBlock& datasheet);

// Replaces the document and the datasheet by the file's contents, then
// rebuilds the print grid and applies the printer settings. Returns false and
// changes nothing when no file exists at path. The file is opened for reading
// only. Throws ELabelFileError for a file that cannot be read, is cut short or
// has impossible lengths, and passes on the errors of the plan text and the
// datasheet; what was read before the error stays in the document.
bool OpenLabelFile(const QString& path, TLabelPlan& plan, TDatasheetBlock& datasheet);

// Selects the document's printer and puts its paper and orientation into the
// printer's device settings (nothing without printers).
void ApplyPrinterSettings(TLabelPlan& plan);
// Copies the current printer's index, paper and orientation into the document
// (nothing without printers or device settings).
void ReadPrinterSettings(TLabelPlan& plan);
