// Reading ZPL II back in tests: the label formats of a job with the settings
// they carry and their graphic fields painted into images, as a printer
// would burn them.
#pragma once

#include <QByteArray>
#include <QImage>
#include <QList>

namespace testsupport {

struct ZplLabel {
    int printWidth = 0;    // ^PW
    int labelLength = 0;   // ^LL
    int copies = 1;        // ^PQ
    QByteArray media;      // ^MN's letter
    int speed = 0;         // ^PR
    QImage image;          // printWidth x labelLength, black dots on white
};

struct ZplJob {
    int darkness = -1;     // ~SD
    QList<ZplLabel> labels;
    QByteArray error;      // empty when the job parsed
};

ZplJob DecodeZpl(const QByteArray& zpl);

// One graphic field's data ("b,c,r,data" after "^GFA,") as rows of bytes.
// Empty on a malformed field.
QByteArray DecodeGraphicField(const QByteArray& field, int& bytesPerRow, int& rows);

}  // namespace testsupport
