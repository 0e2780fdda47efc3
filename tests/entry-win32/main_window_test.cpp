// The main window through its real controls: the texts and places of the
// layout, the Tab order, the mode switch and the checks of the main button
// with their messages in order.
#include "window_fixture.h"  // windows.h before the system's other headers

#include <gtest/gtest.h>

#include <commctrl.h>

#include <filesystem>
#include <fstream>

#include "entry-win32/win32_text.h"
#include "platform/process.h"
#include "support/paths.h"

namespace voske::win32::test {
namespace {

namespace fs = std::filesystem;

TEST(Win32MainWindow, OpensInGenerationModeWithTheTextsAndPlacesOfItsLayout) {
  RecordingTransmission transmission;
  ShowMainWindow(transmission, [](Robot& robot, HWND w) {
    EXPECT_EQ(Robot::Text(w), L"VOSKE-XML 3.3 {" + WidePath(platform::SystemVersionName()) + L" - JRE 17}");
    EXPECT_NE(platform::SystemVersionName().find("Windows"), std::string::npos);
    const struct {
      int control;
      const wchar_t* text;
    } texts[] = {
        {id::kMainButton, L"Gerar arquivo"},
        {id::kStatusPageButton, L"Status da transmissão"},
        {id::kQuitButton, L""},
        {id::kDocumentLabel, L"Arquivo a ser gerado:"},
        {id::kActionLabel, L"Ação a ser gerada:"},
        {id::kWorkbookLabel, L"Arquivo Excel (Planilha Padrão):"},
        {id::kDestinationLabel, L"Pasta de destino:"},
        {id::kXmlFileLabel, L"Arquivo XML a enviar:"},
        {id::kDocumentChoice, L"Dados cadastrais"},
        {id::kAction, L"Geração do arquivo XML"},
        {id::kUseProxy, L"Utilizar Proxy ao Enviar"},
        {id::kPickWorkbook, L"..."},
        {id::kStatusLine, L"Status: "},
    };
    for (const auto& t : texts) EXPECT_EQ(Robot::Text(w, t.control), t.text) << "control " << t.control;
    wchar_t panel[64] = {};
    ::SendMessageW(::GetDlgItem(w, id::kStatusBar), SB_GETTEXTW, 0, reinterpret_cast<LPARAM>(panel));
    EXPECT_STREQ(panel, L"Versão 2013-06.01");
    EXPECT_FALSE(Robot::Enabled(w, id::kXmlFilePath));
    EXPECT_FALSE(Robot::Enabled(w, id::kUseProxy));
    EXPECT_TRUE(Robot::Enabled(w, id::kMainButton));

    // The layout's sizes, scaled to the screen.
    RECT client;
    ::GetClientRect(w, &client);
    EXPECT_EQ(client.right, Scale(649));
    EXPECT_EQ(client.bottom, Scale(285));
    const struct {
      int control, x, y, width, height;
    } places[] = {
        {id::kMainButton, 6, 4, 112, 28},       {id::kStatusPageButton, 118, 4, 156, 28},
        {id::kQuitButton, 274, 4, 28, 28},      {id::kWorkbookPath, 182, 135, 372, 21},
        {id::kDestinationFolder, 182, 163, 372, 21}, {id::kXmlFilePath, 182, 191, 372, 21},
        {id::kPickWorkbook, 560, 135, 23, 22},  {id::kPickXmlFile, 560, 191, 23, 22},
    };
    for (const auto& p : places) {
      const RECT r = Robot::Bounds(w, p.control);
      EXPECT_EQ(r.left, Scale(p.x)) << "control " << p.control;
      EXPECT_EQ(r.top, Scale(p.y)) << "control " << p.control;
      EXPECT_EQ(r.right - r.left, Scale(p.width)) << "control " << p.control;
      EXPECT_EQ(r.bottom - r.top, Scale(p.height)) << "control " << p.control;
    }
    // The labels end where their fields begin.
    EXPECT_EQ(Robot::Bounds(w, id::kWorkbookLabel).right, Scale(178));

    // Tab goes through every control that is enabled, in reading order,
    // the tool bar included; the disabled ones are passed over.
    auto focused = [&] {
      HWND f = robot.Focus();
      // A list's edit field is a child of the list.
      if (f && !::GetDlgCtrlID(f)) f = ::GetParent(f);
      if (f && ::GetParent(f) != w) f = ::GetParent(f);
      return f ? ::GetDlgCtrlID(f) : 0;
    };
    ASSERT_TRUE(Eventually([&] { return focused() == id::kDocumentChoice; }));
    const int order[] = {id::kAction,         id::kWorkbookPath,      id::kPickWorkbook,
                         id::kDestinationFolder, id::kPickDestination, id::kPickXmlFile,
                         id::kMainButton,     id::kStatusPageButton,  id::kQuitButton,
                         id::kDocumentChoice};
    for (int expected : order) {
      const int before = focused();
      robot.Key(VK_TAB);
      // Read from this thread, the focus is briefly on nothing while it moves.
      EXPECT_TRUE(Eventually([&] {
        const int now = focused();
        return now != before && now != 0;
      }));
      EXPECT_EQ(focused(), expected);
    }
  });
}

TEST(Win32MainWindow, TheActionSwitchesTheModeAndClearsTheFileToSend) {
  RecordingTransmission transmission;
  ShowMainWindow(transmission, [](Robot&, HWND w) {
    Choose(w, id::kAction, 1);
    EXPECT_EQ(Robot::Text(w, id::kMainButton), L"Enviar arquivo");
    EXPECT_TRUE(Robot::Enabled(w, id::kXmlFilePath));
    EXPECT_TRUE(Robot::Enabled(w, id::kUseProxy));
    Robot::Type(w, id::kXmlFilePath, L"C:\\documento.xml");
    Choose(w, id::kAction, 0);
    EXPECT_EQ(Robot::Text(w, id::kMainButton), L"Gerar arquivo");
    EXPECT_EQ(Robot::Text(w, id::kXmlFilePath), L"");
    EXPECT_FALSE(Robot::Enabled(w, id::kXmlFilePath));
  });
}

TEST(Win32MainWindow, TheMainButtonReportsTheFirstFailingCheckInItsOrder) {
  support::ScratchDir scratch;
  const fs::path workbook = fs::path(scratch.path()) / "planilha.xlsx";
  std::ofstream(workbook) << "x";
  const fs::path destination = scratch.path();
  const struct {
    const wchar_t* document;
    const wchar_t* action;  // null: chosen from the list ("Envio para a OXR")
    std::wstring workbook, destination;
    const wchar_t* message;
  } cases[] = {
      {L"Dados", L"Geração do arquivo XML", L"", L"", L"Selecione pelo menos um tipo de arquivo a ser gerado."},
      {L"Dados cadastrais", L"Gerar", L"", L"", L"Selecione a ação desejada."},
      {L"Dados cadastrais", L"Geração do arquivo XML", L"   ", L"", L"Selecione o arquivo Excel com seus dados."},
      {L"Dados cadastrais", L"Geração do arquivo XML", L"C:\\nao-existe.xlsx", L"", L"Arquivo não encontrado."},
      {L"Dados financeiros", L"Geração do arquivo XML", L"\"" + Shown(workbook) + L"\"", L"  ",
       L"Selecione a pasta de destino do(s) arquivo(s) XML."},
      {L"Dados cadastrais", L"Geração do arquivo XML", Shown(workbook), Shown(destination / "nao-existe"),
       L"Destino do(s) arquivo(s) XML(s) inválido."},
      {L"Dados cadastrais", nullptr, L"", L"", L"Selecione o local onde ficará a pasta Recibo."},
      {L"Dados cadastrais", nullptr, L"", Shown(destination), L"Selecione o arquivo XML a ser enviado."},
  };
  RecordingTransmission transmission;
  ShowMainWindow(transmission, [&](Robot& robot, HWND w) {
    for (const auto& c : cases) {
      Robot::Type(w, id::kDocumentChoice, c.document);
      if (c.action) {
        Choose(w, id::kAction, 0);
        Robot::Type(w, id::kAction, c.action);
      } else {
        Choose(w, id::kAction, 1);
      }
      Robot::Type(w, id::kWorkbookPath, c.workbook);
      Robot::Type(w, id::kDestinationFolder, c.destination);
      Robot::Click(w, id::kMainButton);
      const Robot::Message seen = robot.Answer();
      EXPECT_EQ(seen.caption, L"Erro");
      EXPECT_EQ(seen.text, c.message);
      EXPECT_EQ(seen.buttons, std::vector<std::wstring>{L"&OK"});
      // Nothing else moved: the fields stay as typed, the line as it was.
      EXPECT_EQ(Robot::Text(w, id::kWorkbookPath), c.workbook);
      EXPECT_EQ(Robot::Text(w, id::kStatusLine), L"Status: ");
    }
  });
  EXPECT_TRUE(transmission.sent.empty());
}

}  // namespace
}  // namespace voske::win32::test
