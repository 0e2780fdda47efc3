// The small dialogs through their real controls: the password asked before
// a run, the proxy settings, the folder list, and the message dialog with
// its "Ver mais..." details and its questions.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "entry-win32/message_dialog.h"
#include "support/paths.h"
#include "window_fixture.h"

namespace voske::win32::test {
namespace {

namespace fs = std::filesystem;

TEST(Win32Dialogs, PasswordRefusesAnEmptyFieldMasksWithStarsAndEscStopsTheRunSilently) {
  support::ScratchDir scratch;
  std::ofstream(scratch / "planilha.xlsx") << "x";
  RecordingTransmission transmission;
  ShowMainWindow(transmission, [&](Robot& robot, HWND w) {
    Robot::Type(w, id::kWorkbookPath, Shown(scratch / "planilha.xlsx"));
    Robot::Type(w, id::kDestinationFolder, Shown(scratch.path()));
    Robot::Click(w, id::kMainButton);
    HWND dialog = robot.WaitForWindow(L"TForm_Senha_OXR");
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(Robot::Text(dialog), L"Senha na OXR");
    EXPECT_EQ(Robot::Text(dialog, id::kPasswordPrompt), L"Digite sua senha junto à OXR:");
    EXPECT_EQ(Robot::Text(dialog, id::kShowCharacters), L"Mostrar os caracteres");
    EXPECT_EQ(Robot::Text(dialog, id::kPasswordOk), L"OK");
    RECT client;
    ::GetClientRect(dialog, &client);
    EXPECT_EQ(client.right, Scale(360));
    EXPECT_EQ(client.bottom, Scale(131));

    Robot::Click(dialog, id::kPasswordOk);
    const Robot::Message empty = robot.Answer();
    EXPECT_EQ(empty.caption, L"Erro");
    EXPECT_EQ(empty.text, L"Nehuma senha foi digitada para Confirmação.");
    EXPECT_TRUE(::IsWindowVisible(dialog));
    EXPECT_TRUE(Eventually([&] { return robot.Focus() == ::GetDlgItem(dialog, id::kOxrPassword); }));

    HWND field = ::GetDlgItem(dialog, id::kOxrPassword);
    EXPECT_EQ(::SendMessageW(field, EM_GETPASSWORDCHAR, 0, 0), L'*');
    Robot::Click(dialog, id::kShowCharacters);
    EXPECT_TRUE(Eventually([&] { return ::SendMessageW(field, EM_GETPASSWORDCHAR, 0, 0) == 0; }));
    Robot::Click(dialog, id::kShowCharacters);
    EXPECT_TRUE(Eventually([&] { return ::SendMessageW(field, EM_GETPASSWORDCHAR, 0, 0) == L'*'; }));

    // Esc leaves as the close box does: the run stops with no message.
    Robot::Type(dialog, id::kOxrPassword, L"segredo");
    robot.Key(VK_ESCAPE);
    EXPECT_TRUE(robot.WaitGone(dialog));
    EXPECT_EQ(robot.WaitForWindow(L"_TForm", std::chrono::milliseconds(300)), nullptr);
    EXPECT_EQ(Robot::Text(w, id::kStatusLine), L"Status: ");
    EXPECT_TRUE(Robot::Enabled(w, id::kMainButton));
  });
}

TEST(Win32Dialogs, ProxyNamesTheFirstBlankFieldAndKeepsWhatWasTypedForTheNextCheck) {
  RecordingTransmission transmission;
  MainForm* form = nullptr;
  ProxySettings stored;
  ShowMainWindow(
      transmission,
      [&](Robot& robot, HWND w) {
        Choose(w, id::kAction, 1);
        Robot::Click(w, id::kUseProxy);
        HWND dialog = robot.WaitForWindow(L"TfrmDlgProxy");
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(Robot::Text(dialog), L"VOSKE-XML - Proxy");
        for (auto [label, text] : {std::pair{id::kProxyServerLabel, L"Servidor:"}, {id::kProxyPortLabel, L"Porta:"},
                                   {id::kProxyUserLabel, L"Usuário:"}, {id::kProxyPasswordLabel, L"Senha:"}})
          EXPECT_EQ(Robot::Text(dialog, label), text);
        const struct {
          int field;
          const wchar_t* typed;
          const wchar_t* message;  // of the Confirmar that follows; null: accepted
        } steps[] = {
            {id::kProxyServer, L"proxy.exemplo", L"O campo \"Porta\" deve ser definido."},
            {id::kProxyPort, L"  ", L"O campo \"Porta\" deve ser definido."},
            {id::kProxyPort, L"3128", L"O campo \"Usuário\" deve ser definido."},
            {id::kProxyUser, L" ana ", L"O campo \"Senha\" deve ser definido."},
            {id::kProxyPassword, L"sigilo", nullptr},
        };
        for (const auto& s : steps) {
          Robot::Type(dialog, s.field, s.typed);
          Robot::Click(dialog, id::kProxyConfirm);
          if (!s.message) break;
          const Robot::Message seen = robot.Answer();
          EXPECT_EQ(seen.caption, L"Erro");
          EXPECT_EQ(seen.text, s.message);
          EXPECT_TRUE(::IsWindowVisible(dialog));
        }
        EXPECT_TRUE(robot.WaitGone(dialog));
        EXPECT_EQ(::SendMessageW(::GetDlgItem(dialog, id::kProxyPassword), EM_GETPASSWORDCHAR, 0, 0), L'*');
        // Unchecked, then checked again: the same dialog, with what was typed.
        Robot::Click(w, id::kUseProxy);
        Robot::Click(w, id::kUseProxy);
        ASSERT_EQ(robot.WaitForWindow(L"TfrmDlgProxy"), dialog);
        EXPECT_EQ(Robot::Text(dialog, id::kProxyUser), L" ana ");
        robot.Key(VK_ESCAPE);
        EXPECT_TRUE(robot.WaitGone(dialog));
        EXPECT_TRUE(Robot::Checked(w, id::kUseProxy));
        stored = form->Presenter().Proxy();
      },
      &form);
  EXPECT_EQ(stored.server, "proxy.exemplo");
  EXPECT_EQ(stored.port, "3128");
  EXPECT_EQ(stored.user, " ana ");  // untrimmed
  EXPECT_EQ(stored.password, "sigilo");
}

TEST(Win32Dialogs, FolderListOpensWithEnterJumpsByTypingAndConfirmsTheFolderItShows) {
  support::ScratchDir scratch;
  for (const char* name : {"Alfa", "Beta", "Bênção"}) fs::create_directories(scratch.path() / fs::u8path(name));
  fs::create_directories(scratch.path() / "Beta" / "Dentro");
  RecordingTransmission transmission;
  ShowMainWindow(transmission, [&](Robot& robot, HWND w) {
    Robot::Type(w, id::kDestinationFolder, Shown(scratch.path()));
    Robot::Click(w, id::kPickDestination);
    HWND dialog = robot.WaitForWindow(L"TForm_Pasta");
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(Robot::Text(dialog), L"Escolha do diretório");
    EXPECT_EQ(Robot::Text(dialog, id::kFolderCaption), L"Pasta de destino onde será gerado o arquivo XML/Recibo");
    EXPECT_EQ(Robot::Text(dialog, id::kFolderChosen), Shown(scratch.path()));
    HWND list = ::GetDlgItem(dialog, id::kFolderList);
    auto line = [&](LRESULT row) {
      wchar_t text[MAX_PATH] = {};
      ::SendMessageW(list, LB_GETTEXT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(text));
      return std::wstring(text);
    };
    // The path from the drive down, then the sub-folders in the order of
    // the language, accents and all.
    const LRESULT count = ::SendMessageW(list, LB_GETCOUNT, 0, 0);
    ASSERT_GE(count, 4);
    EXPECT_EQ(line(0).substr(1), L":\\");
    EXPECT_EQ(line(count - 3), L"Alfa");
    EXPECT_EQ(line(count - 2), L"Bênção");
    EXPECT_EQ(line(count - 1), L"Beta");
    EXPECT_EQ(line(count - 4), scratch.path().filename().wstring());

    // Typing "bê" jumps to "Bênção"; Enter opens it.
    for (wchar_t c : std::wstring(L"bê")) ::PostMessageW(list, WM_CHAR, c, 1);
    EXPECT_TRUE(Eventually([&] { return ::SendMessageW(list, LB_GETCURSEL, 0, 0) == count - 2; }));
    robot.Key(VK_RETURN);
    EXPECT_TRUE(Eventually([&] { return Robot::Text(dialog, id::kFolderChosen) == Shown(scratch.path() / fs::u8path("Bênção")); }));
    // Back up one level with the line above, highlight "Beta" without
    // opening it: "Confirmar" takes the folder shown, not the highlighted one.
    ::SendMessageW(list, LB_SETCURSEL, static_cast<WPARAM>(::SendMessageW(list, LB_GETCOUNT, 0, 0) - 2), 0);
    robot.Key(VK_RETURN);
    EXPECT_TRUE(Eventually([&] { return Robot::Text(dialog, id::kFolderChosen) == Shown(scratch.path()); }));
    ::SendMessageW(list, LB_SETCURSEL, static_cast<WPARAM>(count - 1), 0);
    Robot::Click(dialog, id::kFolderConfirm);
    EXPECT_TRUE(robot.WaitGone(dialog));
    EXPECT_EQ(Robot::Text(w, id::kDestinationFolder), Shown(scratch.path()));
  });
}

TEST(Win32MessageDialog, LaysOutAsTheArithmeticSays) {
  auto same = [](int v) { return v; };
  const struct {
    SIZE icon, text;
    int buttons;
    bool large;
    int width, height, firstButtonLeft, buttonTop;
  } cases[] = {
      // A one-line error with the OK button: the text's width decides.
      {{32, 32}, {200, 13}, 1, false, 252, 99, 86, 67},
      // A short text: the buttons' row decides the width.
      {{32, 32}, {20, 13}, 2, false, 184, 99, 8, 67},
      // A text taller than the icon pushes the buttons down.
      {{32, 32}, {300, 80}, 1, false, 352, 142, 136, 110},
      // The large variant adds its room.
      {{32, 32}, {200, 13}, 1, true, 552, 149, 236, 97},
  };
  for (const auto& c : cases) {
    const MessageGeometry g = ComputeMessageGeometry(c.icon, c.text, c.buttons, c.large, same);
    EXPECT_EQ(g.clientWidth, c.width);
    EXPECT_EQ(g.clientHeight, c.height);
    ASSERT_EQ(g.buttons.size(), static_cast<size_t>(c.buttons));
    EXPECT_EQ(g.buttons[0].left, c.firstButtonLeft);
    EXPECT_EQ(g.buttons[0].top, c.buttonTop);
    EXPECT_EQ(g.text.left, c.icon.cx + 15);
    if (c.buttons == 2) {
      EXPECT_EQ(g.buttons[1].left - g.buttons[0].right, 8);
    }
  }
}

TEST(Win32MessageDialog, DetailsOpenBelowVerMaisAndAQuestionStartsOnNao) {
  const std::vector<std::wstring> details = {L"Aviso: Dados Cadastrais!B10: oxr:eMail", L"Aviso: Administradores!A5"};
  int result = 0;
  LONG grown = 0;
  WithUser([&] { result = ShowMessageDialog(L"Enviar mesmo assim?", 4, kButtonsYesNo, L"Confirmação", 1, false, &details); },
           [&](Robot& robot) {
             HWND dialog = robot.WaitForWindow(L"_TForm");
             ASSERT_NE(dialog, nullptr);
             EXPECT_EQ(robot.Focus(), ::GetDlgItem(dialog, id::kMessageButtonBase + 1));  // "&Não"
             EXPECT_EQ(Robot::Text(dialog, id::kMoreLink), L"Ver mais...");
             RECT before, after;
             ::GetClientRect(dialog, &before);
             Robot::Click(dialog, id::kMoreLink);
             ASSERT_TRUE(Eventually([&] { return ::GetDlgItem(dialog, id::kDetailsBox) != nullptr; }));
             ::GetClientRect(dialog, &after);
             grown = after.bottom - before.bottom;
             EXPECT_EQ(Robot::Text(dialog, id::kMoreLink), L"Ocultar detalhes...");
             EXPECT_EQ(Robot::Text(dialog, id::kDetailsBox), details[0] + L"\r\n" + details[1]);
             EXPECT_EQ(Robot::Bounds(dialog, id::kDetailsBox).bottom - Robot::Bounds(dialog, id::kDetailsBox).top, Scale(100));
             Robot::Click(dialog, id::kMoreLink);
             ASSERT_TRUE(Eventually([&] { return ::GetDlgItem(dialog, id::kDetailsBox) == nullptr; }));
             ::GetClientRect(dialog, &after);
             EXPECT_EQ(after.bottom, before.bottom);
             // Esc answers with the cancel button.
             robot.Key(VK_ESCAPE);
             robot.WaitGone(dialog);
           });
  EXPECT_EQ(grown, Scale(115));
  EXPECT_EQ(result, 7);
}

TEST(Win32MessageDialog, ShowsTheFirstThousandCharactersOnly) {
  std::wstring text(1001, L'a');
  std::wstring shown;
  WithUser([&] { ShowMessageDialog(text, 1, kButtonOk, L"Erro"); },
           [&](Robot& robot) { shown = robot.Answer().text; });
  EXPECT_EQ(shown.size(), 1000u);
}

}  // namespace
}  // namespace voske::win32::test
