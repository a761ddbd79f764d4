#!/usr/bin/python3
"""Dumps a workbook as an independent reader sees it: an Excel 97-2003 file
(.xls) through xlrd, an Office Open XML file (.xlsx) through openpyxl.

Output, UTF-8, one item per line:
  sheet<TAB>name                      for every sheet, in order
  cell<TAB>row<TAB>col<TAB>kind<TAB>value   for every non-empty cell of the first sheet
row and col count from 1; kind is "text" or "number"; a whole number is
printed without decimals; backslash, TAB and line feed in texts are escaped.
Exit status 2 when the file cannot be read.
"""
import sys


def escape(text):
    return text.replace("\\", "\\\\").replace("\t", "\\t").replace("\n", "\\n")


def xls_sheets(path):
    """Sheet names and (row, col, is_number, value) of the first sheet, by xlrd."""
    import xlrd
    book = xlrd.open_workbook(path, ragged_rows=True)
    cells = []
    if book.nsheets:
        sheet = book.sheet_by_index(0)
        for r in range(sheet.nrows):
            for c in range(sheet.row_len(r)):
                cell = sheet.cell(r, c)
                if cell.ctype != xlrd.XL_CELL_EMPTY:
                    cells.append((r + 1, c + 1, cell.ctype == xlrd.XL_CELL_NUMBER, cell.value))
    return [s.name for s in book.sheets()], cells


def xlsx_sheets(path):
    """The same by openpyxl."""
    import openpyxl
    book = openpyxl.load_workbook(path, read_only=True)
    cells = []
    if book.sheetnames:
        sheet = book[book.sheetnames[0]]
        # Without the declared dimensions the reader gives each row's own
        # cells, not every empty cell up to the last column.
        sheet.reset_dimensions()
        for row in sheet.iter_rows():
            for cell in row:
                if cell.value is not None:
                    cells.append((cell.row, cell.column, isinstance(cell.value, (int, float)), cell.value))
    return book.sheetnames, cells


def main():
    out = open(sys.stdout.fileno(), "w", encoding="utf-8", newline="\n", closefd=False)
    path = sys.argv[1]
    try:
        names, cells = (xlsx_sheets if path.endswith(".xlsx") else xls_sheets)(path)
    except Exception as e:  # any failure to parse is the verdict we report
        print("unreadable: %s" % e, file=sys.stderr)
        return 2
    for name in names:
        out.write("sheet\t%s\n" % escape(name))
    for r, c, is_number, v in cells:
        if is_number:
            value = "%d" % v if v == int(v) else repr(v)
            out.write("cell\t%d\t%d\tnumber\t%s\n" % (r, c, value))
        else:
            out.write("cell\t%d\t%d\ttext\t%s\n" % (r, c, escape(str(v))))
    out.flush()
    return 0


if __name__ == "__main__":
    sys.exit(main())
