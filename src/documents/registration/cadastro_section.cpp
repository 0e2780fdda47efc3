// oxr:cadastro: the operator's trade name, head-office address, phones and
// faxes, e-mail and mailing address, all from "Dados Cadastrais".
#include "documents/registration/cadastral_sections.h"

namespace voske {

namespace {

// One pass over the phone rows G6:K6 and below, writing `element` for every
// row of the given type. A row whose type cell is truly empty ends the list;
// a type that is only blanks, or another letter, is passed over.
void WritePhoneRows(CadastralBuild& b, const WorksheetArray& dc, const char* type, const char* element) {
  for (int row = 6; !dc.TextAt(row, Col('G')).empty(); ++row) {
    if (UpperAscii(Trim(dc.TextAt(row, Col('G')))) != type) continue;
    b.gen.AddElement(element);
    WritePhoneBlock(b, dc.TextAt(row, Col('H')), dc.TextAt(row, Col('I')), dc.TextAt(row, Col('J')),
                    dc.TextAt(row, Col('K')));
    b.gen.ReturnTo("oxr:cadastro");
  }
}

}  // namespace

void WriteCadastro(CadastralBuild& b) {
  const WorksheetArray& dc = b.Sheet(SheetDadosCadastrais());
  b.gen.ReturnTo(b.kindElement);
  b.gen.AddElement("oxr:cadastro");
  b.gen.AddTextElement("oxr:nomeFantasia", CellAt(dc, "B8"), CellOrigin::At(SheetDadosCadastrais(), "B8"));

  b.gen.AddElement("oxr:enderecoMatriz");
  WriteAddressBlock(b, {CellAt(dc, "B15"), CellAt(dc, "D15"), CellAt(dc, "B16"), CellAt(dc, "B17"),
                        &CellRef(dc, "D17"), CellAt(dc, "D16")});
  b.Breathe();
  b.gen.ReturnTo("oxr:cadastro");

  // All telephones first, then all faxes, each in row order.
  WritePhoneRows(b, dc, "T", "oxr:telefone");
  b.Breathe();
  WritePhoneRows(b, dc, "F", "oxr:fax");
  b.Breathe();

  b.gen.AddTextElement("oxr:eMail", CellAt(dc, "B10"), CellOrigin::At(SheetDadosCadastrais(), "B10"));

  b.gen.AddElement("oxr:enderecoCorresp");
  WriteAddressBlock(b, {CellAt(dc, "B20"), CellAt(dc, "D20"), CellAt(dc, "B21"), CellAt(dc, "B22"),
                        &CellRef(dc, "D22"), CellAt(dc, "D21")});
  b.Breathe();
}

}  // namespace voske
