#!/usr/bin/env python3
"""Writes small workbooks built to make a generation take gigabytes or hours
into a folder, one file per kind: texts that grow far beyond what their
file holds (blanks written as a count, long inline texts, long attribute
values, one text shown by many cells) and start tags with hundreds of
thousands of attributes. Every one must be refused as too large, quickly and
in bounded memory. They are made when the tests run, never committed.

    hostile_workbooks.py FOLDER
"""
import io
import os
import sys
import zipfile

MAIN = "http://schemas.openxmlformats.org/spreadsheetml/2006/main"
REL = "http://schemas.openxmlformats.org/officeDocument/2006/relationships"
PKG = "http://schemas.openxmlformats.org/package/2006/relationships"

# The worksheets a registration document reads, in the order it reads them,
# so that the generation meets each hostile worksheet as `celulas` does.
SHEETS = ["Dados Cadastrais", "Listas", "Administradores", "Representantes", "Acionistas", "Controladas",
          "Dependências"]

ODS_OPEN = ('<?xml version="1.0" encoding="UTF-8"?><office:document-content '
            'xmlns:office="urn:oasis:names:tc:opendocument:xmlns:office:1.0" '
            'xmlns:table="urn:oasis:names:tc:opendocument:xmlns:table:1.0" '
            'xmlns:text="urn:oasis:names:tc:opendocument:xmlns:text:1.0"><office:body><office:spreadsheet>')
ODS_CLOSE = "</office:spreadsheet></office:body></office:document-content>"


def xlsx(sheets, shared=None):
    """A package of (name, sheetData content) worksheets; `shared` is the
    content of the shared-string table, when there is one."""
    out = io.BytesIO()
    with zipfile.ZipFile(out, "w", zipfile.ZIP_DEFLATED, compresslevel=1) as z:
        z.writestr("[Content_Types].xml",
                   '<Types xmlns="http://schemas.openxmlformats.org/package/2006/content-types"/>')
        z.writestr("_rels/.rels", f'<Relationships xmlns="{PKG}"><Relationship Id="rId1" '
                                  f'Type="{REL}/officeDocument" Target="xl/workbook.xml"/></Relationships>')
        rels = "".join(f'<Relationship Id="rId{i + 1}" Type="{REL}/worksheet" Target="worksheets/sheet{i + 1}.xml"/>'
                       for i in range(len(sheets)))
        if shared is not None:
            rels += f'<Relationship Id="rIdS" Type="{REL}/sharedStrings" Target="sharedStrings.xml"/>'
            z.writestr("xl/sharedStrings.xml", f'<sst xmlns="{MAIN}">{shared}</sst>')
        z.writestr("xl/_rels/workbook.xml.rels", f'<Relationships xmlns="{PKG}">{rels}</Relationships>')
        listed = "".join(f'<sheet name="{name}" sheetId="{i + 1}" r:id="rId{i + 1}"/>'
                         for i, (name, _) in enumerate(sheets))
        z.writestr("xl/workbook.xml", f'<workbook xmlns="{MAIN}" xmlns:r="{REL}"><sheets>{listed}</sheets></workbook>')
        for i, (_, data) in enumerate(sheets):
            root = data[0] if isinstance(data, tuple) else f'<worksheet xmlns="{MAIN}">'
            body = data[1] if isinstance(data, tuple) else data
            z.writestr(f"xl/worksheets/sheet{i + 1}.xml", f"{root}<sheetData>{body}</sheetData></worksheet>")
    return out.getvalue()


def ods(tables):
    """A spreadsheet document of (name, table rows) tables."""
    out = io.BytesIO()
    with zipfile.ZipFile(out, "w", zipfile.ZIP_DEFLATED, compresslevel=1) as z:
        z.writestr("mimetype", "application/vnd.oasis.opendocument.spreadsheet")
        body = "".join(f'<table:table table:name="{name}">{rows}</table:table>' for name, rows in tables)
        z.writestr("content.xml", ODS_OPEN + body + ODS_CLOSE)
    return out.getvalue()


