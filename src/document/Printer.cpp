#include "document/Printer.h"

#include "document/CupsPrinter.h"

#include <memory>
#include <mutex>

namespace {

TPrinter* gInstalled = nullptr;
// A printer of the calling thread's own (TScopedPrinter): print jobs on
// worker threads each draw through theirs.
thread_local TPrinter* tScoped = nullptr;
TPrinterMaker gMaker;

TPrinter& DefaultPrinter()
{
    static std::once_flag made;
    static std::unique_ptr<TPrinter> printer;
    std::call_once(made, [] { printer = gMaker ? gMaker() : std::make_unique<TCupsPrinter>(); });
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
    if (tScoped)
        return *tScoped;
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

TScopedPrinter::TScopedPrinter(TPrinter& printer) : FPrevious(tScoped)
{
    tScoped = &printer;
}

TScopedPrinter::~TScopedPrinter()
{
    tScoped = FPrevious;
}
