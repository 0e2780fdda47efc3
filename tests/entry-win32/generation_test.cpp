// A generation run from the window, end to end: the sample operator's
// workbook with two faulty cells, the password typed in its dialog, the
// document written, the warnings listed by worksheet under "Ver mais...",
// and kept as a CSV through "Salvar avisos..." and the system's save dialog.
#include "entry-win32/form.h"  // windows.h before the system's other headers
#include <dlgs.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "sample_workbook.h"
#include "support/files.h"
#include "support/paths.h"
#include "window_fixture.h"

namespace voske::win32::test {
namespace {

namespace fs = std::filesystem;

// The file name box of the system's save dialog: a combo box in the
// Explorer-style dialog, an edit in the older one.
HWND FileNameBox(HWND picker) {
  HWND combo = ::GetDlgItem(picker, cmb13);
  return combo ? combo : ::GetDlgItem(picker, edt1);
}

TEST(Win32Generation, WritesTheDocumentListsItsWarningsByWorksheetAndSavesThem) {
  support::ScratchDir scratch;
  sample::Workbook wb = sample::MakeSampleWorkbook();
  wb["Dados Cadastrais"].Set("B10", "regulatorio.serraazulsaude.com.br");
  wb["Administradores"].Set("A5", "529.982.247-26");
  const fs::path workbook = scratch.path() / fs::u8path("Planilha Padrão.xlsx");
  sample::WriteXlsx(wb, workbook.string());
  const fs::path destination = scratch.path() / fs::u8path("Declarações");
  fs::create_directories(destination);

  const fs::path csv = destination / fs::u8path("avisos do trimestre.csv");
  RecordingTransmission transmission;
  Robot::Message seen;
  std::wstring statusAfter, offered, saidSaved;
  RECT ok = {}, save = {}, link = {};
  bool buttonBack = false;
  ShowMainWindow(transmission, [&](Robot& robot, HWND w) {
    Robot::Type(w, id::kWorkbookPath, Shown(workbook));
    Robot::Type(w, id::kDestinationFolder, Shown(destination));
    Robot::Click(w, id::kMainButton);
    HWND password = robot.WaitForWindow(L"TForm_Senha_OXR");
    ASSERT_NE(password, nullptr);
    Robot::Type(password, id::kOxrPassword, L"senha");
    robot.Key(VK_RETURN);  // Enter presses OK
    HWND message = robot.WaitForWindow(L"_TForm");
    ASSERT_NE(message, nullptr);
    seen.caption = Robot::Text(message);
    seen.text = Robot::Text(message, id::kMessageText);
    Robot::Click(message, id::kMoreLink);
    ASSERT_TRUE(Eventually([&] { return ::GetDlgItem(message, id::kDetailsBox) != nullptr; }));
    seen.details = Robot::Text(message, id::kDetailsBox);
    ok = Robot::Bounds(message, id::kMessageButtonBase + 2);
    save = Robot::Bounds(message, id::kSaveFindings);
    link = Robot::Bounds(message, id::kMoreLink);
    EXPECT_EQ(Robot::Text(message, id::kSaveFindings), L"Salvar avisos...");
    // The system's save dialog, the suggested name typed; another typed over it.
    Robot::Click(message, id::kSaveFindings);
    HWND picker = robot.WaitForWindow(L"#32770");
    ASSERT_NE(picker, nullptr);
    ASSERT_TRUE(Eventually([&] { return !Robot::Text(FileNameBox(picker)).empty(); }));
    offered = Robot::Text(FileNameBox(picker));
    ::SendMessageW(FileNameBox(picker), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(csv.wstring().c_str()));
    Robot::Click(picker, IDOK);
    HWND said = nullptr;
    ASSERT_TRUE(Eventually([&] {
      for (const auto& [window, cls] : robot.Windows())
        if (cls == L"_TForm" && window != message) said = window;
      return said != nullptr;
    }));
    saidSaved = Robot::Text(said, id::kMessageText);
    Robot::Click(said, id::kMessageButtonBase + 2);
    robot.WaitGone(said);
    Robot::Click(message, id::kMessageButtonBase + 2);
    robot.WaitGone(message);
    statusAfter = Robot::Text(w, id::kStatusLine);
    buttonBack = Eventually([&] { return Robot::Enabled(w, id::kMainButton); });
  });
  EXPECT_EQ(seen.caption, L"Informação");
  EXPECT_EQ(seen.text.rfind(L"XML gerado com sucesso.", 0), 0u) << std::string(seen.text.begin(), seen.text.end());
  EXPECT_NE(seen.text.find(L"2 avisos de verificação"), std::wstring::npos);
  EXPECT_EQ(seen.details,
            L"Dados Cadastrais\r\n"
            L"    B10: oxr:eMail \"regulatorio.serraazulsaude.com.br\": o e-mail deve ter a forma nome@domínio\r\n"
            L"Administradores\r\n"
            L"    A5: oxr:CPF \"52998224726\": o CPF é inválido: os dígitos verificadores não conferem");
  // "Salvar avisos..." and "Ver mais..." on a row of their own below "OK",
  // on one middle line, the link right of the button.
  EXPECT_GT(save.top, ok.bottom);
  EXPECT_EQ((save.top + save.bottom) / 2, (link.top + link.bottom) / 2);
  EXPECT_GE(link.left, save.right);
  EXPECT_EQ(statusAfter, L"Status:");
  EXPECT_TRUE(buttonBack);
  // The document, and the findings where the user put them: the same CSV
  // as --avisos writes, first offered under the document's name.
  const auto files = support::FilesIn(destination);
  ASSERT_EQ(files.size(), 2u);
  const fs::path document = files[0] == csv ? files[1] : files[0];
  EXPECT_NE(document.filename().string().find("_CADASTRAL_"), std::string::npos);
  EXPECT_EQ(offered, document.stem().wstring() + L"_avisos.csv");
  EXPECT_EQ(saidSaved, L"Os avisos foram gravados em: " + csv.wstring());
  const std::string kept = support::FileContents(csv);
  EXPECT_EQ(kept.rfind("\xEF\xBB\xBFPlanilha;Célula;Elemento;Valor;Motivo;Regra técnica\r\n", 0), 0u) << kept;
  EXPECT_NE(kept.find("\r\nDados Cadastrais;B10;oxr:eMail;"), std::string::npos) << kept;
  EXPECT_NE(kept.find("\r\nAdministradores;A5;oxr:CPF;"), std::string::npos) << kept;
}

}  // namespace
}  // namespace voske::win32::test
