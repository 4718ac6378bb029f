#include "document/Printer.h"

#include "document/QtPrinter.h"

#include <memory>

namespace {

TPrinter* gInstalled = nullptr;

TPrinter& QtPrinter()
{
    static std::unique_ptr<TQtPrinter> printer = std::make_unique<TQtPrinter>();
    return *printer;
}

}  // namespace

QString TPrinter::PrinterName() const
{
    const QStringList names = Printers();
    const int i = PrinterIndex();
    return i >= 0 && i < names.size() ? names.at(i) : QString();
}

TPrinter& Printer()
{
    return gInstalled ? *gInstalled : QtPrinter();
}

void SetPrinter(TPrinter* printer)
{
    gInstalled = printer;
}

int CurrentPrinterDpi()
{
    try {
        const TPrinter& printer = Printer();
        if (printer.HasPrinters())
            return UsableDpi(printer.ResolutionX());
    } catch (...) {
    }
    return kFallbackDpi;
}

TScopedPrinter::TScopedPrinter(TPrinter& printer) : FPrevious(gInstalled)
{
    gInstalled = &printer;
}

TScopedPrinter::~TScopedPrinter()
{
    gInstalled = FPrevious;
}
