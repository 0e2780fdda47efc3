// A generation run from the window, end to end: the sample operator's
// workbook with two faulty cells, the password typed in its dialog, the
// document written, and the warnings listed under "Ver mais...".
#include <gtest/gtest.h>

#include <filesystem>

#include "sample_workbook.h"
#include "support/files.h"
#include "support/paths.h"
#include "window_fixture.h"

namespace voske::win32::test {
namespace {

namespace fs = std::filesystem;

TEST(Win32Generation, WritesTheDocumentAndListsItsWarningsUnderVerMais) {
  support::ScratchDir scratch;
  sample::Workbook wb = sample::MakeSampleWorkbook();
  wb["Dados Cadastrais"].Set("B10", "regulatorio.serraazulsaude.com.br");
  wb["Administradores"].Set("A5", "529.982.247-26");
  const fs::path workbook = scratch.path() / fs::u8path("Planilha Padrão.xlsx");
  sample::WriteXlsx(wb, workbook.string());
  const fs::path destination = scratch.path() / fs::u8path("Declarações");
  fs::create_directories(destination);

  RecordingTransmission transmission;
  Robot::Message seen;
  std::wstring statusAfter;
  bool buttonBack = false;
  ShowMainWindow(transmission, [&](Robot& robot, HWND w) {
    Robot::Type(w, id::kWorkbookPath, Shown(workbook));
    Robot::Type(w, id::kDestinationFolder, Shown(destination));
    Robot::Click(w, id::kMainButton);
    HWND password = robot.WaitForWindow(L"TForm_Senha_OXR");
    ASSERT_NE(password, nullptr);
    Robot::Type(password, id::kOxrPassword, L"senha");
    robot.Key(VK_RETURN);  // Enter presses OK
    seen = robot.Answer(L"&OK", /*openDetails=*/true);
    statusAfter = Robot::Text(w, id::kStatusLine);
    buttonBack = Eventually([&] { return Robot::Enabled(w, id::kMainButton); });
  });
  EXPECT_EQ(seen.caption, L"Informação");
  EXPECT_EQ(seen.text.rfind(L"XML gerado com sucesso.", 0), 0u) << std::string(seen.text.begin(), seen.text.end());
  EXPECT_NE(seen.text.find(L"2 avisos de verificação"), std::wstring::npos);
  EXPECT_EQ(seen.details,
            L"Aviso: Dados Cadastrais!B10: oxr:eMail \"regulatorio.serraazulsaude.com.br\": o e-mail deve ter a "
            L"forma nome@domínio\r\n"
            L"Aviso: Administradores!A5: oxr:CPF \"52998224726\": o CPF é inválido: os dígitos verificadores não "
            L"conferem");
  EXPECT_EQ(statusAfter, L"Status:");
  EXPECT_TRUE(buttonBack);
  const auto files = support::FilesIn(destination);
  ASSERT_EQ(files.size(), 1u);
  EXPECT_NE(files[0].filename().string().find("_CADASTRAL_"), std::string::npos);
}

}  // namespace
}  // namespace voske::win32::test
