#pragma once
// The sections of the registration body, one function per element, and the
// blocks they share. Each section starts by returning to the kind element,
// so the order of the calls in BuildCadastralDocument is the document's.
#include <string_view>

#include "documents/registration/kind_tables.h"
#include "documents/build_context.h"
#include "text/text.h"

namespace voske {

// What every section of one registration build works with.
struct CadastralContext : BuildContext {
  Text kindElement;
  SectionConditions conditions;
};

// The first `count` characters of a text (names the schema bounds are cut,
// never rejected).
Text FirstChars(const Text& text, std::size_t count);

// Cells of one address, in the worksheet's own terms.
struct AddressCells {
  Text street, number, complement, district;
  const Cell* municipality;  // compared with "Listas" as a value
  Text postalCode;
};

// oxr:logradouro ... oxr:cep under the current element.
void WriteAddressBlock(CadastralContext& b, const AddressCells& address);
// oxr:codigoDDI, oxr:codigoDDD, oxr:numeroTel, oxr:ramal under the current element.
void WritePhoneBlock(CadastralContext& b, const Text& ddi, const Text& ddd, const Text& number, const Text& extension);
// oxr:siglaUF of the municipality's state from "Listas", or nothing when the
// code is not listed there.
void LookupUF(CadastralContext& b, const Cell& municipality);

void WriteCadastro(CadastralContext& b);
void WriteEnquadramento(CadastralContext& b);
void WriteDadosBasicos(CadastralContext& b);
void WriteAdministradores(CadastralContext& b);
void WriteRepresentante(CadastralContext& b);
void WriteRepresRN117(CadastralContext& b);
void WriteAcionQuotistas(CadastralContext& b);
void WriteControlColigadas(CadastralContext& b);
void WriteDependencias(CadastralContext& b);

}  // namespace voske
