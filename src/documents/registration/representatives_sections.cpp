// oxr:representante and oxr:represRN117: the operator's two representatives
// before the regulator, from "Representantes". Their phones share one table
// (I5:N5 and below) and are told apart only by the owner's CPF in column I.
#include "documents/cell_date.h"
#include "documents/registration/cadastral_sections.h"
#include "values/converters.h"

namespace voske {

namespace {

bool AllFilled(const SheetView& rep, std::initializer_list<CellAt> cells) {
  for (const CellAt& cell : cells)
    if (rep.TextAt(cell.row, cell.column).empty()) return false;
  return true;
}

// Whether the phone row belongs to the owner whose CPF is `ownerCpf`. Both
// sides lose their punctuation and are padded to a CPF's 11 digits, so
// "123.456.789-09" matches 12345678909, and "045.218.736-26" matches the
// number 4521873626 that the spreadsheet keeps when the CPF is typed bare.
bool PhoneRowOf(const SheetView& rep, int row, const Text& ownerCpf) {
  return ZeroPadCode(ownerCpf, 11) == ZeroPadCode(rep.TextAt(row, Col('I')), 11);
}

bool PhoneRowIs(const SheetView& rep, int row, const char* type) {
  return UpperAscii(Trim(rep.TextAt(row, Col('J')))) == type;
}

void WritePhoneRow(CadastralContext& b, const SheetView& rep, int row, const char* element) {
  b.gen.AddElement(element);
  WritePhoneBlock(b, rep, {row, Col('K')});
}

// The first phone row of the owner with the given type, or 0.
int FirstPhoneRow(const SheetView& rep, const Text& ownerCpf, const char* type) {
  for (int row = 5; !rep.TextAt(row, Col('I')).empty(); ++row)
    if (PhoneRowIs(rep, row, type) && PhoneRowOf(rep, row, ownerCpf)) return row;
  return 0;
}

}  // namespace

void WriteRepresentante(CadastralContext& b) {
  const SheetView rep = b.Sheet(SheetId::Representantes);
  b.gen.ReturnTo(b.kindElement);
  b.gen.AddElement("oxr:representante");
  const Text cpf = rep.TextAt(4, Col('B'));
  b.gen.AddTextElement("oxr:CPF", ZeroPadCode(cpf, 11), OriginOf(rep, 4, Col('B')));
  b.gen.AddTextElement("oxr:nome", rep.TextAt(5, Col('B')), OriginOf(rep, 5, Col('B')));

  // Address and telephones are written only with a complete address.
  if (AllFilled(rep, {{4, Col('E')}, {4, Col('G')}, {5, Col('E')}, {5, Col('G')}, {6, Col('E')}, {6, Col('G')}})) {
    b.gen.AddElement("oxr:enderecoRepresentante");
    WriteAddressBlock(b, {rep, {4, Col('E')}, {4, Col('G')}, {5, Col('E')}, {6, Col('E')}, {6, Col('G')},
                          {5, Col('G')}});
    b.gen.ReturnTo("oxr:representante");
    for (int row = 5; !rep.TextAt(row, Col('I')).empty(); ++row) {
      if (!PhoneRowIs(rep, row, "T") || !PhoneRowOf(rep, row, cpf)) continue;
      WritePhoneRow(b, rep, row, "oxr:telefone");
      b.gen.ReturnTo("oxr:representante");
    }
  }

  b.gen.ReturnTo("oxr:representante");
  const Text email = rep.TextAt(6, Col('B'));
  if (!email.empty()) b.gen.AddTextElement("oxr:eMail", email, OriginOf(rep, 6, Col('B')));
}

void WriteRepresRN117(CadastralContext& b) {
  const SheetView rep = b.Sheet(SheetId::Representantes);
  b.gen.ReturnTo(b.kindElement);
  b.gen.AddElement("oxr:represRN117");
  const Text cpf = rep.TextAt(9, Col('B'));
  b.gen.AddTextElement("oxr:CPF", ZeroPadCode(cpf, 11), OriginOf(rep, 9, Col('B')));
  b.gen.AddTextElement("oxr:nome", rep.TextAt(10, Col('B')), OriginOf(rep, 10, Col('B')));

  // The address is always written; an empty municipality gives an empty
  // oxr:siglaUF, an unlisted one none.
  b.gen.AddElement("oxr:enderecoRepresentante");
  b.gen.AddTextElement("oxr:logradouro", rep.TextAt(9, Col('E')), OriginOf(rep, 9, Col('E')));
  b.gen.AddTextElement("oxr:numLogradouro", rep.TextAt(9, Col('G')), OriginOf(rep, 9, Col('G')));
  b.gen.AddTextElement("oxr:complemento", rep.TextAt(10, Col('E')), OriginOf(rep, 10, Col('E')));
  b.gen.AddTextElement("oxr:bairro", rep.TextAt(11, Col('E')), OriginOf(rep, 11, Col('E')));
  b.gen.AddTextElement("oxr:municipioIBGE", rep.TextAt(11, Col('G')), OriginOf(rep, 11, Col('G')));
  if (Trim(rep.TextAt(11, Col('G'))).empty())
    b.gen.AddTextElement("oxr:siglaUF", Text());
  else
    LookupUF(b, rep.At(11, Col('G')));
  b.gen.AddTextElement("oxr:cep", ZeroPadCode(rep.TextAt(10, Col('G')), 8), OriginOf(rep, 10, Col('G')));

  // Exactly one telephone: the first "T" row of this CPF, or an empty one.
  b.gen.ReturnTo("oxr:represRN117");
  const int phoneRow = cpf.empty() ? 0 : FirstPhoneRow(rep, cpf, "T");
  if (phoneRow != 0) {
    WritePhoneRow(b, rep, phoneRow, "oxr:telefone");
  } else {
    b.gen.AddElement("oxr:telefone");
    WriteEmptyPhoneBlock(b);
  }
  b.gen.ReturnTo("oxr:represRN117");

  // At most one fax, and only with a complete address.
  if (!cpf.empty() &&
      AllFilled(rep, {{9, Col('E')}, {9, Col('G')}, {10, Col('E')}, {10, Col('G')}, {11, Col('E')}, {11, Col('G')}})) {
    if (const int faxRow = FirstPhoneRow(rep, cpf, "F")) {
      WritePhoneRow(b, rep, faxRow, "oxr:fax");
      b.gen.ReturnTo("oxr:represRN117");
    }
  }
  b.Breathe();

  const auto cell = [&](int row) { return OriginOf(rep, row, Col('B')); };
  const Text email = rep.TextAt(11, Col('B'));
  if (!email.empty()) b.gen.AddTextElement("oxr:eMail", email, cell(11));
  b.gen.AddTextElement("oxr:numeroRG", rep.TextAt(12, Col('B')), cell(12));
  const Text issued = rep.TextAt(13, Col('B'));
  b.gen.AddTextElement("oxr:dataExpedicao", issued.empty() ? Text() : DateAt(rep, 13, Col('B')), cell(13));
  // The issuing body (row 15) comes before the validity date (row 14).
  b.gen.AddTextElement("oxr:orgaoExpedidor", rep.TextAt(15, Col('B')), cell(15));
  const Text validUntil = rep.TextAt(14, Col('B'));
  if (!validUntil.empty()) b.gen.AddTextElement("oxr:dataValidade", DateAt(rep, 14, Col('B')), cell(14));
  b.gen.AddTextElement("oxr:pais", rep.TextAt(16, Col('B')), cell(16));
  b.gen.AddTextElement("oxr:cargo", rep.TextAt(17, Col('B')), cell(17));
}

}  // namespace voske
