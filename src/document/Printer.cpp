#include "document/Printer.h"

#include "document/CupsPrinter.h"

#include <memory>

namespace {

TPrinter* gInstalled = nullptr;
TPrinterMaker gMaker;

TPrinter& DefaultPrinter()
{
    static std::unique_ptr<TPrinter> printer;
    if (!printer)
        printer = gMaker ? gMaker() : std::make_unique<TCupsPrinter>();
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
    return gInstalled ? *gInstalled : DefaultPrinter();
}

void SetDefaultPrinterMaker(TPrinterMaker maker)
{
    gMaker = std::move(maker);
}

void SetPrinter(TPrinter* printer)
{
    gInstalled = printer;
}

int CurrentPrinterDpi()
{
    const TPrinter& printer = Printer();
    return printer.HasPrinters() ? UsableDpi(printer.ResolutionX()) : kFallbackDpi;
}

TScopedPrinter::TScopedPrinter(TPrinter& printer) : FPrevious(gInstalled)
{
    gInstalled = &printer;
}

TScopedPrinter::~TScopedPrinter()
{
    gInstalled = FPrevious;
}
