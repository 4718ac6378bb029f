#!/usr/bin/env python3
"""Writes data files that try to make an import slow or greedy.

    scripts/make-hostile-imports.py OUT_DIR [NAME...] [--full] [--mdb JET3.mdb]

Every file is small or quick to write; none is kept in the source tree. The
import tests run this script into a temporary folder and import each file
under a limit of processor time and memory. --full writes the text files at
the sizes seen in the wild (hundreds of megabytes) for measuring by hand;
without it they are just large enough to cross the import's limits. --mdb
names an intact Access 97 database whose first 92 KB become a cut copy.
NAMEs pick cases (file names as written); without them every case is written.
"""

import argparse
import os
import struct
import sys
import zipfile
import zlib

MB = 1 << 20

ODS_NS = (
    'xmlns:office="urn:oasis:names:tc:opendocument:xmlns:office:1.0" '
    'xmlns:table="urn:oasis:names:tc:opendocument:xmlns:table:1.0" '
    'xmlns:text="urn:oasis:names:tc:opendocument:xmlns:text:1.0"'
)
XLSX_NS = ('xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main" '
           'xmlns:r="http://schemas.openxmlformats.org/officeDocument/2006/relationships"')
REL_NS = "http://schemas.openxmlformats.org/officeDocument/2006/relationships/"
PKG_REL_NS = "http://schemas.openxmlformats.org/package/2006/relationships"


def write_zip(path, parts):
    """A zip package of (name, bytes) parts, deflated as office programs do."""
    with zipfile.ZipFile(path, "w", zipfile.ZIP_DEFLATED, compresslevel=9) as z:
        for name, data in parts:
            method = zipfile.ZIP_STORED if name == "mimetype" else zipfile.ZIP_DEFLATED
            z.writestr(zipfile.ZipInfo(name), data, compress_type=method)


def ods(path, table_body):
    content = ('<?xml version="1.0" encoding="UTF-8"?><office:document-content %s office:version="1.2">'
               '<office:body><office:spreadsheet><table:table table:name="S">%s</table:table>'
               '</office:spreadsheet></office:body></office:document-content>' % (ODS_NS, table_body))
    write_zip(path, [("mimetype", b"application/vnd.oasis.opendocument.spreadsheet"),
                     ("content.xml", content.encode())])


def xlsx_parts(sheet_rows, shared=None):
    workbook = ('<workbook %s><sheets><sheet name="S" sheetId="1" r:id="rId1"/></sheets></workbook>' % XLSX_NS)
    rels = ('<Relationships xmlns="%s"><Relationship Id="rId1" Type="%sworksheet" '
            'Target="worksheets/sheet1.xml"/>' % (PKG_REL_NS, REL_NS))
    if shared is not None:
        rels += '<Relationship Id="rId2" Type="%ssharedStrings" Target="sharedStrings.xml"/>' % REL_NS
    rels += "</Relationships>"
    parts = [
        ("[Content_Types].xml", b'<Types xmlns="http://schemas.openxmlformats.org/package/2006/content-types"/>'),
        ("_rels/.rels", ('<Relationships xmlns="%s"><Relationship Id="rId1" Type="%sofficeDocument" '
                         'Target="xl/workbook.xml"/></Relationships>' % (PKG_REL_NS, REL_NS)).encode()),
        ("xl/workbook.xml", workbook.encode()),
        ("xl/_rels/workbook.xml.rels", rels.encode()),
    ]
    if shared is not None:
        parts.append(("xl/sharedStrings.xml", shared))
    parts.append(("xl/worksheets/sheet1.xml",
                  ('<worksheet %s><sheetData>' % XLSX_NS).encode() + sheet_rows + b"</sheetData></worksheet>"))
    return parts


def xlsx(path, sheet_rows, shared=None):
    write_zip(path, xlsx_parts(sheet_rows, shared))


def cell(text, repeat=1):
    rep = ' table:number-columns-repeated="%d"' % repeat if repeat > 1 else ""
    return '<table:table-cell office:value-type="string"%s><text:p>%s</text:p></table:table-cell>' % (rep, text)


def ods_repeated_value(path):
    """One value repeated over a million rows and 40 columns: 42 M cells."""
    ods(path, '<table:table-row table:number-rows-repeated="1048576">%s</table:table-row>' % cell("x", 40))


