// A run never replaces a document already in the folder, and a strict
// refusal touches no file: an earlier document of the same second stays, and
// the new one takes the next free second's name.
#include <gtest/gtest.h>

#include <ctime>
#include <map>

#include "sample_workbook.h"
#include "support/cli_runner.h"
#include "support/files.h"
#include "support/paths.h"

namespace voske {
namespace {

namespace fs = std::filesystem;
using support::CliResult;
using support::RunCli;

class OutputNamesTest : public ::testing::Test {
 protected:
  OutputNamesTest() { fs::create_directories(out); }

  // Earlier documents under every name the sample's registration document
  // may take from a second ago to `seconds` from now, each with its own text.
  void FillTheComingSeconds(int seconds) {
    const std::time_t now = std::time(nullptr);
    for (std::time_t t = now - 1; t <= now + seconds; ++t) {
      char name[64];
      std::strftime(name, sizeof name, "418723_CADASTRAL_%Y-%m-%d_%H%M%S.xml", std::localtime(&t));
      earlier[out / name] = "anterior " + std::to_string(t);
      std::ofstream(out / name) << earlier[out / name];
    }
  }
  void ExpectEarlierUntouched() const {
    for (const auto& [path, text] : earlier) EXPECT_EQ(support::FileContents(path), text) << path;
  }
  CliResult Gerar(const std::string& workbook, const std::vector<std::string>& extra = {}) {
    std::vector<std::string> args{"gerar", "--documento", "cadastral", "--planilha", workbook, "--destino",
                                  out.string(), "--silencioso"};
    args.insert(args.end(), extra.begin(), extra.end());
    return RunCli({args, std::string("senha-demo")});
  }

  support::ScratchDir dir;
  fs::path out = dir / "saida";
  std::string sample = (support::SourceDir() / "examples" / "planilha-exemplo.xlsx").string();
  std::map<fs::path, std::string> earlier;
};

TEST_F(OutputNamesTest, ANameTakenAtTheMomentOfSavingGivesTheNextFreeSecond) {
  FillTheComingSeconds(20);
  const CliResult r = Gerar(sample);
  ASSERT_EQ(r.status, 0) << r.err;
  const fs::path written = r.out.substr(0, r.out.size() - 1);
  EXPECT_EQ(earlier.count(written), 0u) << written;
  EXPECT_EQ(support::FileContents(written).rfind("<?xml", 0), 0u);
  ExpectEarlierUntouched();
  EXPECT_EQ(support::FilesIn(out).size(), earlier.size() + 1);
}

TEST_F(OutputNamesTest, AStrictRefusalLeavesTheEarlierDocumentOfItsSecond) {
  sample::Workbook wb = sample::MakeSampleWorkbook();
  wb["Dados Cadastrais"].Set("B6", "24.681.357/0001-41");  // a finding
  const std::string broken = (dir / "planilha.xlsx").string();
  sample::WriteXlsx(wb, broken);
  FillTheComingSeconds(20);
  const CliResult r = Gerar(broken, {"--estrito"});
  EXPECT_EQ(r.status, 1) << r.err;
  EXPECT_EQ(r.out, "");
  ExpectEarlierUntouched();
  EXPECT_EQ(support::FilesIn(out).size(), earlier.size());
}

TEST_F(OutputNamesTest, TwoRunsInTheSameSecondLeaveTwoDocuments) {
  const CliResult first = Gerar(sample);
  const CliResult second = Gerar(sample);
  ASSERT_EQ(first.status, 0) << first.err;
  ASSERT_EQ(second.status, 0) << second.err;
  EXPECT_NE(first.out, second.out);
  EXPECT_EQ(support::FilesIn(out).size(), 2u);
}

}  // namespace
}  // namespace voske
