#!/usr/bin/env python3
"""Writes small seed inputs of the fuzz targets that have no sample files in
the tree: workbooks (.xlsx, .ods) and pictures (bitmaps plain and run-length
coded, an icon, metafiles, PNG, GIF, SVG).

    fuzz/make-seeds.py CORPUS_ROOT      (writes CORPUS_ROOT/<target>/seed-*)
"""
import io
import os
import struct
import sys
import zipfile
import zlib


def write(folder, name, data):
    os.makedirs(folder, exist_ok=True)
    with open(os.path.join(folder, "seed-" + name), "wb") as f:
        f.write(data)


def zipped(parts):
    out = io.BytesIO()
    with zipfile.ZipFile(out, "w", zipfile.ZIP_DEFLATED) as z:
        for name, text in parts:
            z.writestr(name, text)
    return out.getvalue()


NS = ('xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main" '
      'xmlns:r="http://schemas.openxmlformats.org/officeDocument/2006/relationships"')
REL = "http://schemas.openxmlformats.org/officeDocument/2006/relationships/"
RELS = 'xmlns="http://schemas.openxmlformats.org/package/2006/relationships"'

XLSX = [
    ("[Content_Types].xml", '<Types xmlns="http://schemas.openxmlformats.org/package/2006/content-types"/>'),
    ("_rels/.rels", f'<Relationships {RELS}><Relationship Id="rId1" Type="{REL}officeDocument" '
                    'Target="xl/workbook.xml"/></Relationships>'),
    ("xl/workbook.xml", f'<workbook {NS}><bookViews><workbookView activeTab="0"/></bookViews>'
                        '<sheets><sheet name="One" sheetId="1" r:id="rId1"/></sheets></workbook>'),
    ("xl/_rels/workbook.xml.rels", f'<Relationships {RELS}>'
     f'<Relationship Id="rId1" Type="{REL}worksheet" Target="worksheets/sheet1.xml"/>'
     f'<Relationship Id="rId2" Type="{REL}sharedStrings" Target="sharedStrings.xml"/>'
     f'<Relationship Id="rId3" Type="{REL}styles" Target="styles.xml"/></Relationships>'),
    ("xl/styles.xml", f'<styleSheet {NS}><numFmts count="1"><numFmt numFmtId="164" formatCode="yyyy-mm-dd"/>'
                      '</numFmts><cellXfs count="2"><xf numFmtId="0"/><xf numFmtId="164"/></cellXfs></styleSheet>'),
    ("xl/sharedStrings.xml", f'<sst {NS} count="2"><si><t>Name</t></si><si><r><t>Co</t></r><r><t>de</t></r></si></sst>'),
    ("xl/worksheets/sheet1.xml", f'<worksheet {NS}><sheetData>'
     '<row r="1"><c r="A1" t="s"><v>0</v></c><c r="B1" t="s"><v>1</v></c></row>'
     '<row r="2"><c r="A2" t="inlineStr"><is><t>Apple</t></is></c><c r="B2"><v>123</v></c>'
     '<c r="C2" s="1"><v>45366</v></c><c r="D2" t="b"><v>1</v></c><c r="E2" t="e"><v>#N/A</v></c></row>'
     '</sheetData></worksheet>'),
]

ODS = [
    ("mimetype", "application/vnd.oasis.opendocument.spreadsheet"),
    ("content.xml", '<office:document-content xmlns:office="urn:oasis:names:tc:opendocument:xmlns:office:1.0" '
     'xmlns:table="urn:oasis:names:tc:opendocument:xmlns:table:1.0" '
     'xmlns:text="urn:oasis:names:tc:opendocument:xmlns:text:1.0"><office:body><office:spreadsheet>'
     '<table:table table:name="Data"><table:table-row><table:table-cell office:value-type="string"><text:p>Name'
     '</text:p></table:table-cell><table:table-cell office:value-type="string"><text:p>Code</text:p>'
     '</table:table-cell></table:table-row><table:table-row table:number-rows-repeated="2"><table:table-cell '
     'office:value-type="float" office:value="1.5" table:number-columns-repeated="2"><text:p>1.5</text:p>'
     '</table:table-cell></table:table-row><table:table-row><table:table-cell office:value-type="date" '
     'office:date-value="2024-03-15"/><table:table-cell/></table:table-row></table:table>'
     '</office:spreadsheet></office:body></office:document-content>'),
]


def bmp(width, height, bpp, compression, pixels, palette=()):
    pal = b"".join(bytes((b, g, r, 0)) for r, g, b in palette)
    offset = 14 + 40 + len(pal)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, bpp, compression, len(pixels), 2835, 2835,
                       len(palette), 0)
    return b"BM" + struct.pack("<IHHI", offset + len(pixels), 0, 0, offset) + info + pal + pixels


PALETTE = [(0, 0, 0), (255, 0, 0), (0, 255, 0), (0, 0, 255)] + [(255, 255, 255)] * 12