def ods_most_cells(path):
    """The most values one import takes: one value over 16 M cells."""
    ods(path, '<table:table-row table:number-rows-repeated="1048576">%s</table:table-row>' % cell("x", 16))


def ods_most_text(path):
    """Nearly the most text one import takes: 1953 cells of 64 K characters."""
    ods(path, '<table:table-row table:number-rows-repeated="1953">%s</table:table-row>' % cell("y" * 65536))


def ods_long_text(path):
    """Cells of 16 M blanks each (a repeated space element), seven of them."""
    ods(path, '<table:table-row>%s</table:table-row>' % cell('<text:s text:c="1024"/>' * 16384, 7))


def ods_empty_repeats(path):
    """Only empty cells, repeated over the whole sheet, in many elements."""
    row = ('<table:table-row table:number-rows-repeated="1024">'
           + '<table:table-cell table:number-columns-repeated="16"/>' * 1024 + "</table:table-row>")
    ods(path, row * 1024)


def ods_empty(path):
    ods(path, "")


def ods_far_value(path):
    """A header, empty rows repeated a million times, then one value: the
    empty run costs nothing and the sheet is as tall as the value says."""
    ods(path, '<table:table-row>%s%s</table:table-row>'
              '<table:table-row table:number-rows-repeated="1000000"><table:table-cell '
              'table:number-columns-repeated="16384"/></table:table-row>'
              '<table:table-row>%s</table:table-row>' % (cell("Name"), cell("Code"), cell("last")))


def xlsx_sparse(path):
    """Two values spanning 16 columns by a million rows: 16 M cells declared,
    two held, and a row element for every 16th row in between."""
    rows = [b'<row r="1"><c r="A1" t="inlineStr"><is><t>Name</t></is></c></row>']
    rows += [b'<row r="%d"/>' % r for r in range(2, 1048576, 16)]
    rows.append(b'<row r="1048576"><c r="P1048576"><v>1</v></c></row>')
    xlsx(path, b"".join(rows))


def xlsx_shared_strings(path):
    """Twelve million shared strings, one cell using the first."""
    shared = (b'<sst %s>' % XLSX_NS.encode()) + b"<si><t>x</t></si>" * (12 * 1000 * 1000) + b"</sst>"
    xlsx(path, b'<row r="1"><c r="A1" t="s"><v>0</v></c></row>', shared)


def xlsx_empty(path):
    xlsx(path, b"")


def xlsx_only_errors(path):
    """An error value and a shared string that is not there."""
    xlsx(path, b'<row r="1"><c r="A1" t="e"><v>#N/A</v></c><c r="B1" t="s"><v>7</v></c></row>')


def local_header(name, method, crc, csize, usize):
    return struct.pack("<IHHHHHIIIHH", 0x04034B50, 20, 0, method, 0, 0, crc, csize, usize, len(name), 0) + name


def central_entry(name, method, crc, csize, usize, offset):
    return struct.pack("<IHHHHHHIIIHHHHHII", 0x02014B50, 20, 20, 0, method, 0, 0, crc, csize, usize,
                       len(name), 0, 0, 0, 0, 0, offset) + name


def overlapping_zip(path):
    """An .xlsx whose directory lists its large parts over the same deflated
    bytes: each unpacks the same 120 MB, which the package pretends to hold
    many times. The small parts are ordinary."""
    small = xlsx_parts(b"")[:4]
    kernel_plain = b"<worksheet><sheetData>" + b" " * (120 * MB) + b"</sheetData></worksheet>"
    kernel = zlib.compressobj(9, zlib.DEFLATED, -15)
    kernel_data = kernel.compress(kernel_plain) + kernel.flush()
    kernel_crc = zlib.crc32(kernel_plain)

    body = b""
    directory = b""
    for name, data in small:
        encoded = name.encode()
        offset = len(body)
        body += local_header(encoded, 0, zlib.crc32(data), len(data), len(data)) + data
        directory += central_entry(encoded, 0, zlib.crc32(data), len(data), len(data), offset)
    # Parts of equal name length point at one local header.
    big_names = [b"xl/worksheets/sheet1.xml"] + [b"xl/worksheets/sheet%d.xml" % i for i in range(2, 10)]
    kernel_offset = len(body)
    body += local_header(big_names[0], 8, kernel_crc, len(kernel_data), len(kernel_plain)) + kernel_data
    for name in big_names:
        directory += central_entry(name, 8, kernel_crc, len(kernel_data), len(kernel_plain), kernel_offset)
    count = len(small) + len(big_names)
    end = struct.pack("<IHHHHIIH", 0x06054B50, 0, 0, count, count, len(directory), len(body), 0)
    with open(path, "wb") as f:
        f.write(body + directory + end)


