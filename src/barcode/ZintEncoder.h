// The symbologies we draw through libzint (2D codes, GS1 DataBar, GS1-128 with
// Application Identifiers, ITF-14, ISBN): the library encodes, we get the
// symbol as rectangles in module units and draw them like our own bars. This
// is the only place that includes the library's header.
#pragma once

#include "barcode/Outcome.h"

#include <string>
#include <string_view>
#include <vector>

// Settings of the library-drawn symbologies; 0 leaves each to the symbology.
struct TSymbolOptions {
    // Error correction: QR Code 1-4 (L, M, Q, H), Micro QR 1-3, Aztec 1-4
    // (10, 23, 36, 50 %), PDF417 1-9 (security levels 0-8).
    int Ecc = 0;
    // Fixed size: QR Code version 1-40, Micro QR M1-M4 as 1-4, Aztec 1-36
    // (1-4 compact), Data Matrix 1-30 (the library's size list, 25-30 the
    // rectangular ones) or -1 for an automatic size that may be rectangular.
    int Size = 0;
    // Data columns of PDF417 (1-30) and MicroPDF417 (1-4), segments per row
    // of DataBar Expanded Stacked (1-11).
    int Columns = 0;
    // Read the text as GS1 Application Identifiers (QR Code, Data Matrix,
    // Aztec; always on for the GS1-only symbologies).
    bool Gs1 = false;

    bool operator==(const TSymbolOptions& o) const
    {
        return Ecc == o.Ecc && Size == o.Size && Columns == o.Columns && Gs1 == o.Gs1;
    }
    bool operator!=(const TSymbolOptions& o) const { return !(*this == o); }
    bool IsDefault() const { return *this == TSymbolOptions(); }
};

// One dark rectangle of a symbol, in modules from its top-left corner.
struct TModuleRect {
    float X, Y, W, H;
};

struct TEncodedSymbol {
    float Width = 0;   // modules, quiet zones the symbology includes counted
    float Height = 0;  // modules
    std::vector<TModuleRect> Rects;
    // The human-readable line (GS1 element strings with their brackets),
    // Latin-1 bytes; empty where the symbology shows none.
    std::string Text;
};

class TZintEncoder {
public:
    // Encodes Latin-1 bytes in the symbology of the library's number
    // `symbology`. Refused with the library's message for data the symbol
    // cannot hold, including GS1 data whose check digits, dates or lengths are
    // wrong (the library's warnings count as refusals: a symbol that scans as
    // something other than what was asked for is never made). A matrix
    // symbol comes without text.
    static TOutcome<TEncodedSymbol> Encode(int symbology, std::string_view bytes, const TSymbolOptions& options,
                                           bool gs1, bool matrix);
    // The library's symbology numbers.
    enum : int {
        QrCode = 58,
        MicroQr = 97,
        DataMatrix = 71,
        Pdf417 = 55,
        MicroPdf417 = 84,
        Aztec = 92,
        DataBarOmni = 29,
        DataBarLimited = 30,
        DataBarExpanded = 31,
        DataBarExpandedStacked = 81,
        Gs1_128 = 16,
        Itf14 = 89,
        Isbn = 69,
    };
};
