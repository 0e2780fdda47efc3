// The address and phone blocks every address and phone of the registration
// document is made of, and the state look-up of an address.
#include <optional>

#include "documents/municipality_state.h"
#include "documents/registration/cadastral_sections.h"
#include "values/converters.h"

namespace voske {

void LookupUF(CadastralContext& b, const Cell& municipality) {
  const SheetView lists = b.Sheet(SheetId::Listas);
  if (const std::optional<ListedState> listed = MunicipalityState(lists, municipality))
    b.gen.AddTextElement("oxr:siglaUF", listed->state, OriginOf(lists, listed->row, Col('B')));
}

void WriteAddressBlock(CadastralContext& b, const AddressCells& a) {
  const SheetView& s = a.sheet;
  const auto text = [&s](CellAt c) { return s.TextAt(c.row, c.column); };
  const auto origin = [&s](CellAt c) { return OriginOf(s, c.row, c.column); };
  b.gen.AddTextElement("oxr:logradouro", text(a.street), origin(a.street));
  b.gen.AddTextElement("oxr:numLogradouro", text(a.number), origin(a.number));
  b.gen.AddTextElement("oxr:complemento", text(a.complement), origin(a.complement));
  b.gen.AddTextElement("oxr:bairro", text(a.district), origin(a.district));
  b.gen.AddTextElement("oxr:municipioIBGE", text(a.municipality), origin(a.municipality));
  LookupUF(b, s.At(a.municipality.row, a.municipality.column));
  b.gen.AddTextElement("oxr:cep", ZeroPadCode(text(a.postalCode), 8), origin(a.postalCode));
}

void WritePhoneBlock(CadastralContext& b, const SheetView& sheet, CellAt ddi) {
  const auto text = [&](int k) { return sheet.TextAt(ddi.row, ddi.column + k); };
  const auto origin = [&](int k) { return OriginOf(sheet, ddi.row, ddi.column + k); };
  b.gen.AddTextElement("oxr:codigoDDI", text(0), origin(0));
  b.gen.AddTextElement("oxr:codigoDDD", text(1), origin(1));
  b.gen.AddTextElement("oxr:numeroTel", ZeroPadCode(text(2), 8), origin(2));
  b.gen.AddTextElement("oxr:ramal", text(3), origin(3));
}

void WriteEmptyPhoneBlock(CadastralContext& b) {
  for (const char* element : {"oxr:codigoDDI", "oxr:codigoDDD", "oxr:numeroTel", "oxr:ramal"})
    b.gen.AddTextElement(element, Text());
}

}  // namespace voske
