// oxr:dadosBasicos (the accounting, actuarial and audit responsibles) and
// oxr:administradores (administrators and technical responsibles), both from
// "Administradores".
#include "documents/cell_date.h"
#include "documents/registration/cadastral_sections.h"
#include "values/converters.h"

namespace voske {

namespace {

// The first row carrying `code` in H10:H12 (natural persons, CPF in I) or,
// failing that, in H16:H18 (firms, CNPJ in I). The code is compared
// upper-cased but not trimmed. No such row leaves the element empty.
void WriteResponsible(CadastralContext& b, const SheetView& adm, const char* code, const char* element) {
  b.gen.AddElement(element);
  struct Block {
    int firstRow;
    const char* idElement;
    std::int16_t idWidth;
  };
  for (const Block& block : {Block{10, "oxr:CPF", 11}, Block{16, "oxr:CNPJ", 14}}) {
    for (int row = block.firstRow; row < block.firstRow + 3; ++row) {
      if (UpperAscii(adm.TextAt(row, Col('H'))) != code) continue;
      b.gen.AddElement("oxr:identifResp");
      b.gen.AddTextElement(block.idElement, ZeroPadCode(adm.TextAt(row, Col('I')), block.idWidth),
                           OriginOf(adm, row, Col('I')));
      b.gen.ReturnTo(element);
      b.gen.AddTextElement("oxr:nome", adm.TextAt(row, Col('J')), OriginOf(adm, row, Col('J')));
      b.gen.AddTextElement("oxr:numRegistro", adm.TextAt(row, Col('K')), OriginOf(adm, row, Col('K')));
      return;
    }
  }
}

}  // namespace

void WriteDadosBasicos(CadastralContext& b) {
  const SheetView adm = b.Sheet(SheetId::Administradores);
  b.gen.ReturnTo(b.kindElement);
  b.gen.AddElement("oxr:dadosBasicos");
  WriteResponsible(b, adm, "C", "oxr:respContabilidade");
  if (b.conditions.writesActuarialResponsible) {
    b.gen.ReturnTo("oxr:dadosBasicos");
    WriteResponsible(b, adm, "T", "oxr:respAtuaria");
  }
  b.gen.ReturnTo("oxr:dadosBasicos");
  WriteResponsible(b, adm, "U", "oxr:respAuditoria");
}

void WriteAdministradores(CadastralContext& b) {
  const SheetView adm = b.Sheet(SheetId::Administradores);
  b.gen.ReturnTo(b.kindElement);
  b.gen.AddElement("oxr:administradores");

  // One administrator per row from 5 while A holds a CPF.
  for (int row = 5; !adm.TextAt(row, Col('A')).empty(); ++row) {
    b.gen.AddElement("oxr:administrador");
    const auto cell = [&](char column) { return OriginOf(adm, row, Col(column)); };
    b.gen.AddTextElement("oxr:CPF", ZeroPadCode(adm.TextAt(row, Col('A')), 11), cell('A'));
    b.gen.AddTextElement("oxr:nome", adm.TextAt(row, Col('B')), cell('B'));
    b.gen.AddTextElement("oxr:nomeMae", adm.TextAt(row, Col('C')), cell('C'));
    b.gen.AddTextElement("oxr:cargoFuncao", adm.TextAt(row, Col('D')), cell('D'));
    const bool hasStart = !adm.TextAt(row, Col('E')).empty();
    b.gen.AddTextElement("oxr:dataIniMandato", hasStart ? DateAt(adm, row, Col('E')) : Text(), cell('E'));
    if (!adm.TextAt(row, Col('F')).empty())
      b.gen.AddTextElement("oxr:dataFimMandato", DateAt(adm, row, Col('F')), cell('F'));
    b.gen.ReturnTo("oxr:administradores");
  }

  // Technical responsibles, H5:J6: a medical ("M") or dental ("D") council.
  if (!b.conditions.writesBasicData) return;
  for (int row = 5; row <= 6; ++row) {
    const Text council = UpperAscii(Trim(adm.TextAt(row, Col('H'))));
    if (council != "M" && council != "D") continue;
    b.gen.ReturnTo("oxr:administradores");
    b.gen.AddElement("oxr:respTecnico");
    b.gen.AddTextElement("oxr:CPF", ZeroPadCode(adm.TextAt(row, Col('I')), 11),
                         OriginOf(adm, row, Col('I')));
    b.gen.AddTextElement("oxr:tipoConsRegional", council.substr(0, 1), OriginOf(adm, row, Col('H')));
    b.gen.AddTextElement("oxr:numConsRegional", adm.TextAt(row, Col('J')), OriginOf(adm, row, Col('J')));
  }
}

}  // namespace voske
