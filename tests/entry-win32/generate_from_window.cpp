// generate-from-window.exe: starts the desktop program (an installed
// voske.exe), and as its user generates a document from its window: the
// workbook and the folder typed in, "Gerar arquivo", the password, and the
// message read. Prints the message and ends the program with "Sair".
// Usage: generate-from-window VOSKE_EXE WORKBOOK FOLDER PASSWORD
// Exit status 0 when the message says the document was generated. With the
// program alone it only opens the window and closes it (the window's start
// time is timed so).
#include <cstdio>
#include <string>

#include "entry-win32/control_ids.h"
#include "robot.h"

namespace id = voske::win32::control;
using voske::win32::test::Eventually;
using voske::win32::test::Robot;

int wmain(int argc, wchar_t** argv) {
  if (argc != 5 && argc != 2) {
    std::fputs("Uso: generate-from-window VOSKE_EXE [PLANILHA PASTA SENHA]\n", stderr);
    return 2;
  }
  std::wstring command = L"\"" + std::wstring(argv[1]) + L"\"";
  STARTUPINFOW startup = {};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process = {};
  if (!::CreateProcessW(argv[1], command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process)) {
    std::fprintf(stderr, "o programa não iniciou (erro %lu)\n", ::GetLastError());
    return 1;
  }
  Robot robot(process.dwProcessId);
  // A machine without Java is told so when the window opens.
  HWND window = nullptr;
  Eventually([&] {
    if (robot.WaitForWindow(L"_TForm", std::chrono::milliseconds(1))) robot.Answer();
    window = robot.WaitForWindow(L"TForm_VOSKE_XML", std::chrono::milliseconds(1));
    return window && ::IsWindowEnabled(window);
  });
  if (!window) {
    std::fputs("a janela principal não apareceu\n", stderr);
    ::TerminateProcess(process.hProcess, 1);
    return 1;
  }
  int ok = 0;
  if (argc == 5) {
    Robot::Type(window, id::kWorkbookPath, argv[2]);
    Robot::Type(window, id::kDestinationFolder, argv[3]);
    Robot::Click(window, id::kMainButton);
    HWND password = robot.WaitForWindow(L"TForm_Senha_OXR");
    if (password) {
      Robot::Type(password, id::kOxrPassword, argv[4]);
      Robot::Click(password, id::kPasswordOk);
    }
    const Robot::Message seen = robot.Answer();
    ok = seen.text.rfind(L"XML gerado com sucesso.", 0) == 0 ? 0 : 1;
    std::fwprintf(stdout, L"%ls: %ls\n", seen.caption.c_str(), seen.text.c_str());
  }
  Robot::Click(window, id::kQuitButton);
  if (::WaitForSingleObject(process.hProcess, 20000) != WAIT_OBJECT_0) {
    std::fputs("o programa não terminou com \"Sair\"\n", stderr);
    ::TerminateProcess(process.hProcess, 1);
    return 1;
  }
  ::CloseHandle(process.hThread);
  ::CloseHandle(process.hProcess);
  return ok;
}
