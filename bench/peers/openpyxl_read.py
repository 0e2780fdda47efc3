# Reads every cell of every worksheet of the workbook given, the way a user of
# openpyxl would, and prints how many cells hold a value.
import sys

USAGE = "Uso: openpyxl_read.py ARQUIVO.xlsx\nConta as células com valor, lidas pelo openpyxl."
if sys.argv[1:] in (["--help"], ["-h"]):
    print(USAGE)
    sys.exit(0)
if len(sys.argv) != 2 or sys.argv[1].startswith("-"):
    print(USAGE, file=sys.stderr)
    sys.exit(2)

import openpyxl  # noqa: E402 (after the arguments: --help needs no openpyxl)

book = openpyxl.load_workbook(sys.argv[1], read_only=True, data_only=True)
cells = 0
for sheet in book.worksheets:
    for row in sheet.iter_rows(values_only=True):
        cells += sum(1 for v in row if v is not None)
print(cells)
