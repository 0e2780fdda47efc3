// oxr:enquadramento: the operator's segmentation and its area of operation,
// one oxr:UF per state, from "Dados Cadastrais" B27 and A33:B33 downwards.
#include <algorithm>
#include <vector>

#include "documents/operator_cells.h"
#include "documents/registration/cadastral_sections.h"
#include "documents/registration/text_collation.h"

namespace voske {

namespace {

struct AreaEntry {
  Text state;
  Text municipality;
};

// The area rows as "UF;municipality" entries, in the order the user reads
// them sorted: by state, then by code, "TODOS" after the codes of its state.
std::vector<AreaEntry> SortedAreaEntries(const SheetView& dc) {
  std::vector<Text> entries;
  for (int row = 33; !dc.TextAt(row, Col('A')).empty(); ++row)
    entries.push_back(dc.TextAt(row, Col('A')) + ";" + dc.TextAt(row, Col('B')));
  // Stable, so that entries equal but for case keep the worksheet's order
  // and every run over the same workbook writes the same document.
  std::stable_sort(entries.begin(), entries.end(),
                   [](const Text& a, const Text& b) { return CompareTextIgnoringCase(a, b) < 0; });

  std::vector<AreaEntry> result;
  for (const Text& e : entries) {
    const std::size_t semicolon = e.find(';');
    result.push_back({e.substr(0, semicolon), e.substr(semicolon + 1)});
  }
  return result;
}

}  // namespace

void WriteEnquadramento(CadastralContext& b) {
  const SheetView dc = b.Sheet(SheetId::DadosCadastrais);
  b.gen.ReturnTo(b.kindElement);
  b.gen.AddElement("oxr:enquadramento");
  b.gen.AddTextElement("oxr:segmentacao", SubKindCode(b.sheets));

  // The state whose oxr:listaMunicipios is open. It is kept upper-cased, as
  // oxr:siglaUF is written, so that "sp" and "SP" rows share one oxr:UF.
  Text openState;
  for (const AreaEntry& entry : SortedAreaEntries(dc)) {
    const Text state = UpperAscii(entry.state);
    if (UpperAscii(entry.municipality) == "TODOS") {
      b.gen.ReturnTo("oxr:enquadramento");
      b.gen.AddElement("oxr:UF");
      b.gen.AddTextElement("oxr:siglaUF", state);
      b.gen.AddTextElement("oxr:todosMunicipios", "S");
    } else if (state == openState) {
      b.gen.AddTextElement("oxr:municipioIBGE", entry.municipality);
    } else {
      b.gen.ReturnTo("oxr:enquadramento");
      b.gen.AddElement("oxr:UF");
      b.gen.AddTextElement("oxr:siglaUF", state);
      b.gen.AddElement("oxr:listaMunicipios");
      b.gen.AddTextElement("oxr:municipioIBGE", entry.municipality);
      openState = state;
    }
  }
}

}  // namespace voske

