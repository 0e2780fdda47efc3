// The address and phone blocks every address and phone of the registration
// document is made of, and the state look-up of an address.
#include <charconv>
#include <optional>

#include "documents/registration/cadastral_sections.h"
#include "values/converters.h"

namespace voske {

namespace {

// A text cell read as the number it spells ("355030", " 355030 ", "3,5").
// Texts that are not plain numbers (letters, thousands separators) give none.
std::optional<double> NumberInText(const Text& text) {
  Text t = Trim(text);
  if (t.empty()) return std::nullopt;
  bool sawComma = false;
  for (char& c : t) {
    if (c == ',' && !sawComma) {
      sawComma = true;
      c = '.';
    } else if (c == '.') {
      return std::nullopt;
    }
  }
  double value = 0;
  const char* first = t.data();
  const char* last = t.data() + t.size();
  if (*first == '+') ++first;
  auto [ptr, ec] = std::from_chars(first, last, value, std::chars_format::fixed);
  if (ec != std::errc() || ptr != last) return std::nullopt;
  return value;
}

}  // namespace

bool SameCodeValue(const Cell& a, const Cell& b) {
  using K = Cell::Kind;
  if (a.kind == K::Empty || b.kind == K::Empty) return a.kind == b.kind;
  if (a.kind == K::Number && b.kind == K::Number) return a.number == b.number;
  if (a.kind == K::Number || b.kind == K::Number) {
    const Cell& number = a.kind == K::Number ? a : b;
    const Cell& other = a.kind == K::Number ? b : a;
    if (other.kind != K::Text) return false;
    std::optional<double> v = NumberInText(other.text);
    return v && *v == number.number;
  }
  return a.kind == b.kind && CellText(a) == CellText(b);
}

void LookupUF(CadastralContext& b, const Cell& municipality) {
  const SheetView listas = b.Sheet(SheetId::Listas);
  for (int row = 5; row <= listas.Rows(); ++row) {
    const Cell& code = listas.At(row, Col('A'));
    if (CellText(code).empty()) return;
    if (SameCodeValue(code, municipality)) {
      b.gen.AddTextElement("oxr:siglaUF", UpperAscii(listas.TextAt(row, Col('B'))), OriginOf(listas, row, Col('B')));
      return;
    }
  }
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
