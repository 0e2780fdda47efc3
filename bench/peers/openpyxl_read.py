# Reads every cell of every worksheet of the workbook given, the way a user of
# openpyxl would, and prints how many cells hold a value.
import sys

import openpyxl

book = openpyxl.load_workbook(sys.argv[1], read_only=True, data_only=True)
cells = 0
for sheet in book.worksheets:
    for row in sheet.iter_rows(values_only=True):
        cells += sum(1 for v in row if v is not None)
print(cells)
