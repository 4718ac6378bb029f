// JPEG variants the picture encoder never writes but label files may carry:
// progressive scans, and CMYK as image editors save it (Adobe marker,
// inverted values).
#include "document/PictureCodecs.h"

#include <QImage>

#include <cstdio>
#include <cstdlib>
#include <vector>

#include <jpeglib.h>

#include <gtest/gtest.h>

namespace {

// A w x h JPEG of one colour through libjpeg's defaults (errors end the
// test program, which is acceptable for this trusted input). CMYK values
// are written inverted, as Adobe applications do.
// acBand > 0: progressive with a DC scan, then scans of acBand AC
// coefficients for each component in turn (many legal scans).
QByteArray SolidJpeg(int w, int h, QRgb colour, bool progressive, bool cmyk, int acBand = 0)
{
    jpeg_compress_struct cinfo;
    jpeg_error_mgr err;
    cinfo.err = jpeg_std_error(&err);
    jpeg_create_compress(&cinfo);
    unsigned char* out = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&cinfo, &out, &size);
    cinfo.image_width = JDIMENSION(w);
    cinfo.image_height = JDIMENSION(h);
    cinfo.input_components = cmyk ? 4 : 3;
    cinfo.in_color_space = cmyk ? JCS_CMYK : JCS_RGB;
    jpeg_set_defaults(&cinfo);
    jpeg_set_quality(&cinfo, 95, TRUE);
    if (progressive)
        jpeg_simple_progression(&cinfo);
    std::vector<jpeg_scan_info> script;
    if (acBand > 0) {
        script.push_back({3, {0, 1, 2, 0}, 0, 0, 0, 0});
        for (int c = 0; c < 3; ++c)
            for (int ss = 1; ss <= 63; ss += acBand)
                script.push_back({1, {c, 0, 0, 0}, ss, std::min(63, ss + acBand - 1), 0, 0});
        cinfo.scan_info = script.data();
        cinfo.num_scans = int(script.size());
    }
    jpeg_start_compress(&cinfo, TRUE);
    std::vector<JSAMPLE> row(size_t(w) * 4);
    const int r = qRed(colour), g = qGreen(colour), b = qBlue(colour);
    const int k = 255 - std::max({r, g, b});
    for (int x = 0; x < w; ++x) {
        JSAMPLE* p = &row[size_t(x) * cinfo.input_components];
        if (cmyk) {
            // c = 1 - r / (1 - k) and so on, stored inverted
            const int rest = 255 - k;
            p[0] = JSAMPLE(rest ? 255 - (rest - r) * 255 / rest : 255);
            p[1] = JSAMPLE(rest ? 255 - (rest - g) * 255 / rest : 255);
            p[2] = JSAMPLE(rest ? 255 - (rest - b) * 255 / rest : 255);
            p[3] = JSAMPLE(255 - k);
        } else {
            p[0] = JSAMPLE(r);
            p[1] = JSAMPLE(g);
            p[2] = JSAMPLE(b);
        }
    }
    while (cinfo.next_scanline < cinfo.image_height) {
        JSAMPROW rows[1] = {row.data()};
        jpeg_write_scanlines(&cinfo, rows, 1);
    }
    jpeg_finish_compress(&cinfo);
    jpeg_destroy_compress(&cinfo);
    QByteArray bytes(reinterpret_cast<const char*>(out), qsizetype(size));
    std::free(out);
    return bytes;
}

}  // namespace

TEST(PictureJpeg, ProgressiveAndCmykDecodeToTheirColours)
{
    const QRgb orange = qRgb(240, 128, 32);
    for (bool progressive : {false, true}) {
        for (bool cmyk : {false, true}) {
            const QImage img = picturecodec::DecodeJpeg(SolidJpeg(48, 32, orange, progressive, cmyk));
            ASSERT_EQ(img.size(), QSize(48, 32)) << progressive << cmyk;
            const QRgb p = img.pixel(24, 16);
            EXPECT_NEAR(qRed(p), 240, 6) << progressive << cmyk;
            EXPECT_NEAR(qGreen(p), 128, 6) << progressive << cmyk;
            EXPECT_NEAR(qBlue(p), 32, 6) << progressive << cmyk;
        }
    }
}

TEST(PictureJpeg, AtMostAHundredScans)
{
    // 1 + 3 x 32 scans decode; 1 + 3 x 63 are refused.
    EXPECT_FALSE(picturecodec::DecodeJpeg(SolidJpeg(16, 16, qRgb(0, 0, 255), false, false, 2)).isNull());
    EXPECT_TRUE(picturecodec::DecodeJpeg(SolidJpeg(16, 16, qRgb(0, 0, 255), false, false, 1)).isNull());
}
