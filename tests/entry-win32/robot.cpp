#include "robot.h"

#include <thread>

#include "entry-win32/control_ids.h"

namespace voske::win32::test {

namespace {

std::wstring ClassOf(HWND window) {
  wchar_t name[128] = {};
  ::GetClassNameW(window, name, 128);
  return name;
}

}  // namespace

bool Eventually(const std::function<bool()>& done, std::chrono::milliseconds limit) {
  const auto end = std::chrono::steady_clock::now() + limit;
  while (!done()) {
    if (std::chrono::steady_clock::now() > end) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  return true;
}

std::vector<std::pair<HWND, std::wstring>> Robot::Windows() const {
  struct Search {
    DWORD process;
    std::vector<std::pair<HWND, std::wstring>> found;
  } search{process_, {}};
  ::EnumWindows(
      [](HWND window, LPARAM data) -> BOOL {
        auto* s = reinterpret_cast<Search*>(data);
        DWORD owner = 0;
        ::GetWindowThreadProcessId(window, &owner);
        if (owner == s->process && ::IsWindowVisible(window)) s->found.emplace_back(window, ClassOf(window));
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.found;
}

HWND Robot::WaitForWindow(const wchar_t* className, std::chrono::milliseconds limit) const {
  HWND found = nullptr;
  Eventually(
      [&] {
        for (const auto& [window, cls] : Windows())
          if (cls == className) found = window;
        return found != nullptr;
      },
      limit);
  return found;
}

bool Robot::WaitGone(HWND window, std::chrono::milliseconds limit) const {
  return Eventually([&] { return !::IsWindow(window) || !::IsWindowVisible(window); }, limit);
}

std::wstring Robot::Text(HWND window) {
  wchar_t buffer[4096] = {};
  ::SendMessageW(window, WM_GETTEXT, 4096, reinterpret_cast<LPARAM>(buffer));
  return buffer;
}

void Robot::Type(HWND window, int id, const std::wstring& text) {
  ::SendMessageW(::GetDlgItem(window, id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

void Robot::Click(HWND window, int id) { ::PostMessageW(::GetDlgItem(window, id), BM_CLICK, 0, 0); }

HWND Robot::Focus() const {
  GUITHREADINFO info = {};
  info.cbSize = sizeof info;
  for (const auto& [window, cls] : Windows()) {
    (void)cls;
    const DWORD thread = ::GetWindowThreadProcessId(window, nullptr);
    if (::GetGUIThreadInfo(thread, &info) && info.hwndFocus) return info.hwndFocus;
  }
  return nullptr;
}

void Robot::Key(UINT virtualKey) const {
  HWND target = Focus();
  if (!target) return;
  ::PostMessageW(target, WM_KEYDOWN, virtualKey, 1);
  ::PostMessageW(target, WM_KEYUP, virtualKey, (1u << 30) | (1u << 31) | 1);
}

RECT Robot::Bounds(HWND window, int id) {
  RECT r = {};
  HWND control = ::GetDlgItem(window, id);
  ::GetWindowRect(control, &r);
  ::MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&r), 2);
  return r;
}

bool Robot::Answers(HWND window, std::chrono::milliseconds limit) {
  DWORD_PTR result = 0;
  return ::SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, static_cast<UINT>(limit.count()), &result) != 0;
}

Robot::Message Robot::Answer(const std::wstring& answer, bool openDetails) const {
  Message seen;
  HWND dialog = WaitForWindow(L"_TForm");
  if (!dialog) return seen;
  seen.caption = Text(dialog);
  seen.text = Text(dialog, control::kMessageText);
  int press = 0;
  for (int entry = 0; entry <= 10; ++entry) {
    HWND button = ::GetDlgItem(dialog, control::kMessageButtonBase + entry);
    if (!button) continue;
    seen.buttons.push_back(Text(button));
    if (!press && (answer.empty() || Text(button) == answer)) press = control::kMessageButtonBase + entry;
  }
  if (openDetails && ::GetDlgItem(dialog, control::kMoreLink)) {
    Click(dialog, control::kMoreLink);
    Eventually([&] { return ::GetDlgItem(dialog, control::kDetailsBox) != nullptr; });
    seen.details = Text(dialog, control::kDetailsBox);
  }
  if (press) Click(dialog, press);
  WaitGone(dialog);
  return seen;
}

void WithUser(const std::function<void()>& window, const std::function<void(Robot&)>& user) {
  const DWORD windowThread = ::GetCurrentThreadId();
  std::thread person([&] {
    Robot robot;
    user(robot);
    // Whatever is still open after the user's last step ends: the window's
    // thread is asked to leave its loops.
    if (!Eventually([&] { return robot.Windows().empty(); }, std::chrono::seconds(5)))
      ::PostThreadMessageW(windowThread, WM_QUIT, 0, 0);
  });
  window();
  person.join();
  // A request to leave that came after the loops ended is not the next test's.
  MSG message;
  while (::PeekMessageW(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
  }
}

}  // namespace voske::win32::test
