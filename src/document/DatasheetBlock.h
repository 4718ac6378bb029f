// The datasheet as a label file sees it: a block of bytes written after the
// plan and read back, after which the print grid is rebuilt.
#pragma once

#include <QByteArray>

class TDatasheetBlock {
public:
    virtual ~TDatasheetBlock() = default;
    // The datasheet serialised as its stream.
    virtual QByteArray WriteBlock() = 0;
    // Replaces the datasheet by the stream's content; throws on a broken
    // stream, keeping what was read before the fault.
    virtual void ReadBlock(const QByteArray& block) = 0;
    // Rebuilds the print grid from all rows.
    virtual void BuildPrintGrid() = 0;
};
