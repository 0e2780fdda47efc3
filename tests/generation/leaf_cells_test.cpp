// Every leaf a generation writes from a worksheet cell reaches the
// verification with that cell: only the computed leaves (computed_leaves.h)
// come without one, whatever the operator's kind and year.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "documents/computed_leaves.h"
#include "documents/financial/financial_builder.h"
#include "documents/registration/cadastral_builder.h"
#include "generation/run_generation.h"
#include "sample_workbook.h"
#include "support/paths.h"
#include "support/recording_front_end.h"
#include "text/cp1252.h"

namespace voske {
namespace {

// Passes every call on to the generation's own observer, and notes each
// leaf that carries a value but no cell.
class CellWatch : public LeafObserver {
 public:
  LeafObserver* next = nullptr;
  std::vector<std::string> withoutCell;

  void OnElement(const Text& name, std::size_t depth) override { next->OnElement(name, depth); }
  void OnLeaf(const std::vector<Text>& ancestors, const Text& name, TextView value,
              const CellOrigin* origin) override {
    if (!origin && !value.empty() && !IsComputedLeaf(name, ancestors))
      withoutCell.push_back(ToUtf8(ancestors.back() + "/" + name + " \"" + Text(value) + "\""));
    next->OnLeaf(ancestors, name, value, origin);
  }
};

TEST(LeafCells, EveryLeafButTheComputedOnesNamesItsCell) {
  struct Case {
    int year;
    const char* kind;
    const char* subKind;
  };
  // Kinds and years that between them write every section of both documents.
  const Case cases[] = {{2024, "MEGRP", "SPP"}, {2024, "AUTOG", "AUTMN"}, {2012, "SGSAU", "SPP"},
                        {2011, "AUTOG", "AUTSM"}, {2013, "COOPM", "SPP"}};
  for (const Case& c : cases) {
    sample::Workbook wb = sample::MakeSampleWorkbook();
    wb["Dados Cadastrais"].SetDate("B3", c.year, 3, 31);
    wb["Dados Cadastrais"].Set("B26", c.kind);
    wb["Dados Cadastrais"].Set("B27", c.subKind);
    support::ScratchDir dir;
    const std::string book = (dir / "planilha.xlsx").string();
    sample::WriteXlsx(wb, book);

    CellWatch watch;
    GenerationServices services = StandardGenerationServices();
    const auto watched = [&watch](void (*build)(const DocumentContext&)) {
      return [&watch, build](const DocumentContext& ctx) {
        DocumentContext withWatch = ctx;
        watch.next = ctx.leafObserver;
        withWatch.leafObserver = &watch;
        build(withWatch);
      };
    };
    services.buildCadastral = watched(BuildCadastralDocument);
    services.buildFinancial = watched(BuildFinancialDocument);
    for (const DocumentKind document : {DocumentKind::Cadastral, DocumentKind::Financeiro}) {
      support::RecordingFrontEnd frontEnd;
      GenerationState state;
      GenerationRequest request;
      request.document = document;
      request.workbookPath = book;
      request.destinationFolder = dir.path().string();
      request.passwordUpper = "SENHA";
      RunGeneration(request, frontEnd, state, services);
      ASSERT_FALSE(state.generationFailed) << c.kind << " " << c.year << ": " << (frontEnd.messages.empty() ? "" : ToUtf8(frontEnd.messages.back().text));
    }
    EXPECT_EQ(watch.withoutCell, std::vector<std::string>{}) << c.kind << " " << c.subKind << " " << c.year;
  }
}

}  // namespace
}  // namespace voske
