#!/usr/bin/python3
"""Dumps an Excel 97-2003 workbook as an independent reader (xlrd) sees it.

Output, UTF-8, one item per line:
  sheet<TAB>name                      for every sheet, in order
  cell<TAB>row<TAB>col<TAB>kind<TAB>value   for every non-empty cell of the first sheet
row and col count from 1; kind is "text" or "number"; a whole number is
printed without decimals; backslash, TAB and line feed in texts are escaped.
Exit status 2 when the file cannot be read.
"""
import sys

import xlrd


def escape(text):
    return text.replace("\\", "\\\\").replace("\t", "\\t").replace("\n", "\\n")


def main():
    out = open(sys.stdout.fileno(), "w", encoding="utf-8", newline="\n", closefd=False)
    try:
        book = xlrd.open_workbook(sys.argv[1], ragged_rows=True)
    except Exception as e:  # any failure to parse is the verdict we report
        print("unreadable: %s" % e, file=sys.stderr)
        return 2
    for sheet in book.sheets():
        out.write("sheet\t%s\n" % escape(sheet.name))
    if book.nsheets:
        sheet = book.sheet_by_index(0)
        for r in range(sheet.nrows):
            for c in range(sheet.row_len(r)):
                cell = sheet.cell(r, c)
                if cell.ctype == xlrd.XL_CELL_EMPTY:
                    continue
                if cell.ctype == xlrd.XL_CELL_NUMBER:
                    v = cell.value
                    value = "%d" % v if v == int(v) else repr(v)
                    out.write("cell\t%d\t%d\tnumber\t%s\n" % (r + 1, c + 1, value))
                else:
                    out.write("cell\t%d\t%d\ttext\t%s\n" % (r + 1, c + 1, escape(str(cell.value))))
    out.flush()
    return 0


if __name__ == "__main__":
    sys.exit(main())
