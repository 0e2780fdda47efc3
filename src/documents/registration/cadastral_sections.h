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

// One cell of a worksheet, by row and column.
struct CellAt {
  int row;
  int column;
};

// The cells of one address, in the worksheet's own terms. The municipality
// is compared with "Listas" as a value.
struct AddressCells {
  SheetView sheet;
  CellAt street, number, complement, district, municipality, postalCode;
};

// oxr:logradouro ... oxr:cep under the current element, each leaf with its cell.
void WriteAddressBlock(CadastralContext& b, const AddressCells& address);
// oxr:codigoDDI, oxr:codigoDDD, oxr:numeroTel, oxr:ramal under the current
// element, from four cells side by side starting at `ddi`.
void WritePhoneBlock(CadastralContext& b, const SheetView& sheet, CellAt ddi);
// The same with every value empty, where the document wants a phone and the
// worksheet has none.
void WriteEmptyPhoneBlock(CadastralContext& b);
// oxr:siglaUF of the municipality's state from "Listas", with the "Listas"
// cell it came from, or nothing when the code is not listed there.
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
