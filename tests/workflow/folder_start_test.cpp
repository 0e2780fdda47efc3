// Where the folder dialog opens: the folder typed in the destination field
// when it exists, else the user's home, never the program's own folder.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <optional>
#include <string>

#include "support/paths.h"
#include "workflow/folder_start.h"

namespace voske {
namespace {

namespace fs = std::filesystem;

// The variable that names the user's home on this system.
#ifdef _WIN32
constexpr const char* kHome = "USERPROFILE";
#else
constexpr const char* kHome = "HOME";
#endif

// The home variable for the length of one test.
class HomeAt {
 public:
  explicit HomeAt(const std::optional<std::string>& home) {
    if (const char* old = std::getenv(kHome)) saved_ = old;
    support::SetEnvironment(kHome, home);
  }
  ~HomeAt() { support::SetEnvironment(kHome, saved_); }

 private:
  std::optional<std::string> saved_;
};

TEST(FolderDialogStart, TypedFolderWhenItExistsElseHome) {
  support::ScratchDir dir;
  fs::create_directories(dir / "casa");
  fs::create_directories(dir / "destino com espaço");
  std::ofstream(dir / "arquivo.txt") << "x";
  HomeAt home((dir / "casa").string());

  EXPECT_EQ(FolderDialogStart((dir / "destino com espaço").string()), (dir / "destino com espaço").string());
  EXPECT_EQ(FolderDialogStart(""), (dir / "casa").string());
  EXPECT_EQ(FolderDialogStart((dir / "nao-existe").string()), (dir / "casa").string());
  EXPECT_EQ(FolderDialogStart((dir / "arquivo.txt").string()), (dir / "casa").string());  // a file is no folder
}

TEST(FolderDialogStart, WithoutAUsableHomeVariableTheAccountsHomeOrTheRoot) {
  support::ScratchDir dir;
  HomeAt home((dir / "sumiu").string());  // HOME names a folder that is gone
  const std::string start = FolderDialogStart("");
  EXPECT_NE(start, (dir / "sumiu").string());
  EXPECT_TRUE(fs::is_directory(start)) << start;
  HomeAt none(std::nullopt);
  EXPECT_TRUE(fs::is_directory(FolderDialogStart(""))) << FolderDialogStart("");
}

}  // namespace
}  // namespace voske
