// The services of a real generation: TUtil reads the workbook file, the two
// document builders write the documents, the system clock names the file.
#include "documents/financial/financial_builder.h"
#include "documents/registration/cadastral_builder.h"
#include "generation/run_generation.h"
#include "platform/clock.h"
#include "workbook/worksheet_loader.h"

namespace voske {

namespace {

class TUtilReader : public WorksheetReader {
 public:
  void LoadWorksheet(WorksheetArray& out, const std::string& path, const Text& sheetName) override {
    util_.LoadWorksheet(out, path, sheetName);
  }

 private:
  TUtil util_;
};

}  // namespace

GenerationServices StandardGenerationServices() {
  return GenerationServices{.newReader = [] { return std::unique_ptr<WorksheetReader>(new TUtilReader()); },
                            .buildCadastral = BuildCadastralDocument,
                            .buildFinancial = BuildFinancialDocument,
                            .localTime = platform::LocalNow};
}

}  // namespace voske
