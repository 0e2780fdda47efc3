// oxr:representante and oxr:represRN117: the operator's two representatives
// before the regulator, from "Representantes". Their phones share one table
// (I5:N5 and below) and are told apart only by the owner's CPF in column I.
#include "documents/cell_date.h"
#include "documents/registration/cadastral_sections.h"
#include "values/converters.h"

namespace voske {

namespace {

bool AllFilled(const WorksheetArray& rep, std::initializer_list<const char*> cells) {
  for (const char* a1 : cells)
    if (CellAt(rep, a1).empty()) return false;
  return true;
}

// Whether the phone row belongs to the owner whose CPF is `ownerCpf`. Both
// sides lose their punctuation and are padded to a CPF's 11 digits, so
// "123.456.789-09" matches 12345678909, and "045.218.736-26" matches the
// number 4521873626 that the spreadsheet keeps when the CPF is typed bare.
bool PhoneRowOf(const WorksheetArray& rep, int row, const Text& ownerCpf) {
  return ZeroPadCode(ownerCpf, 11) == ZeroPadCode(rep.TextAt(row, Col('I')), 11);
}

bool PhoneRowIs(const WorksheetArray& rep, int row, const char* type) {
  return UpperAscii(Trim(rep.TextAt(row, Col('J')))) == type;
}

void WritePhoneRow(CadastralBuild& b, const WorksheetArray& rep, int row, const char* element) {
  b.gen.AddElement(element);
  WritePhoneBlock(b, rep.TextAt(row, Col('K')), rep.TextAt(row, Col('L')), rep.TextAt(row, Col('M')),
                  rep.TextAt(row, Col('N')));
}

// The first phone row of the owner with the given type, or 0.
int FirstPhoneRow(const WorksheetArray& rep, const Text& ownerCpf, const char* type) {
  for (int row = 5; !rep.TextAt(row, Col('I')).empty(); ++row)
    if (PhoneRowIs(rep, row, type) && PhoneRowOf(rep, row, ownerCpf)) return row;
  return 0;
}

}  // namespace

void WriteRepresentante(CadastralBuild& b) {
  const WorksheetArray& rep = b.Sheet(SheetRepresentantes());
  b.gen.ReturnTo(b.kindElement);
  b.gen.AddElement("oxr:representante");
  const Text cpf = CellAt(rep, "B4");
  b.gen.AddTextElement("oxr:CPF", ZeroPadCode(cpf, 11));
  b.gen.AddTextElement("oxr:nome", CellAt(rep, "B5"));

  // Address and telephones are written only with a complete address.
  if (AllFilled(rep, {"E4", "G4", "E5", "G5", "E6", "G6"})) {
    b.gen.AddElement("oxr:enderecoRepresentante");
    WriteAddressBlock(b, {CellAt(rep, "E4"), CellAt(rep, "G4"), CellAt(rep, "E5"), CellAt(rep, "E6"),
                          &CellRef(rep, "G6"), CellAt(rep, "G5")});
    b.gen.ReturnTo("oxr:representante");
    for (int row = 5; !rep.TextAt(row, Col('I')).empty(); ++row) {
      if (!PhoneRowIs(rep, row, "T") || !PhoneRowOf(rep, row, cpf)) continue;
      WritePhoneRow(b, rep, row, "oxr:telefone");
      b.gen.ReturnTo("oxr:representante");
    }
  }

  b.gen.ReturnTo("oxr:representante");
  const Text email = CellAt(rep, "B6");
  if (!email.empty()) b.gen.AddTextElement("oxr:eMail", email);
}

void WriteRepresRN117(CadastralBuild& b) {
  const WorksheetArray& rep = b.Sheet(SheetRepresentantes());
  b.gen.ReturnTo(b.kindElement);
  b.gen.AddElement("oxr:represRN117");
  const Text cpf = CellAt(rep, "B9");
  b.gen.AddTextElement("oxr:CPF", ZeroPadCode(cpf, 11));
  b.gen.AddTextElement("oxr:nome", CellAt(rep, "B10"));

  // The address is always written; an empty municipality gives an empty
  // oxr:siglaUF, an unlisted one none.
  b.gen.AddElement("oxr:enderecoRepresentante");
  b.gen.AddTextElement("oxr:logradouro", CellAt(rep, "E9"));
  b.gen.AddTextElement("oxr:numLogradouro", CellAt(rep, "G9"));
  b.gen.AddTextElement("oxr:complemento", CellAt(rep, "E10"));
  b.gen.AddTextElement("oxr:bairro", CellAt(rep, "E11"));
  b.gen.AddTextElement("oxr:municipioIBGE", CellAt(rep, "G11"));
  if (Trim(CellAt(rep, "G11")).empty())
    b.gen.AddTextElement("oxr:siglaUF", Text());
  else
    LookupUF(b, CellRef(rep, "G11"));
  b.gen.AddTextElement("oxr:cep", ZeroPadCode(CellAt(rep, "G10"), 8));

  // Exactly one telephone: the first "T" row of this CPF, or an empty one.
  b.gen.ReturnTo("oxr:represRN117");
  const int phoneRow = cpf.empty() ? 0 : FirstPhoneRow(rep, cpf, "T");
  if (phoneRow != 0) {
    WritePhoneRow(b, rep, phoneRow, "oxr:telefone");
  } else {
    b.gen.AddElement("oxr:telefone");
    WritePhoneBlock(b, Text(), Text(), Text(), Text());
  }
  b.gen.ReturnTo("oxr:represRN117");

  // At most one fax, and only with a complete address.
  if (!cpf.empty() && AllFilled(rep, {"E9", "G9", "E10", "G10", "E11", "G11"})) {
    if (const int faxRow = FirstPhoneRow(rep, cpf, "F")) {
      WritePhoneRow(b, rep, faxRow, "oxr:fax");
      b.gen.ReturnTo("oxr:represRN117");
    }
  }
  b.Breathe();

  const Text email = CellAt(rep, "B11");
  if (!email.empty()) b.gen.AddTextElement("oxr:eMail", email);
  b.gen.AddTextElement("oxr:numeroRG", CellAt(rep, "B12"));
  const Text issued = CellAt(rep, "B13");
  b.gen.AddTextElement("oxr:dataExpedicao", issued.empty() ? Text() : CellDate(CellRef(rep, "B13"), rep.Dates()));
  // The issuing body (row 15) comes before the validity date (row 14).
  b.gen.AddTextElement("oxr:orgaoExpedidor", CellAt(rep, "B15"));
  const Text validUntil = CellAt(rep, "B14");
  if (!validUntil.empty()) b.gen.AddTextElement("oxr:dataValidade", CellDate(CellRef(rep, "B14"), rep.Dates()));
  b.gen.AddTextElement("oxr:pais", CellAt(rep, "B16"));
  b.gen.AddTextElement("oxr:cargo", CellAt(rep, "B17"));
}

}  // namespace voske
