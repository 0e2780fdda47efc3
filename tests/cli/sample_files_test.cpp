// The sample workbooks of the examples folder: the committed .xlsx is what
// the generator writes today, and its .xls copy gives the same documents.
#include <gtest/gtest.h>

#include "support/cli_runner.h"
#include "sample_workbook.h"
#include "support/paths.h"
#include "text/cp1252.h"
#include "workbook/workbook_file.h"

namespace voske {
namespace {

namespace fs = std::filesystem;
using support::CliResult;
using support::RunCli;
using support::ScratchDir;

fs::path Sample(const char* extension) { return support::SourceDir() / "examples" / (std::string("planilha-exemplo") + extension); }

TEST(SampleFilesTest, CommittedWorkbookHoldsTheCellsTheGeneratorWritesToday) {
  ScratchDir dir;
  const std::string fresh = (dir / "fresh.xlsx").string();
  sample::WriteXlsx(sample::MakeSampleWorkbook(), fresh);

  const std::unique_ptr<WorkbookFile> committed = OpenWorkbookFile(Sample(".xlsx").string());
  const std::unique_ptr<WorkbookFile> generated = OpenWorkbookFile(fresh);
  const char* stale = "examples/planilha-exemplo.xlsx is stale: run scripts/update-samples and commit both sample files";
  ASSERT_EQ(committed->SheetNames(), generated->SheetNames()) << stale;
  for (size_t i = 0; i < generated->SheetNames().size(); ++i) {
    const WorksheetArray a = committed->ReadSheet(i), b = generated->ReadSheet(i);
    const std::string sheet = ToUtf8(generated->SheetNames()[i]);
    ASSERT_EQ(a.Rows(), b.Rows()) << sheet << ": " << stale;
    ASSERT_EQ(a.Columns(), b.Columns()) << sheet << ": " << stale;
    for (int r = 1; r <= b.Rows(); ++r)
      for (int c = 1; c <= b.Columns(); ++c)
        ASSERT_TRUE(a.At(r, c) == b.At(r, c)) << sheet << " [" << r << "," << c << "]: " << stale;
  }
}

TEST(SampleFilesTest, XlsCopyGivesTheSameDocumentsAsTheXlsx) {
  for (const char* document : {"cadastral", "financeiro"}) {
    std::string bodies[2], names[2];
    int i = 0;
    for (const char* extension : {".xlsx", ".xls"}) {
      ScratchDir dir;
      const CliResult r = RunCli({{"gerar", "--documento", document, "--planilha", Sample(extension).string(),
                                   "--destino", dir.path().string(), "--silencioso"},
                                  std::string("senha-demo"), "", {}});
      ASSERT_EQ(r.status, 0) << document << extension << ": " << r.err;
      const fs::path file = r.out.substr(0, r.out.size() - 1);
      bodies[i] = support::FileContents(file);
      // The name differs only by the time it carries.
      names[i++] = file.filename().string().substr(0, file.filename().string().size() - 21);
    }
    EXPECT_FALSE(bodies[0].empty());
    EXPECT_EQ(bodies[0], bodies[1]) << document;
    EXPECT_EQ(names[0], names[1]);
  }
}

}  // namespace
}  // namespace voske
