// The address and phone blocks every address and phone of the registration
// document is made of, and the state look-up of an address.
#include <optional>

#include "documents/municipality_state.h"
#include "documents/registration/cadastral_sections.h"
#include "values/converters.h"

namespace voske {

void LookupUF(CadastralContext& b, const Cell& municipality) {
  if (const std::optional<Text> state = MunicipalityState(b.Sheet(SheetId::Listas), municipality))
    b.gen.AddTextElement("oxr:siglaUF", *state);
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
