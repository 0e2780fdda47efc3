#pragma once
// The sections of the registration body, one function per element, and the
// blocks they share. Each section starts by returning to the kind element,
// so the order of the calls in BuildCadastralDocument is the document's.
#include <string_view>

#include "documents/registration/kind_tables.h"
#include "port/front_end.h"
#include "text/text.h"
#include "workbook/worksheets.h"
#include "xml/xml_generator.h"

namespace voske {

// The registration worksheets, by the names the load sequence reads them under.
const Text& SheetDadosCadastrais();
const Text& SheetListas();
const Text& SheetAdministradores();
const Text& SheetRepresentantes();
const Text& SheetAcionistas();
const Text& SheetControladas();
const Text& SheetDependencias();

// What every section of one registration build works with.
struct CadastralBuild {
  TXMLGenerator& gen;
  const Worksheets& sheets;
  FrontEnd& frontEnd;
  Text kindElement;
  SectionConditions conditions;

  const WorksheetArray& Sheet(const Text& name) const { return sheets[name]; }
  // Lets the window repaint between the longer steps of the build.
  void Breathe() const { frontEnd.ProcessEvents(); }
};

// Column number of a column letter ('A' is 1).
constexpr int Col(char letter) { return letter - 'A' + 1; }
// Cell text of a cell named in A1 style ("B26"); the name is a literal of
// this module, so it is always well formed.
Text CellAt(const WorksheetArray& sheet, std::string_view a1);
const Cell& CellRef(const WorksheetArray& sheet, std::string_view a1);

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
void WriteAddressBlock(CadastralBuild& b, const AddressCells& address);
// oxr:codigoDDI, oxr:codigoDDD, oxr:numeroTel, oxr:ramal under the current element.
void WritePhoneBlock(CadastralBuild& b, const Text& ddi, const Text& ddd, const Text& number, const Text& extension);
// oxr:siglaUF of the municipality's state from "Listas", or nothing when the
// code is not listed there.
void LookupUF(CadastralBuild& b, const Cell& municipality);
// Whether two cells hold the same code: a number equals the same number held
// as text; two texts must be equal as they stand.
bool SameCodeValue(const Cell& a, const Cell& b);

void WriteCadastro(CadastralBuild& b);
void WriteEnquadramento(CadastralBuild& b);
void WriteDadosBasicos(CadastralBuild& b);
void WriteAdministradores(CadastralBuild& b);
void WriteRepresentante(CadastralBuild& b);
void WriteRepresRN117(CadastralBuild& b);
void WriteAcionQuotistas(CadastralBuild& b);
void WriteControlColigadas(CadastralBuild& b);
void WriteDependencias(CadastralBuild& b);

}  // namespace voske
