// The document is saved in the chosen folder under the operator's
// registration number and the local time of the run.
#include <gtest/gtest.h>

#include <ctime>
#include <regex>

#include "registration_run.h"

namespace voske::support {
namespace {

TEST(CadastralOutputFile, NamedAfterRegistrationNumberAndTime) {
  sample::Workbook wb = sample::MakeSampleWorkbook();
  wb["Dados Cadastrais"].Set("B5", "12345-6");
  auto run = RunCadastralOk(wb);
  ASSERT_EQ(run->Files().size(), 1u);
  EXPECT_EQ(run->Files()[0].filename(), "123456_CADASTRAL_2026-12-08_101530.xml");
  EXPECT_EQ(run->state.outputPath, (run->outputFolder / "123456_CADASTRAL_2026-12-08_101530.xml").string());
}

TEST(CadastralOutputFile, TimestampIsTheLocalTimeOfTheRun) {
  auto stamp = [] {
    const std::time_t now = std::time(nullptr);
    char buf[32];
    std::strftime(buf, sizeof buf, "%Y-%m-%d_%H%M%S", std::localtime(&now));
    return std::string(buf);
  };
  RunOptions options;
  options.realClock = true;
  const std::string before = stamp();
  auto run = RunCadastralOk(sample::MakeSampleWorkbook(), options);
  const std::string after = stamp();
  ASSERT_EQ(run->Files().size(), 1u);

  const std::string name = run->Files()[0].filename().string();
  std::smatch m;
  ASSERT_TRUE(std::regex_match(name, m, std::regex(R"(418723_CADASTRAL_(\d{4}-\d{2}-\d{2}_\d{6})\.xml)"))) << name;
  EXPECT_GE(m[1].str(), before);
  EXPECT_LE(m[1].str(), after);
}

}  // namespace
}  // namespace voske::support
