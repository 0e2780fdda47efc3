// The test programs' child runner on Windows: a child is ended together with
// every program it started (its job object), so a test whose child hangs
// leaves nothing running behind it.
#include <windows.h>

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>

#include "support/files.h"
#include "support/paths.h"
#include "support/process.h"

namespace voske {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

bool OpensForWriting(const fs::path& file) {
  HANDLE h = ::CreateFileW(file.wstring().c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  if (h == INVALID_HANDLE_VALUE) return false;
  ::CloseHandle(h);
  return true;
}

TEST(ChildProcess, KillingAChildEndsWhatItStartedToo) {
  support::ScratchDir dir;
  const fs::path held = dir / "aberto.txt";
  std::ofstream(held) << "x";
  const char* shell = std::getenv("ComSpec");
  ASSERT_NE(shell, nullptr);
  // The shell starts the holder and waits for it: the holder is the child's
  // child, which a plain TerminateProcess of the child would leave running.
  const fs::path holder = fs::path(support::BinaryDir() / "tests" / "hold_open.exe").make_preferred();
  support::ProcessSpec spec;
  spec.argv = {shell, "/c", holder.string() + " " + held.string() + " 60"};
  spec.environment = support::CurrentEnvironment();
  spec.output = dir / "saida.txt";
  support::ChildProcess child(spec);
  ASSERT_TRUE(child.Started());
  for (int i = 0; i < 600 && support::FileContents(spec.output).find("aberto") == std::string::npos; ++i)
    std::this_thread::sleep_for(50ms);
  ASSERT_NE(support::FileContents(spec.output).find("aberto"), std::string::npos) << "the holder never started";
  ASSERT_FALSE(OpensForWriting(held));

  EXPECT_FALSE(child.Wait(100ms).finished);
  bool released = false;
  for (int i = 0; i < 100 && !(released = OpensForWriting(held)); ++i) std::this_thread::sleep_for(50ms);
  EXPECT_TRUE(released) << "the program the child started still holds the file";
}

}  // namespace
}  // namespace voske
