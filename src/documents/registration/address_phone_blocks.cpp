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
      b.gen.AddTextElement("oxr:siglaUF", UpperAscii(listas.TextAt(row, Col('B'))));
      return;
    }
  }
}

void WriteAddressBlock(CadastralContext& b, const AddressCells& address) {
  b.gen.AddTextElement("oxr:logradouro", address.street);
  b.gen.AddTextElement("oxr:numLogradouro", address.number);
  b.gen.AddTextElement("oxr:complemento", address.complement);
  b.gen.AddTextElement("oxr:bairro", address.district);
  b.gen.AddTextElement("oxr:municipioIBGE", CellText(*address.municipality));
  LookupUF(b, *address.municipality);
  b.gen.AddTextElement("oxr:cep", ZeroPadCode(address.postalCode, 8));
}

void WritePhoneBlock(CadastralContext& b, const Text& ddi, const Text& ddd, const Text& number, const Text& extension) {
  b.gen.AddTextElement("oxr:codigoDDI", ddi);
  b.gen.AddTextElement("oxr:codigoDDD", ddd);
  b.gen.AddTextElement("oxr:numeroTel", ZeroPadCode(number, 8));
  b.gen.AddTextElement("oxr:ramal", extension);
}

}  // namespace voske
