// Library symbols built once and shared: the last symbols built, found again
// by their symbology, settings and text, and a background thread that builds
// the symbols of the next label while the current one is drawn. Encoding is
// the costly part of a 2D code (a QR Code tries all eight masks).
#pragma once

#include "barcode/Barcode.h"

#include <memory>
#include <string>
#include <string_view>

// A built symbol, or the library's reason why there is none.
struct TLibraryBuild {
    std::shared_ptr<const TEncodedSymbol> Symbol;
    std::string Error;
};

// The symbol of a libzint symbology for Latin-1 text, from the cache when it
// was built (or is being built) already.
std::shared_ptr<const TLibraryBuild> BuildLibrarySymbol(TBarcodeType type, const TSymbolOptions& options,
                                                        std::string_view text);

// Builds the symbol on the background thread, so that a BuildLibrarySymbol
// soon after finds it ready. Texts are trimmed as IsValidCode trims them.
// Does nothing for our own symbologies or when the queue is full.
void PrefetchLibrarySymbol(TBarcodeType type, const TSymbolOptions& options, std::string_view text);