def wmf(records):
    def record(function, body=b""):
        return struct.pack("<IH", 3 + len(body) // 2, function) + body
    placeable = struct.pack("<IHhhhhHI", 0x9AC6CDD7, 0, 0, 0, 1000, 500, 1000, 0)
    checksum = 0
    for i in range(0, 20, 2):
        checksum ^= struct.unpack("<H", placeable[i:i + 2])[0]
    body = b"".join(record(f, b) for f, b in records) + record(0)
    header = struct.pack("<HHHIHIH", 1, 9, 0x300, (18 + len(body)) // 2, 2, 64, 0)
    return placeable + struct.pack("<H", checksum) + header + body


def emf(records):
    def record(kind, values, tail=b""):
        body = struct.pack("<%dI" % len(values), *values) + tail
        body += b"\0" * (-len(body) % 4)
        return struct.pack("<II", kind, 8 + len(body)) + body
    body = b"".join(record(*r) for r in records) + record(14, (0, 16, 20))
    header = struct.pack("<II4i4iIIIIHHIIIiiii", 1, 88, 0, 0, 99, 49, 0, 0, 2646, 1323, 0x464D4520, 0x10000,
                         88 + len(body), len(records) + 2, 2, 0, 0, 0, 0, 1024, 768, 271, 203)
    return header + body


def png(width, height):
    def chunk(kind, data):
        return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data))
    rows = b"".join(b"\0" + b"\xff\x00\x00" * width for _ in range(height))
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 2, 0, 0, 0)) +
            chunk(b"IDAT", zlib.compress(rows)) + chunk(b"IEND", b""))


def main(root):
    write(os.path.join(root, "xlsx"), "sheet.xlsx", zipped(XLSX))
    write(os.path.join(root, "ods"), "sheet.ods", zipped(ODS))
    pictures = os.path.join(root, "picture")
    write(pictures, "rgb.bmp", bmp(3, 2, 24, 0, bytes(range(24))))
    write(pictures, "palette.bmp", bmp(4, 2, 4, 0, b"\x01\x23\x00\x00\x32\x10\x00\x00", PALETTE))
    write(pictures, "rle8.bmp", bmp(8, 4, 8, 1, b"\x04\x01\x00\x03\x02\x03\x01\x00\x00\x00\x02\x01\x01\x00\x01",
                                    PALETTE))
    write(pictures, "rle4.bmp", bmp(8, 4, 4, 2, b"\x04\x12\x00\x03\x12\x30\x00\x00\x08\x33\x00\x01", PALETTE))
    icon_image = struct.pack("<IiiHHIIiiII", 40, 2, 4, 1, 32, 0, 0, 0, 0, 0, 0) + b"\x80" * 16 + b"\0" * 8
    write(pictures, "icon.ico", struct.pack("<HHHBBBBHHII", 0, 1, 1, 2, 2, 0, 0, 1, 32, len(icon_image), 22) +
          icon_image)
    dib = struct.pack("<IiiHHIIiiII", 40, 2, 2, 1, 24, 0, 16, 0, 0, 0, 0) + bytes(16)
    text = b"Ab\xfc"
    write(pictures, "drawing.wmf", wmf([
        (0x02FC, struct.pack("<HIH", 0, 0x0000FF, 0)), (0x012D, struct.pack("<H", 0)),
        (0x041B, struct.pack("<4h", 400, 900, 100, 100)),
        (0x02FB, struct.pack("<5h8B", 200, 0, 0, 0, 400, 0, 0, 0, 0, 0, 0, 0, 0) + b"Arial".ljust(32, b"\0")),
        (0x012D, struct.pack("<H", 1)),
        (0x0521, struct.pack("<H", len(text)) + text + b"\0" + struct.pack("<hh", 300, 100)),
        (0x0F43, struct.pack("<IH8h", 0x00CC0020, 0, 2, 2, 0, 0, 400, 800, 50, 100) + dib)]))
    write(pictures, "drawing.emf", emf([(39, (1, 0, 0xFF, 0)), (37, (1,)), (43, (10, 10, 90, 40))]))
    write(pictures, "image.png", png(3, 2))
    write(pictures, "image.gif", b"GIF89a\x02\x00\x02\x00\x80\x00\x00\xff\x00\x00\x00\x00\xff,\x00\x00\x00\x00"
                                 b"\x02\x00\x02\x00\x00\x02\x02\x84\x51\x00;")
    write(pictures, "drawing.svg", b'<svg xmlns="http://www.w3.org/2000/svg" '
                                   b'xmlns:xlink="http://www.w3.org/1999/xlink" width="10" height="10">'
                                   b'<rect width="5" height="5" fill="red"/><text x="1" y="9">a</text></svg>')


if __name__ == "__main__":
    if len(sys.argv) != 2:
        sys.exit(__doc__)
    main(sys.argv[1])
