// The checks of the main button, shared with the command line: one message,
// the first failing check's, in a fixed order.
#include <gtest/gtest.h>

#include <fstream>

#include "platform/file_system.h"
#include "support/paths.h"
#include "support/recording_front_end.h"
#include "text/cp1252.h"
#include "workflow/oxr_password.h"
#include "workflow/proxy_settings.h"
#include "workflow/run_checks.h"

namespace voske {
namespace {

using support::RecordingFrontEnd;
using support::ScratchDir;

class RunChecksTest : public ::testing::Test {
 protected:
  RunChecksTest() {
    std::ofstream(dir / "planilha.xlsx") << "x";
    std::filesystem::create_directories(dir / "saida");
    std::filesystem::create_directories(dir / "pasta.xlsx");
    good.workbookPath = (dir / "planilha.xlsx").string();
    good.destinationFolder = (dir / "saida").string();
  }

  // The message the checks show for `choices`, or "" when they pass.
  std::string MessageFor(const RunChoices& choices) {
    RecordingFrontEnd front;
    const bool passed = CheckRunChoices(choices, front);
    EXPECT_EQ(passed, front.messages.empty());
    if (passed) return "";
    EXPECT_EQ(front.messages.size(), 1u);
    EXPECT_EQ(front.messages[0].icon, MessageIcon::Error);
    EXPECT_EQ(ToUtf8(front.messages[0].caption), "Erro");
    return ToUtf8(front.messages[0].text);
  }

  ScratchDir dir;
  RunChoices good;
};

TEST_F(RunChecksTest, FirstFailingCheckWinsInGenerationMode) {
  RunChoices c = good;
  EXPECT_EQ(MessageFor(c), "");

  c = good;
  c.documentKind = std::nullopt;
  c.action = std::nullopt;
  c.workbookPath = "";
  EXPECT_EQ(MessageFor(c), "Selecione pelo menos um tipo de arquivo a ser gerado.");
  c.documentKind = DocumentKind::Financeiro;
  EXPECT_EQ(MessageFor(c), "Selecione a ação desejada.");
  c.action = RunAction::Generate;
  EXPECT_EQ(MessageFor(c), "Selecione o arquivo Excel com seus dados.");
  c.workbookPath = " \t ";
  c.destinationFolder = "";
  EXPECT_EQ(MessageFor(c), "Selecione o arquivo Excel com seus dados.");
  c.workbookPath = (dir / "nao-existe.xlsx").string();
  EXPECT_EQ(MessageFor(c), "Arquivo não encontrado.");
  c.workbookPath = (dir / "pasta.xlsx").string();  // a folder is no workbook
  EXPECT_EQ(MessageFor(c), "Arquivo não encontrado.");
  c.workbookPath = "\"" + good.workbookPath + "\"";
  EXPECT_EQ(MessageFor(c), "Selecione a pasta de destino do(s) arquivo(s) XML.");
  c.destinationFolder = "   ";
  EXPECT_EQ(MessageFor(c), "Selecione a pasta de destino do(s) arquivo(s) XML.");
  c.destinationFolder = (dir / "nao-existe").string();
  EXPECT_EQ(MessageFor(c), "Destino do(s) arquivo(s) XML(s) inválido.");
  // The folder is tested as typed, blanks included (Windows itself drops a
  // path's trailing blanks, and finds the folder).
  c.destinationFolder = good.destinationFolder + " ";
  EXPECT_EQ(MessageFor(c), platform::PathSeparator() == '\\' ? "" : "Destino do(s) arquivo(s) XML(s) inválido.");
  c.destinationFolder = good.destinationFolder;
  EXPECT_EQ(MessageFor(c), "");
}

TEST_F(RunChecksTest, SendModeNeedsOnlyTheFolderAndTheXmlFile) {
  RunChoices c;
  c.action = RunAction::Send;
  c.workbookPath = "nao-existe.xls";
  EXPECT_EQ(MessageFor(c), "Selecione o local onde ficará a pasta Recibo.");
  c.destinationFolder = (dir / "nao-existe").string();
  EXPECT_EQ(MessageFor(c), "Destino do(s) arquivo(s) XML(s) inválido.");
  c.destinationFolder = good.destinationFolder;
  c.xmlFilePath = "  ";
  EXPECT_EQ(MessageFor(c), "Selecione o arquivo XML a ser enviado.");
  c.xmlFilePath = "qualquer.xml";  // its content is the sender's business
  EXPECT_EQ(MessageFor(c), "");
}

TEST(OxrPasswordTest, EmptyIsRefusedAndBlanksAreAPassword) {
  RecordingFrontEnd front;
  EXPECT_FALSE(AcceptOxrPassword("", front));
  ASSERT_EQ(front.messages.size(), 1u);
  EXPECT_EQ(ToUtf8(front.messages[0].text), "Nehuma senha foi digitada para Confirmação.");
  EXPECT_EQ(front.messages[0].icon, MessageIcon::Error);
  EXPECT_TRUE(AcceptOxrPassword("  ", front));
  EXPECT_EQ(front.messages.size(), 1u);

  // Only a-z change case: the hash of a lower-case c with cedilla differs
  // from the upper-case one's.
  EXPECT_EQ(ToUtf8(OxrPasswordUpper(Ansi("abc xyz ç É 1"))), "ABC XYZ ç É 1");
}

TEST(ProxySettingsTest, FirstBlankFieldIsNamed) {
  const struct {
    ProxySettings typed;
    const char* message;
  } cases[] = {
      {{"", "", "", ""}, "O campo \"Servidor\" deve ser definido."},
      {{"proxy", "", "", ""}, "O campo \"Porta\" deve ser definido."},
      {{"proxy", "8080", " ", "x"}, "O campo \"Usuário\" deve ser definido."},
      {{"proxy", "porta", "joao", "\t"}, "O campo \"Senha\" deve ser definido."},
      {{" proxy ", "porta", "joao", "s"}, nullptr},
  };
  for (const auto& c : cases) {
    RecordingFrontEnd front;
    EXPECT_EQ(CheckProxySettings(c.typed, front), c.message == nullptr);
    if (c.message) {
      ASSERT_EQ(front.messages.size(), 1u);
      EXPECT_EQ(ToUtf8(front.messages[0].text), c.message);
    } else {
      EXPECT_TRUE(front.messages.empty());
    }
  }
}

}  // namespace
}  // namespace voske
