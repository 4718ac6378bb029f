// Scanning barcodes in tests: paint a module pattern into an image, and decode
// an image with ZXing-C++ (when the build found it; ScanAvailable() tells).
#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

#include <string>

class TBarcode;

namespace testsupport {

// Formats to look for; the values are ZXing's BarcodeFormat bits. None = all.
enum ScanFormat : unsigned {
    sfNone = 0,
    sfCodabar = 1u << 1,
    sfCode39 = 1u << 2,
    sfCode93 = 1u << 3,
    sfCode128 = 1u << 4,
    sfEAN8 = 1u << 8,
    sfEAN13 = 1u << 9,
    sfITF = 1u << 10,
    sfUPCA = 1u << 14,
    sfUPCE = 1u << 15,
};

enum class ScanAddOn { Ignore, Read, Require };

struct ScanOptions {
    unsigned formats = sfNone;
    bool pure = false;              // the image holds one unrotated symbol and nothing else
    bool tryHarder = true;
    bool tryRotate = true;
    bool code39Extended = false;    // read Code 39 as full ASCII
    bool codabarStartStop = false;  // keep Codabar start and stop characters in the text
    ScanAddOn addOn = ScanAddOn::Ignore;
};

struct ScanResult {
    bool found = false;
    QByteArray bytes;            // content as the symbol carries it
    QString text;                // content as ZXing renders it as text
    QString format;              // e.g. "EAN-13", "Code128"
    QString symbologyIdentifier; // e.g. "]C1" for GS1-128
    QString contentType;         // e.g. "Text", "GS1"
};

bool ScanAvailable();

ScanResult DecodeImage(const QImage& image, const ScanOptions& options = {});

// Paints a module pattern with the component's current width classes (those of
// its last build): bars black over the full height, short bars two fifths of
// it standing on the bottom line, a white quiet zone on every side.
QImage PaintModulePattern(const TBarcode& barcode, const std::string& pattern, int height = 40, int quietZone = 20);

}  // namespace testsupport
