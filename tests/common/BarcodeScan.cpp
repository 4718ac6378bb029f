#include "common/BarcodeScan.h"

#include "barcode/Barcode.h"

#include <QPainter>

#ifdef TAGMORA_HAVE_ZXING
#define ZX_USE_UTF8 1
#include <ZXing/ReadBarcode.h>
#endif

namespace testsupport {

#ifdef TAGMORA_HAVE_ZXING
static_assert(unsigned(ZXing::BarcodeFormat::Codabar) == sfCodabar);
static_assert(unsigned(ZXing::BarcodeFormat::Code39) == sfCode39);
static_assert(unsigned(ZXing::BarcodeFormat::Code93) == sfCode93);
static_assert(unsigned(ZXing::BarcodeFormat::Code128) == sfCode128);
static_assert(unsigned(ZXing::BarcodeFormat::EAN8) == sfEAN8);
static_assert(unsigned(ZXing::BarcodeFormat::EAN13) == sfEAN13);
static_assert(unsigned(ZXing::BarcodeFormat::ITF) == sfITF);
static_assert(unsigned(ZXing::BarcodeFormat::UPCA) == sfUPCA);
static_assert(unsigned(ZXing::BarcodeFormat::UPCE) == sfUPCE);
#endif

bool ScanAvailable()
{
#ifdef TAGMORA_HAVE_ZXING
    return true;
#else
    return false;
#endif
}

ScanResult DecodeImage(const QImage& image, const ScanOptions& options)
{
    ScanResult result;
#ifdef TAGMORA_HAVE_ZXING
    const QImage gray = image.format() == QImage::Format_Grayscale8 ? image : image.convertToFormat(QImage::Format_Grayscale8);
    const ZXing::ImageView view(gray.constBits(), gray.width(), gray.height(), ZXing::ImageFormat::Lum,
                                int(gray.bytesPerLine()));
    ZXing::DecodeHints hints;
    hints.setFormats(ZXing::BarcodeFormats(ZXing::BarcodeFormat(options.formats)));
    hints.setIsPure(options.pure);
    hints.setTryHarder(options.tryHarder);
    hints.setTryRotate(options.tryRotate);
    hints.setTryCode39ExtendedMode(options.code39Extended);
    hints.setReturnCodabarStartEnd(options.codabarStartStop);
    switch (options.addOn) {
    case ScanAddOn::Ignore: hints.setEanAddOnSymbol(ZXing::EanAddOnSymbol::Ignore); break;
    case ScanAddOn::Read: hints.setEanAddOnSymbol(ZXing::EanAddOnSymbol::Read); break;
    case ScanAddOn::Require: hints.setEanAddOnSymbol(ZXing::EanAddOnSymbol::Require); break;
    }
    const ZXing::Result r = ZXing::ReadBarcode(view, hints);
    if (!r.isValid())
        return result;
    result.found = true;
    const ZXing::ByteArray& bytes = r.bytes();
    result.bytes = QByteArray(reinterpret_cast<const char*>(bytes.data()), qsizetype(bytes.size()));
    result.text = QString::fromStdString(r.text());
    result.format = QString::fromStdString(ZXing::ToString(r.format()));
    result.symbologyIdentifier = QString::fromStdString(r.symbologyIdentifier());
    result.contentType = QString::fromStdString(ZXing::ToString(r.contentType()));
#else
    Q_UNUSED(image);
    Q_UNUSED(options);
#endif
    return result;
}

QImage PaintModulePattern(const TBarcode& barcode, const std::string& pattern, int height, int quietZone)
{
    int width = 0;
    for (const char c : pattern)
        width += barcode.ModuleInfo(c).width;
    QImage image(width + 2 * quietZone, height + 2 * quietZone, QImage::Format_Grayscale8);
    image.fill(Qt::white);
    QPainter painter(&image);
    int x = quietZone;
    for (const char c : pattern) {
        const TModuleInfo info = barcode.ModuleInfo(c);
        if (info.kind != mkSpace && info.width > 0) {
            const int h = info.kind == mkBar ? height : height * 2 / 5;
            painter.fillRect(x, quietZone + height - h, info.width, h, Qt::black);
        }
        x += info.width;
    }
    return image;
}

}  // namespace testsupport
