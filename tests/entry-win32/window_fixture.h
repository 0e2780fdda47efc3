#pragma once
// The main window shown for a test, with a person at it (robot.h) and a
// transmission that only records what it is asked to send.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "entry-win32/control_ids.h"
#include "entry-win32/form.h"
#include "entry-win32/main_form.h"
#include "generation/run_generation.h"
#include "port/transmission_port.h"
#include "robot.h"

namespace voske::win32::test {

namespace id = voske::win32::control;

class RecordingTransmission : public TransmissionPort {
 public:
  Text JavaVersion() override { return "17"; }
  bool StartJavaVM(FrontEnd&) override { return true; }
  void SendDocument(const SendRequest& request, FrontEnd&) override { sent.push_back(request); }
  std::vector<SendRequest> sent;
};

// Shows the main window and runs `steps` as its user; the user's last step
// is a click on "Sair".
inline void ShowMainWindow(TransmissionPort& transmission, const std::function<void(Robot&, HWND)>& steps,
                           MainForm** shown = nullptr) {
  WithUser(
      [&] {
        MainForm form(transmission, StandardGenerationServices());
        if (shown) *shown = &form;
        form.ShowModal();
        if (shown) *shown = nullptr;
      },
      [&](Robot& robot) {
        HWND window = robot.WaitForWindow(L"TForm_VOSKE_XML");
        if (!window) {
          // Say what showed instead: a message of the start-up, most likely.
          const HWND message = robot.WaitForWindow(L"_TForm", std::chrono::milliseconds(1));
          const std::wstring text = message ? Robot::Text(message, id::kMessageText) : L"";
          FAIL() << "the main window did not show; a message said: " << std::string(text.begin(), text.end());
        }
        steps(robot, window);
        Robot::Click(window, id::kQuitButton);
        robot.WaitGone(window);
      });
}

// Chooses an item of one of the window's lists as the user does: the list
// changes, and the window is told.
inline void Choose(HWND window, int list, int item) {
  HWND combo = ::GetDlgItem(window, list);
  ::SendMessageW(combo, CB_SETCURSEL, static_cast<WPARAM>(item), 0);
  ::SendMessageW(window, WM_COMMAND, MAKEWPARAM(list, CBN_SELCHANGE), reinterpret_cast<LPARAM>(combo));
}

// A path as the window shows it.
inline std::wstring Shown(const std::filesystem::path& path) { return path.wstring(); }

}  // namespace voske::win32::test
