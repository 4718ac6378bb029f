// A datasheet block kept as the bytes read, written back unchanged. Used where
// no datasheet grid is at hand (the command-line tool); a new one holds the
// block of the empty datasheet a new label has.
#pragma once

#include "document/DatasheetBlock.h"

class TOpaqueDatasheetBlock : public TDatasheetBlock {
public:
    QByteArray Bytes;

    QByteArray WriteBlock() override { return Bytes; }
    void ReadBlock(const QByteArray& block) override { Bytes = block; }
    void BuildPrintGrid() override {}
};
