// Finding the Java runtime through registry answers, and the versions that
// can run the client component.
#include "transmission/java_runtime.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "platform/java_install.h"
#include "support/recording_front_end.h"
#include "text/cp1252.h"
#include "transmission/java_vm.h"

namespace voske {
namespace {

// A registry in which a runtime of that version is registered with its library.
MemoryRegistry RuntimeRegistered(const std::string& version, const std::string& library) {
  MemoryRegistry r;
  r.AddKey(kJavaSoftKey);
  r.SetString(kJreKey, "CurrentVersion", version);
  r.SetString(std::string(kJreKey) + "\\" + version, "RuntimeLib", library);
  return r;
}

TEST(FindJavaRuntime, ReadsTheRegisteredRuntimeAndItsLibrary) {
  for (const char* version : {"1.5", "1.6", "1.8", "9", "11", "17", "21"}) {
    const JavaRuntime found = FindJavaRuntime(RuntimeRegistered(version, "/opt/java/lib/server/libjvm.so"));
    EXPECT_EQ(found.version, version);
    EXPECT_EQ(found.libraryPath, "/opt/java/lib/server/libjvm.so") << version;
  }
}

TEST(FindJavaRuntime, AnOldRuntimeLeavesThePathEmptyAndDoesNotFallThroughToTheKit) {
  MemoryRegistry r = RuntimeRegistered("1.4", "/opt/old/libjvm.so");
  r.SetString(kJdkKey, "CurrentVersion", "1.6");
  r.SetString(std::string(kJdkKey) + "\\1.6", "JavaHome", "/opt/jdk");
  const JavaRuntime found = FindJavaRuntime(r);
  EXPECT_EQ(found.version, "1.4");
  EXPECT_EQ(found.libraryPath, "");
}

TEST(FindJavaRuntime, ADevelopmentKitAloneGivesItsHomeWithTheLibrarySuffix) {
  MemoryRegistry r;
  r.AddKey(kJavaSoftKey);
  r.SetString(kJdkKey, "CurrentVersion", "1.6");
  r.SetString(std::string(kJdkKey) + "\\1.6", "JavaHome", "/opt/jdk");
  const JavaRuntime found = FindJavaRuntime(r);
  EXPECT_EQ(found.version, "1.6");
  // The kit's VM as this system lays it out (lib/server/libjvm.so on POSIX).
  EXPECT_EQ(found.libraryPath, platform::VmLibraryOfRegisteredKit("/opt/jdk"));

  // A runtime key without a version counts as missing, so the kit answers.
  r.AddKey(kJreKey);
  EXPECT_EQ(FindJavaRuntime(r).libraryPath, platform::VmLibraryOfRegisteredKit("/opt/jdk"));
}

TEST(FindJavaRuntime, NothingRegisteredGivesNothing) {
  EXPECT_EQ(FindJavaRuntime(MemoryRegistry()).version, "");
  MemoryRegistry javaSoftOnly;
  javaSoftOnly.AddKey(kJavaSoftKey);
  const JavaRuntime found = FindJavaRuntime(javaSoftOnly);
  EXPECT_EQ(found.version, "");
  EXPECT_EQ(found.libraryPath, "");
  // Values under keys that are not there are not read.
  MemoryRegistry r;
  r.SetString(kJreKey, "CurrentVersion", "17");
  EXPECT_EQ(FindJavaRuntime(r).version, "");
}

TEST(FindJavaRuntime, TheVersionKeyIsOpenedWithTheUntrimmedText) {
  MemoryRegistry r;
  r.AddKey(kJavaSoftKey);
  r.SetString(kJreKey, "CurrentVersion", "1.6 ");
  r.SetString(std::string(kJreKey) + "\\1.6 ", "RuntimeLib", "/padded");
  r.SetString(std::string(kJreKey) + "\\1.6", "RuntimeLib", "/trimmed");
  EXPECT_EQ(FindJavaRuntime(r).libraryPath, "/padded");
}

TEST(JavaVersion, OneDotXMeansXAndOtherwiseTheLeadingNumber) {
  struct Case {
    const char* text;
    std::optional<int> feature;
  };
  const Case cases[] = {
      {"1.4", 4},      {"1.5", 5},        {"1.6", 6},          {"1.8", 8},   {"1.8.0_392", 8},
      {"9", 9},        {"10", 10},        {"11", 11},          {"11.0.2", 11}, {"17", 17},
      {"17.0.15", 17}, {"21", 21},        {" 21.0.1 ", 21},    {"1.10", 10}, {"1", 1},
      {"1.", 1},       {"", std::nullopt}, {"abc", std::nullopt}, {"v17", std::nullopt}, {"   ", std::nullopt},
  };
  for (const Case& c : cases) EXPECT_EQ(JavaFeatureVersion(c.text), c.feature) << '"' << c.text << '"';
}

TEST(JavaVersion, SixAndLaterAreUsable) {
  for (const char* ok : {"1.6", "1.8", "9", "10", "11", "17", "21", "25.0.1"}) EXPECT_TRUE(IsUsableJavaVersion(ok)) << ok;
  for (const char* refused : {"1.4", "1.5", "1.1", "0.9", "1", "", "abc", "x.y"})
    EXPECT_FALSE(IsUsableJavaVersion(refused)) << refused;
}

// The warning names the first three characters of the version and the path.
TEST(StartJavaVM, AnUnusableRuntimeIsReportedOnceAndNothingStarts) {
  struct Case {
    JavaRuntime runtime;
    const char* found;
  };
  const Case cases[] = {
      {FindJavaRuntime(RuntimeRegistered("1.4", "/opt/old/libjvm.so")), "1.4 "},
      {FindJavaRuntime(RuntimeRegistered("1.5", "/opt/j5/libjvm.so")), "1.5 /opt/j5/libjvm.so"},
      {{"17.0.15", "   "}, "17. "},
      {{"", ""}, " "},
      {{"abc", "/opt/x/libjvm.so"}, "abc /opt/x/libjvm.so"},
  };
  const auto before = std::filesystem::current_path();
  for (const Case& c : cases) {
    support::RecordingFrontEnd ui;
    EXPECT_EQ(StartJavaVM(c.runtime, "/nonexistent/ext/VOSKE", ui), nullptr);
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text,
              Ansi("Não foi possível localizar a instalação do Java 1.6 (Java Runtime Environment).\r"
                   "Desta forma o aplicativo não poderá transmitir os arquivos para a OXR.\r"
                   "Verifique o manual para maiores detalhes.\r"
                   "Versão encontrada: ") +
                  c.found);
    EXPECT_EQ(ui.messages[0].icon, MessageIcon::Information);
    EXPECT_EQ(ui.messages[0].caption, "Erro");
  }
  EXPECT_EQ(std::filesystem::current_path(), before);
}

}  // namespace
}  // namespace voske