def rows_of(cells_per_row, rows, cell):
    """Rows of `cell(row, column)` strings, `cells_per_row` to a row."""
    return "".join(f'<row r="{r}">' + "".join(cell(r, c) for c in range(cells_per_row)) + "</row>"
                   for r in range(1, rows + 1))


def column_letter(c):
    return chr(ord("A") + c)


def inline_cells(length, rows):
    """Worksheet rows of 8 inline texts of `length` letters, each one distinct."""
    return rows_of(8, rows, lambda r, c: f'<c r="{column_letter(c)}{r}" t="inlineStr"><is><t>{r}{column_letter(c)}'
                                         + "x" * length + "</t></is></c>")


def ods_rows(rows, cell):
    return "".join("<table:table-row>" + "".join(cell(r, c) for c in range(8)) + "</table:table-row>"
                   for r in range(rows))


def workbooks():
    # Blanks written as a count: 30 bytes that were a megabyte each.
    yield "ods-espacos-1mb.ods", ods([(SHEETS[0], ods_rows(250, lambda r, c: (
        f'<table:table-cell office:value-type="string"><text:p>{r}.{c}<text:s text:c="1000000"/>'
        '</text:p></table:table-cell>')))])
    # The same within a cell's length, over enough cells to pass any memory.
    yield "ods-espacos-32k.ods", ods([(SHEETS[0], ods_rows(2500, lambda r, c: (
        f'<table:table-cell office:value-type="string"><text:p>{r}.{c}<text:s text:c="32000"/>'
        '</text:p></table:table-cell>')))])
    # Texts carried by an attribute: a megabyte to a cell, and a cell's
    # length in each of 1,800 cells of rows shown eight times over.
    yield "ods-string-value-1mb.ods", ods([(SHEETS[0], ods_rows(1, lambda r, c: (
        f'<table:table-cell office:value-type="string" office:string-value="{c}{"v" * (1 << 20)}"/>')))])
    yield "ods-string-value-32k.ods", ods([(SHEETS[0], ods_rows(225, lambda r, c: (
        f'<table:table-cell office:value-type="string" office:string-value="{r}.{c}{"v" * 32000}"/>')).replace(
            "<table:table-row>", '<table:table-row table:number-rows-repeated="8">'))])
    # Megabyte inline texts, each worksheet below the size where the
    # package's compression ratio is watched.
    yield "xlsx-inline-1mb.xlsx", xlsx([(SHEETS[0], inline_cells(1 << 20, 7))] + [(name, "") for name in SHEETS[1:]])
    # Inline texts of a cell's length, 57 MB to a worksheet.
    yield "xlsx-inline-32k.xlsx", xlsx([(name, inline_cells(32000, 225) if i < 5 else "")
                                        for i, name in enumerate(SHEETS)])
    # One shared text of a cell's length, shown by every cell of a worksheet.
    yield "xlsx-compartilhado.xlsx", xlsx(
        [(name, rows_of(8, 4000, lambda r, c: f'<c r="{column_letter(c)}{r}" t="s"><v>0</v></c>')) for name in SHEETS],
        shared="<si><t>" + "s" * 32000 + "</t></si>")
    # The first worksheet's root element carries 600,000 attributes.
    many = " ".join(f'a{i}=""' for i in range(600_000))
    yield "xlsx-600k-atributos.xlsx", xlsx([(SHEETS[0], (f'<worksheet xmlns="{MAIN}" {many}>', ""))] +
                                           [(name, "") for name in SHEETS[1:]])


def main():
    folder = sys.argv[1]
    os.makedirs(folder, exist_ok=True)
    for name, data in workbooks():
        with open(os.path.join(folder, name), "wb") as f:
            f.write(data)


if __name__ == "__main__":
    main()
