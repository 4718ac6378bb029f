#include "document/LabelFile.h"

#include "document/BusyCursor.h"
#include "document/DatasheetBlock.h"
#include "document/LabelPlan.h"
#include "document/MGraph.h"
#include "document/OutputFile.h"
#include "document/Printer.h"
#include "document/Tr.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QtEndian>

#include <climits>
#include <vector>

namespace {

QString Quoted(const QString& path)
{
    return QLatin1Char('"') + QDir::toNativeSeparators(path) + QLatin1Char('"');
}

QByteArray LengthBytes(qint32 length)
{
    QByteArray b(4, Qt::Uninitialized);
    qToLittleEndian<qint32>(length, b.data());
    return b;
}

// Reads the 4-byte length at pos and the block after it, checking both
// against what the file holds.
QByteArray ReadBlock(QFile& file, qint64 pos, const char* what, const QString& path, qint64& next)
{
    const qint64 size = file.size();
    if (size - pos < 4)
        throw ELabelFileError(Tr("LabelFile", "The label file %1 is cut short: it ends before the length of its %2.")
                                  .arg(Quoted(path), Tr("LabelFile", what)));
    QByteArray raw;
    if (!file.seek(pos) || (raw = file.read(4)).size() != 4)
        throw ELabelFileError(
            Tr("LabelFile", "Cannot read the label file %1: %2").arg(Quoted(path), file.errorString()));
    const qint32 length = qFromLittleEndian<qint32>(raw.constData());
    if (length < 0)
        throw ELabelFileError(Tr("LabelFile", "The label file %1 is damaged: the length of its %2 is negative (%3).")
                                  .arg(Quoted(path), Tr("LabelFile", what))
                                  .arg(length));
    const qint64 available = size - pos - 4;
    if (length > available)
        throw ELabelFileError(
            Tr("LabelFile", "The label file %1 is cut short: its %2 announces %3 bytes but only %4 follow.")
                .arg(Quoted(path), Tr("LabelFile", what))
                .arg(length)
                .arg(available));
    QByteArray block = file.read(length);
    if (block.size() != length)
        throw ELabelFileError(
            Tr("LabelFile", "Cannot read the label file %1: %2").arg(Quoted(path), file.errorString()));
    next = pos + 4 + length;
    return block;
}

}  // namespace

QByteArray LabelFileHeader()
{
    return QByteArrayLiteral("Tagmora Barcode Label File - (C) 2003 Tavix Software\r\n"
                             "Created by Tagmora " TAGMORA_VERSION "\r\n");
}

namespace {

// The parts of a label file in their order; empty when a block is too large
// for its length field.
std::vector<QByteArray> LabelFileParts(TLabelPlan& plan, TDatasheetBlock& datasheet)
{
    const QByteArray planBlock = plan.SavePlanToBytes();
    const QByteArray dataBlock = datasheet.WriteBlock();
    if (planBlock.size() > INT32_MAX || dataBlock.size() > INT32_MAX)
        return {};
    QByteArray header = LabelFileHeader();
    header.append(QByteArray(kLabelFilePlanOffset - header.size(), '\0'));
    return {header, LengthBytes(qint32(planBlock.size())), planBlock, LengthBytes(qint32(dataBlock.size())),
            dataBlock};
}

}  // namespace

QByteArray LabelFileBytes(TLabelPlan& plan, TDatasheetBlock& datasheet)
{
    QByteArray bytes;
    for (const QByteArray& part : LabelFileParts(plan, datasheet))
        bytes += part;
    return bytes;
}

void SaveLabelFile(const QString& path, TLabelPlan& plan, TDatasheetBlock& datasheet)
{
    TBusyCursor busy;
    const std::vector<QByteArray> parts = LabelFileParts(plan, datasheet);
    if (parts.empty())
        throw ELabelFileError(
            Tr("LabelFile", "Cannot save the label file %1: the label is too large.").arg(Quoted(path)));
    try {
        TOutputFile file(path);
        for (const QByteArray& part : parts)
            file.write(part);
        file.Commit();
    } catch (const EOutputFileError& e) {
        throw ELabelFileError(Tr("LabelFile", "Cannot save the label file %1: %2").arg(Quoted(path), e.Reason),
                              e.Reason);
    }
}

bool OpenLabelFile(const QString& path, TLabelPlan& plan, TDatasheetBlock& datasheet)
{
    const QFileInfo info(path);
    if (!info.exists())
        return false;
    if (!info.isFile())
        throw ELabelFileError(Tr("LabelFile", "%1 is not a label file: it is not a regular file.").arg(Quoted(path)));

    TBusyCursor busy;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw ELabelFileError(
            Tr("LabelFile", "Cannot open the label file %1: %2").arg(Quoted(path), file.errorString()));

    qint64 next = 0;
    const QByteArray planBlock =
        ReadBlock(file, kLabelFilePlanOffset, QT_TRANSLATE_NOOP("LabelFile", "label plan"), path, next);

    plan.LoadPlanFromBytes(planBlock);

    TPrinter& printer = Printer();
    if (printer.HasPrinters() && printer.HasDeviceSettings()) {
        TPrinterDeviceSettings settings = printer.DeviceSettings();
        settings.Orientation = plan.PaperOrientation ? poPortrait : poLandscape;
        printer.SetDeviceSettings(settings);
    }

    const QByteArray dataBlock = ReadBlock(file, next, QT_TRANSLATE_NOOP("LabelFile", "datasheet"), path, next);
    datasheet.ReadBlock(dataBlock);
    file.close();
    datasheet.BuildPrintGrid();
    ApplyPrinterSettings(plan);
    return true;
}

void ApplyPrinterSettings(TLabelPlan& plan)
{
    TPrinter& printer = Printer();
    const QStringList names = printer.Printers();
    if (names.isEmpty())
        return;
    if (plan.OutputPrinter > names.size() - 1 || plan.OutputPrinter < -1)
        plan.OutputPrinter = -1;
    printer.SetPrinterIndex(plan.OutputPrinter);
    if (!printer.HasDeviceSettings())
        return;
    TPrinterDeviceSettings settings = printer.DeviceSettings();
    settings.PaperSize = plan.PaperSize;
    if (plan.PaperSize == kPaperCustom) {
        settings.PaperWidth = plan.PaperWidth;
        settings.PaperLength = plan.PaperLength;
    }
    settings.Orientation = plan.PaperOrientation ? poPortrait : poLandscape;
    printer.SetDeviceSettings(settings);
}

void ReadPrinterSettings(TLabelPlan& plan)
{
    TPrinter& printer = Printer();
    if (!printer.HasPrinters())
        return;
    const int rx = UsableDpi(printer.ResolutionX());
    const int ry = UsableDpi(printer.ResolutionY());
    if (!printer.HasDeviceSettings())
        return;
    const TPrinterDeviceSettings settings = printer.DeviceSettings();
    const QSize page = printer.PhysicalPageSize();
    plan.OutputPrinter = printer.PrinterIndex();
    plan.PaperSize = settings.PaperSize;
    plan.PaperWidth = Round(page.width() / double(rx) * 254);
    plan.PaperLength = Round(page.height() / double(ry) * 254);
    plan.PaperOrientation = settings.Orientation == poPortrait;
    printer.SetDeviceSettings(settings);
}
