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
  int row;  // where the entry stands in the worksheet
};

// The area rows as "UF;municipality" entries, in the order the user reads
// them sorted: by state, then by code, "TODOS" after the codes of its state.
std::vector<AreaEntry> SortedAreaEntries(const SheetView& dc) {
  struct Keyed {
    Text key;  // "UF;municipality", what the order compares
    int row;
  };
  std::vector<Keyed> entries;
  for (int row = 33; !dc.TextAt(row, Col('A')).empty(); ++row)
    entries.push_back({dc.TextAt(row, Col('A')) + ";" + dc.TextAt(row, Col('B')), row});
  // Stable, so that entries equal but for case keep the worksheet's order
  // and every run over the same workbook writes the same document.
  std::stable_sort(entries.begin(), entries.end(),
                   [](const Keyed& a, const Keyed& b) { return CompareTextIgnoringCase(a.key, b.key) < 0; });

  std::vector<AreaEntry> result;
  for (const Keyed& e : entries) {
    const std::size_t semicolon = e.key.find(';');
    result.push_back({e.key.substr(0, semicolon), e.key.substr(semicolon + 1), e.row});
  }
  return result;
}

}  // namespace

void WriteEnquadramento(CadastralContext& b) {
  const SheetView dc = b.Sheet(SheetId::DadosCadastrais);
  b.gen.ReturnTo(b.kindElement);
  b.gen.AddElement("oxr:enquadramento");
  b.gen.AddTextElement("oxr:segmentacao", SubKindCode(b.sheets), OriginOf(dc, 27, Col('B')));

  // The state whose oxr:listaMunicipios is open. It is kept upper-cased, as
  // oxr:siglaUF is written, so that "sp" and "SP" rows share one oxr:UF.
  Text openState;
  for (const AreaEntry& entry : SortedAreaEntries(dc)) {
    const Text state = UpperAscii(entry.state);
    const CellOrigin stateCell = OriginOf(dc, entry.row, Col('A'));
    const CellOrigin municipalityCell = OriginOf(dc, entry.row, Col('B'));
    if (UpperAscii(entry.municipality) == "TODOS") {
      b.gen.ReturnTo("oxr:enquadramento");
      b.gen.AddElement("oxr:UF");
      b.gen.AddTextElement("oxr:siglaUF", state, stateCell);
      b.gen.AddTextElement("oxr:todosMunicipios", "S");
    } else if (state == openState) {
      b.gen.AddTextElement("oxr:municipioIBGE", entry.municipality, municipalityCell);
    } else {
      b.gen.ReturnTo("oxr:enquadramento");
      b.gen.AddElement("oxr:UF");
      b.gen.AddTextElement("oxr:siglaUF", state, stateCell);
      b.gen.AddElement("oxr:listaMunicipios");
      b.gen.AddTextElement("oxr:municipioIBGE", entry.municipality, municipalityCell);
      openState = state;
    }
  }
}

}  // namespace voske

