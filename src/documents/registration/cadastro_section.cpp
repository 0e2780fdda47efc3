// oxr:cadastro: the operator's trade name, head-office address, phones and
// faxes, e-mail and mailing address, all from "Dados Cadastrais".
#include "documents/registration/cadastral_sections.h"

namespace voske {

namespace {

// One pass over the phone rows G6:K6 and below, writing `element` for every
// row of the given type. A row whose type cell is truly empty ends the list;
// a type that is only blanks, or another letter, is passed over.
void WritePhoneRows(CadastralContext& b, const SheetView& dc, const char* type, const char* element) {
  for (int row = 6; !dc.TextAt(row, Col('G')).empty(); ++row) {
    if (UpperAscii(Trim(dc.TextAt(row, Col('G')))) != type) continue;
    b.gen.AddElement(element);
    WritePhoneBlock(b, dc, {row, Col('H')});
    b.gen.ReturnTo("oxr:cadastro");
  }
}

}  // namespace

void WriteCadastro(CadastralContext& b) {
  const SheetView dc = b.Sheet(SheetId::DadosCadastrais);
  b.gen.ReturnTo(b.kindElement);
  b.gen.AddElement("oxr:cadastro");
  b.gen.AddTextElement("oxr:nomeFantasia", dc.TextAt(8, Col('B')), OriginOf(dc, 8, Col('B')));

  b.gen.AddElement("oxr:enderecoMatriz");
  WriteAddressBlock(b, {dc, {15, Col('B')}, {15, Col('D')}, {16, Col('B')}, {17, Col('B')}, {17, Col('D')},
                        {16, Col('D')}});
  b.Breathe();
  b.gen.ReturnTo("oxr:cadastro");

  // All telephones first, then all faxes, each in row order.
  WritePhoneRows(b, dc, "T", "oxr:telefone");
  b.Breathe();
  WritePhoneRows(b, dc, "F", "oxr:fax");
  b.Breathe();

  b.gen.AddTextElement("oxr:eMail", dc.TextAt(10, Col('B')), OriginOf(dc, 10, Col('B')));

  b.gen.AddElement("oxr:enderecoCorresp");
  WriteAddressBlock(b, {dc, {20, Col('B')}, {20, Col('D')}, {21, Col('B')}, {22, Col('B')}, {22, Col('D')},
                        {21, Col('D')}});
  b.Breathe();
}

}  // namespace voske
