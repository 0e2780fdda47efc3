// oxr:acionQuotistas (shareholders, from "Acionistas") and oxr:controlColigadas
// (controlled and associated companies, from "Controladas").
#include "documents/registration/cadastral_sections.h"
#include "values/converters.h"

namespace voske {

namespace {

// A number of shares: converted and rounded when given, "0.0" when empty.
void WriteQuantity(CadastralContext& b, const char* element, const Text& cellText, const CellOrigin& origin) {
  if (cellText.empty())
    b.gen.AddTextElement(element, "0.0", origin);
  else
    b.gen.AddDecimalElement(element, FormatDecimal(cellText), origin);
}

}  // namespace

void WriteAcionQuotistas(CadastralContext& b) {
  const SheetView ac = b.Sheet(SheetId::Acionistas);
  b.gen.ReturnTo(b.kindElement);
  b.gen.AddElement("oxr:acionQuotistas");
  const Text dispersed = ac.TextAt(3, Col('B'));
  b.gen.AddTextElement("oxr:totalmentePulverizado", UpperAscii(dispersed.substr(0, 1)), OriginOf(ac, 3, Col('B')));
  WriteQuantity(b, "oxr:totalAcoesQuotas", ac.TextAt(5, Col('B')), OriginOf(ac, 5, Col('B')));

  // Shareholders are listed only for a capital that is not dispersed, and
  // only when B3 says so with exactly "N".
  if (dispersed != "N") return;
  for (int row = 9; !ac.TextAt(row, Col('A')).empty() || !ac.TextAt(row, Col('F')).empty(); ++row) {
    const auto cell = [&](char column) { return OriginOf(ac, row, Col(column)); };
    b.gen.ReturnTo("oxr:acionQuotistas");
    if (!ac.TextAt(row, Col('A')).empty()) {
      b.gen.AddElement("oxr:acionistaQuotista");
      b.gen.AddElement("oxr:acionistaPJ");
      b.gen.AddTextElement("oxr:razaoSocial", FirstChars(ac.TextAt(row, Col('B')), 60), cell('B'));
      b.gen.AddTextElement("oxr:CNPJ", ZeroPadCode(ac.TextAt(row, Col('A')), 14), cell('A'));
      WriteQuantity(b, "oxr:qtdAcoesQuotas", ac.TextAt(row, Col('C')), cell('C'));
    }
    b.gen.ReturnTo("oxr:acionQuotistas");
    if (!ac.TextAt(row, Col('F')).empty()) {
      b.gen.AddElement("oxr:acionistaQuotista");
      b.gen.AddElement("oxr:acionistaPF");
      b.gen.AddTextElement("oxr:nome", FirstChars(ac.TextAt(row, Col('G')), 60), cell('G'));
      b.gen.AddTextElement("oxr:CPF", ZeroPadCode(ac.TextAt(row, Col('F')), 11), cell('F'));
      WriteQuantity(b, "oxr:qtdAcoesQuotas", ac.TextAt(row, Col('H')), cell('H'));
    }
  }
}

void WriteControlColigadas(CadastralContext& b) {
  const SheetView ct = b.Sheet(SheetId::Controladas);
  b.gen.ReturnTo(b.kindElement);
  b.gen.AddElement("oxr:controlColigadas");
  for (int row = 5; !ct.TextAt(row, Col('A')).empty(); ++row) {
    const auto cell = [&](char column) { return OriginOf(ct, row, Col(column)); };
    b.gen.AddElement("oxr:empresa");
    b.gen.AddTextElement("oxr:CNPJ", ZeroPadCode(ct.TextAt(row, Col('A')), 14), cell('A'));
    b.gen.AddTextElement("oxr:razaoSocial", FirstChars(ct.TextAt(row, Col('B')), 60), cell('B'));
    b.gen.AddTextElement("oxr:tipoVinculo", UpperAscii(Trim(ct.TextAt(row, Col('C')))), cell('C'));
    b.gen.AddTextElement("oxr:classificacaoEmpresa", UpperAscii(Trim(ct.TextAt(row, Col('D')))), cell('D'));
    // The quantities are written as typed: no decimal conversion here.
    const Text held = ct.TextAt(row, Col('E'));
    const Text total = ct.TextAt(row, Col('F'));
    b.gen.AddTextElement("oxr:qtdeAcoesQuotas", held.empty() ? Text("0") : held, cell('E'));
    b.gen.AddTextElement("oxr:totalAcoesQuotas", total.empty() ? Text("0") : total, cell('F'));
    b.gen.ReturnTo("oxr:controlColigadas");
  }
}

}  // namespace voske
