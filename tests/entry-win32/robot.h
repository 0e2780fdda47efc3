#pragma once
// The user of the Win32 windows, from a thread (or a process) of its own:
// the window's thread is busy in its modal loops, as it is when a person
// uses the program. It finds windows by their class (each form has its own,
// named after it) and controls by their IDs (entry-win32/control_ids.h),
// reads texts, types, clicks and presses keys through the controls' own
// messages.
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include <chrono>
#include <functional>
#include <string>
#include <vector>

namespace voske::win32::test {

class Robot {
 public:
  // The windows of the process `processId` (this one by default).
  explicit Robot(DWORD processId = ::GetCurrentProcessId()) : process_(processId) {}

  // The visible top-level window of class `className`, once it shows;
  // null when none showed within `limit`.
  HWND WaitForWindow(const wchar_t* className, std::chrono::milliseconds limit = std::chrono::seconds(20)) const;
  // Waits until `window` has gone (hidden or destroyed).
  bool WaitGone(HWND window, std::chrono::milliseconds limit = std::chrono::seconds(20)) const;
  // Every visible top-level window of the process, with its class.
  std::vector<std::pair<HWND, std::wstring>> Windows() const;

  static std::wstring Text(HWND window);
  static std::wstring Text(HWND window, int id) { return Text(::GetDlgItem(window, id)); }
  static void Type(HWND window, int id, const std::wstring& text);
  // Presses a button or check box as the mouse does; returns at once (what
  // the click opens is waited for with WaitForWindow).
  static void Click(HWND window, int id);
  // A key pressed and released on the control that has the focus.
  void Key(UINT virtualKey) const;
  // The control with the keyboard focus, in the window in front.
  HWND Focus() const;
  static bool Enabled(HWND window, int id) { return ::IsWindowEnabled(::GetDlgItem(window, id)); }
  static bool Checked(HWND window, int id) {
    return ::SendMessageW(::GetDlgItem(window, id), BM_GETCHECK, 0, 0) == BST_CHECKED;
  }
  // A control's place in its window's client area.
  static RECT Bounds(HWND window, int id);
  // Whether the window's thread answers within `limit`: a window that does
  // not is frozen for the user.
  static bool Answers(HWND window, std::chrono::milliseconds limit = std::chrono::milliseconds(250));

  // Reads one message dialog: its caption, text and button captions, then
  // presses the button whose caption is `answer` (the first one when empty).
  struct Message {
    std::wstring caption, text;
    std::vector<std::wstring> buttons;
    std::wstring details;  // the "Ver mais..." lines, opened and read
  };
  Message Answer(const std::wstring& answer = {}, bool openDetails = false) const;

 private:
  DWORD process_;
};

// Waits until `done` holds, looking every few milliseconds.
bool Eventually(const std::function<bool()>& done, std::chrono::milliseconds limit = std::chrono::seconds(20));

// Runs `window` (which shows a window modally) on this thread while `user`
// acts on it from another; returns when both are done. When the user's
// steps end with windows still open (a failed expectation), the window's
// modal loops are ended, so that a failing test never hangs.
void WithUser(const std::function<void()>& window, const std::function<void(Robot&)>& user);

}  // namespace voske::win32::test
