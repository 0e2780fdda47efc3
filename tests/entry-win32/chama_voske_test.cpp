// voske.dll as a host program uses it: loaded by path, its one export
// called twice in the same process, each call showing the main window
// modally and returning once it is closed.
#include <gtest/gtest.h>

#include <filesystem>

#include "support/paths.h"
#include "window_fixture.h"

namespace voske::win32::test {
namespace {

TEST(Win32ChamaVoske, TheLibraryLoadedByPathOpensTheWindowOnEachOfTwoCalls) {
  const std::filesystem::path library = support::BinaryDir() / "bin" / "voske.dll";
  HMODULE module = ::LoadLibraryExW(library.wstring().c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
  ASSERT_NE(module, nullptr) << "voske.dll did not load: " << library;
  auto chamaVoske = reinterpret_cast<void (*)()>(reinterpret_cast<void*>(::GetProcAddress(module, "Chama_VOSKE")));
  ASSERT_NE(chamaVoske, nullptr);
  for (int call = 1; call <= 2; ++call) {
    std::wstring caption;
    WithUser(chamaVoske, [&](Robot& robot) {
      // Without a Java installation the window says so once it opens; the
      // generation works all the same.
      HWND window = nullptr;
      Eventually([&] {
        if (HWND message = robot.WaitForWindow(L"_TForm", std::chrono::milliseconds(1))) {
          Robot::Click(message, id::kMessageButtonBase + 2);  // "&OK"
          robot.WaitGone(message);
        }
        window = robot.WaitForWindow(L"TForm_VOSKE_XML", std::chrono::milliseconds(1));
        return window && ::IsWindowEnabled(window);
      });
      ASSERT_NE(window, nullptr) << "call " << call;
      caption = Robot::Text(window);
      Robot::Click(window, id::kQuitButton);
      robot.WaitGone(window);
    });
    EXPECT_EQ(caption.rfind(L"VOSKE-XML 3.3 {Windows", 0), 0u) << "call " << call;
  }
  ::FreeLibrary(module);
}

}  // namespace
}  // namespace voske::win32::test