def big_text_size(full):
    return 500 * MB if full else 8 * MB


def write_repeated(path, head, unit, size):
    """head, then unit repeated to `size` bytes (rounded down to whole units)."""
    chunk = unit * (4 * MB // len(unit))
    with open(path, "wb") as f:
        f.write(head)
        for _ in range(size // len(chunk)):
            f.write(chunk)
        f.write(unit * (size % len(chunk) // len(unit)))


def csv_one_line(path, full):
    write_repeated(path, b"Name,Code\n", b"x", big_text_size(full))


def csv_commas(path, full):
    write_repeated(path, b"", b"a,", big_text_size(full))


def csv_long_cell(path):
    """A quoted field of 256 K characters on a short line."""
    with open(path, "wb") as f:
        f.write(b'Name,Code\nfirst,1\n"' + b"y" * (256 * 1024) + b'",2\n')


def csv_many_lines(path, full):
    """Short lines by the million: rows, not columns."""
    lines = (40 if full else 17) * 1000 * 1000
    write_repeated(path, b"", b"a\n", lines * 2)


def csv_mixed_encodings(path):
    """UTF-8 and Windows-1252 lines in one file."""
    with open(path, "wb") as f:
        f.write("Name,City\nMüller,München\n".encode("utf-8") + "Straße,Köln\n".encode("cp1252"))


def mdb_cut(path, mdb):
    """The first 92 KB of an intact Access 97 database: the catalog's pages
    are cut off where a reader can go round in circles."""
    with open(mdb, "rb") as f:
        head = f.read(92 * 1024)
    with open(path, "wb") as f:
        f.write(head)


def cases(full, mdb):
    """Every case: its file name and how to write it."""
    table = {
        "ods-repeated-value.ods": ods_repeated_value,
        "ods-most-cells.ods": ods_most_cells,
        "ods-most-text.ods": ods_most_text,
        "ods-long-text.ods": ods_long_text,
        "ods-empty-repeats.ods": ods_empty_repeats,
        "ods-empty.ods": ods_empty,
        "ods-far-value.ods": ods_far_value,
        "xlsx-sparse-16m.xlsx": xlsx_sparse,
        "xlsx-shared-strings.xlsx": xlsx_shared_strings,
        "xlsx-empty.xlsx": xlsx_empty,
        "xlsx-only-errors.xlsx": xlsx_only_errors,
        "zip-overlap.xlsx": overlapping_zip,
        "csv-one-line.csv": lambda p: csv_one_line(p, full),
        "csv-commas.csv": lambda p: csv_commas(p, full),
        "csv-long-cell.csv": csv_long_cell,
        "csv-many-lines.csv": lambda p: csv_many_lines(p, full),
        "csv-mixed-encodings.csv": csv_mixed_encodings,
    }
    if mdb and os.path.isfile(mdb):
        table["mdb-cut-jet3.mdb"] = lambda p: mdb_cut(p, mdb)
    return table


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("out")
    parser.add_argument("names", nargs="*", help="the cases to write (default: all)")
    parser.add_argument("--full", action="store_true", help="text files at their sizes seen in the wild")
    parser.add_argument("--mdb", help="an intact Access 97 database to cut")
    args = parser.parse_intermixed_args()
    table = cases(args.full, args.mdb)
    unknown = [n for n in args.names if n not in table]
    if unknown:
        parser.error("no such case: " + ", ".join(unknown))
    os.makedirs(args.out, exist_ok=True)
    for name in args.names or table:
        table[name](os.path.join(args.out, name))
    return 0


if __name__ == "__main__":
    sys.exit(main())
