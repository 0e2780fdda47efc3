// Starting the embedded VM: the client folder, the class path, and every way
// the start can fail before a VM exists.
#include "transmission/java_vm.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>

#include "platform/file_system.h"
#include "platform/java_install.h"
#include "platform/process.h"
#include "platform/utf8_path.h"
#include "support/paths.h"
#include "support/recording_front_end.h"
#include "text/cp1252.h"

namespace voske {
namespace {

namespace fs = std::filesystem;

// Puts the current directory back, since a start-up changes it for the process.
class KeepCurrentDirectory {
 public:
  KeepCurrentDirectory() : saved_(fs::current_path()) {}
  ~KeepCurrentDirectory() { fs::current_path(saved_); }

 private:
  fs::path saved_;
};

const Text kCreateFailed = Ansi(
    "Não foi possível criar uma instância da Maquina Virtual Java. Desta forma não será possivel transmitir os "
    "arquivos gerados.");

Text UseFailed(const std::string& detail) {
  return Ansi("Erro ao tentar utilizar a Máquina Virtual Java:") + CR + FromUtf8(detail);
}

// "/" on POSIX, "\\" on Windows.
const std::string kSep(1, platform::PathSeparator());

TEST(ClientFolder, IsBesideTheExecutableWithTheHistoricDoubledSeparator) {
  EXPECT_EQ(ClientFolderBeside("/opt/prog"), "/opt/prog" + kSep + kSep + "ext" + kSep + "VOSKE");
  EXPECT_EQ(ClientFolderBeside("/opt/prog/"), "/opt/prog/" + kSep + "ext" + kSep + "VOSKE");
}

TEST(ClientFolder, TheEnvironmentOverridesIt) {
  support::SetEnvironment("VOSKE_CLIENT_DIR", "/srv/voske/client");
  EXPECT_EQ(DefaultClientFolder(), "/srv/voske/client");
  support::SetEnvironment("VOSKE_CLIENT_DIR", std::nullopt);
  const fs::path exe = platform::PathOf(platform::ExecutablePath());
  EXPECT_EQ(DefaultClientFolder(), platform::Utf8Of(exe.parent_path()) + kSep + kSep + "ext" + kSep + "VOSKE");
}

TEST(ClassPath, ListsTheClientFolderTheClientJarAndTheShippedJarsInOrder) {
  std::string expected =
      "-Djava.class.path=/opt/prog//ext/VOSKE:/opt/prog//ext/VOSKE/VOSKEClient.jar:jaxws-api.jar:"
      "classes12.jar:FastInfoset.jar:http.jar:jaxb-api.jar:jaxb-impl.jar:jaxb-xjc.jar:activation.jar:"
      "jaxws-rt.jar:jsr173_api.jar:jjsr181-api.jar:jsr250-api.jar:ocrs12.jar:saaj-api.jar:saaj-impl.jar:"
      "sjsxp.jar:JNIMain.class";
  std::replace(expected.begin(), expected.end(), ':', platform::ClassPathSeparator());  // ";" on Windows
  EXPECT_EQ(ClassPathOption("/opt/prog//ext/VOSKE"), expected);
}

// Each case expects no VM afterwards; once a real one runs in this process
// (when the whole program runs in one process) it would be reused instead.
class StartFailure : public ::testing::Test {
 protected:
  void SetUp() override {
    if (JavaVmRunning()) GTEST_SKIP() << "a VM already runs in this process; run each case on its own (ctest does)";
  }
  KeepCurrentDirectory keep_;
  support::ScratchDir client_;
  support::RecordingFrontEnd ui_;
};

TEST_F(StartFailure, AMissingClientFolderIsReportedWithTheSystemsText) {
  const std::string missing = (client_ / "absent").string();
  EXPECT_EQ(StartJavaVM({"17", VOSKE_FAKE_VM_REFUSING}, missing, ui_), nullptr);
  ASSERT_EQ(ui_.messages.size(), 2u);
  EXPECT_EQ(ui_.messages[0].text,
            UseFailed("Não foi possível entrar na pasta " + missing + ": No such file or directory"));
  EXPECT_EQ(ui_.messages[0].icon, MessageIcon::Error);
  EXPECT_EQ(ui_.messages[1].text, kCreateFailed);
  EXPECT_FALSE(JavaVmRunning());
}

TEST_F(StartFailure, AFileThatIsNoLibraryCannotBeLoaded) {
  const std::string notALibrary = (client_ / "libjvm.so").string();
  std::ofstream(notALibrary) << "not a shared library\n";
  EXPECT_EQ(StartJavaVM({"17.0.15", notALibrary}, client_.path().string(), ui_), nullptr);
  ASSERT_EQ(ui_.messages.size(), 2u);
  EXPECT_EQ(ui_.messages[0].text, UseFailed("LoadLibrary failed trying to load " + notALibrary));
  EXPECT_EQ(ui_.messages[1].text, kCreateFailed);
  // The client folder was entered before the library was tried.
  EXPECT_EQ(fs::current_path(), client_.path());
}

TEST_F(StartFailure, ALibraryWithoutTheEntryPointsIsNamedWithTheMissingOne) {
  EXPECT_EQ(StartJavaVM({"21", VOSKE_FAKE_VM_UNRELATED}, client_.path().string(), ui_), nullptr);
  ASSERT_EQ(ui_.messages.size(), 2u);
  EXPECT_EQ(ui_.messages[0].text, UseFailed(std::string("GetProcAddress failed to locate JNI_CreateJavaVM in library ") +
                                            VOSKE_FAKE_VM_UNRELATED));

  support::RecordingFrontEnd second;
  EXPECT_EQ(StartJavaVM({"21", VOSKE_FAKE_VM_INCOMPLETE}, client_.path().string(), second), nullptr);
  ASSERT_EQ(second.messages.size(), 2u);
  EXPECT_EQ(second.messages[0].text,
            UseFailed(std::string("GetProcAddress failed to locate JNI_GetCreatedJavaVMs in library ") +
                      VOSKE_FAKE_VM_INCOMPLETE));
  EXPECT_EQ(second.messages[1].text, kCreateFailed);
}

TEST_F(StartFailure, AVmThatRefusesToStartGivesOnlyTheCreationMessage) {
  EXPECT_EQ(StartJavaVM({"1.6", VOSKE_FAKE_VM_REFUSING}, client_.path().string(), ui_), nullptr);
  ASSERT_EQ(ui_.messages.size(), 1u);
  EXPECT_EQ(ui_.messages[0].text, kCreateFailed);
  EXPECT_EQ(ui_.messages[0].icon, MessageIcon::Error);
  EXPECT_EQ(ui_.messages[0].caption, "Erro");
  EXPECT_FALSE(JavaVmRunning());
}

}  // namespace
}  // namespace voske
