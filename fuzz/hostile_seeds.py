#!/usr/bin/env python3
"""Writes the hostile seeds of one fuzz target into a folder: small inputs
built to make a reader take gigabytes or hours (an unclosed nest of
elements, one long text shown by many cells, a cell repeated across a row,
a lone cell at the far corner of the grid, many worksheets naming one part).
They are made here, never committed: some grow large when unpacked.

    hostile_seeds.py TARGET FOLDER
"""
import io
import os
import sys
import zipfile

MAIN = "http://schemas.openxmlformats.org/spreadsheetml/2006/main"
REL = "http://schemas.openxmlformats.org/officeDocument/2006/relationships"
PKG = "http://schemas.openxmlformats.org/package/2006/relationships"


def sheet(data):
    return f'<worksheet xmlns="{MAIN}"><sheetData>{data}</sheetData></worksheet>'


def sst(items):
    return f'<sst xmlns="{MAIN}">{items}</sst>'


def workbook(names, targets=None):
    sheets = "".join(
        f'<sheet name="{n}" sheetId="{i + 1}" r:id="rId{(targets or {}).get(i, i + 1)}"/>' for i, n in enumerate(names))
    return f'<workbook xmlns="{MAIN}" xmlns:r="{REL}"><sheets>{sheets}</sheets></workbook>'


def xlsx(sheets, shared="", names=None, same_part=False):
    """A package of the given worksheet parts; with same_part, every name in
    `names` points at the first part."""
    names = names or [f"P{i + 1}" for i in range(len(sheets))]
    out = io.BytesIO()
    with zipfile.ZipFile(out, "w", zipfile.ZIP_DEFLATED) as z:
        z.writestr("[Content_Types].xml", '<Types xmlns="http://schemas.openxmlformats.org/package/2006/content-types"/>')
        z.writestr("_rels/.rels", f'<Relationships xmlns="{PKG}"><Relationship Id="rId1" Type="{REL}/officeDocument" '
                                  'Target="xl/workbook.xml"/></Relationships>')
        rels = "".join(f'<Relationship Id="rId{i + 1}" Type="{REL}/worksheet" Target="worksheets/sheet{i + 1}.xml"/>'
                       for i in range(len(sheets)))
        if shared:
            rels += f'<Relationship Id="rIdS" Type="{REL}/sharedStrings" Target="sharedStrings.xml"/>'
            z.writestr("xl/sharedStrings.xml", shared)
        z.writestr("xl/_rels/workbook.xml.rels", f'<Relationships xmlns="{PKG}">{rels}</Relationships>')
        targets = {i: 1 for i in range(len(names))} if same_part else None
        z.writestr("xl/workbook.xml", workbook(names, targets))
        for i, part in enumerate(sheets):
            z.writestr(f"xl/worksheets/sheet{i + 1}.xml", part)
    return out.getvalue()


# The worksheet parts and shared strings of the xlsx seeds.
NEST = "<a>" * 200_000
LONG = "x" * 65_536
MANY_REFS = "".join(f'<row r="{r}"><c r="A{r}" t="s"><v>0</v></c></row>' for r in range(1, 2001))
CORNER = '<row r="1048574"><c r="H1048574"><v>1</v></c></row>'
BLANK_TAIL = " " * (4 << 20)

ODS_OPEN = ('<office:document-content xmlns:office="urn:oasis:names:tc:opendocument:xmlns:office:1.0" '
            'xmlns:table="urn:oasis:names:tc:opendocument:xmlns:table:1.0" '
            'xmlns:text="urn:oasis:names:tc:opendocument:xmlns:text:1.0"><office:body><office:spreadsheet>')
ODS_CLOSE = "</office:spreadsheet></office:body></office:document-content>"


def ods_content(table_rows):
    return ODS_OPEN + f'<table:table table:name="P1">{table_rows}</table:table>' + ODS_CLOSE


ODS_REPEATED = ('<table:table-row table:number-rows-repeated="400"><table:table-cell '
                'table:number-columns-repeated="16384" office:value-type="string"><text:p>' + "y" * 4096 +
                '</text:p></table:table-cell></table:table-row>')


def seeds(target):
    if target == "fuzz_xlsx_parts":
        wb = workbook(["P1"])
        yield "nest", (sheet(NEST) + "\0" + sst("") + "\0" + wb).encode()
        yield "shared", (sheet(MANY_REFS) + "\0" + sst(f"<si><t>{LONG}</t></si>") + "\0" + wb).encode()
        yield "corner", (sheet(CORNER) + "\0" + sst("") + "\0" + wb).encode()
    elif target == "fuzz_ods_content":
        yield "nest", ods_content("<table:table-row>" + "<text:p>" * 120_000).encode()
        yield "repeated", ods_content(ODS_REPEATED).encode()
    elif target == "fuzz_xlsx":
        yield "nest", xlsx([sheet(NEST)])
        yield "shared", xlsx([sheet(MANY_REFS)], sst(f"<si><t>{LONG}</t></si>"))
        yield "corner", xlsx([sheet(CORNER)] * 8)
        yield "same-part", xlsx([sheet('<row r="1"><c r="A1"><v>5</v></c></row>' + BLANK_TAIL)],
                                names=[f"P{i}" for i in range(1, 2001)], same_part=True)
        ods = io.BytesIO()
        with zipfile.ZipFile(ods, "w", zipfile.ZIP_DEFLATED) as z:
            z.writestr("mimetype", "application/vnd.oasis.opendocument.spreadsheet")
            z.writestr("content.xml", ods_content(ODS_REPEATED))
        yield "ods-repeated", ods.getvalue()


USAGE = "Uso: hostile_seeds.py ALVO PASTA\nGrava em PASTA as entradas hostis do alvo de fuzzing ALVO (fuzz_xlsx...)."


def main():
    args = sys.argv[1:]
    if "--help" in args or "-h" in args:
        print(USAGE)
        return
    if len(args) != 2 or any(a.startswith("-") for a in args):
        print(f"hostile_seeds.py: argumentos errados: {' '.join(args)}\n{USAGE}", file=sys.stderr)
        sys.exit(2)
    target, folder = args
    os.makedirs(folder, exist_ok=True)
    for name, data in seeds(target):
        with open(os.path.join(folder, f"hostile-{name}"), "wb") as f:
            f.write(data)


if __name__ == "__main__":
    main()
