// The registry-shaped layer answered from Java installations on disk. Each
// case lays out fake installations in a scratch folder.
#include "transmission/installed_java.h"

#include <gtest/gtest.h>

#include <fstream>

#include "support/paths.h"
#include "transmission/java_runtime.h"

namespace voske {
namespace {

namespace fs = std::filesystem;
using support::ScratchDir;

void WriteFile(const fs::path& p, const std::string& content) {
  fs::create_directories(p.parent_path());
  std::ofstream(p) << content;
}

// A Java home with a release file, a VM library, a launcher and (for a kit) a compiler.
fs::path MakeJava(const fs::path& home, const std::string& version, bool withLibrary = true, bool kit = false) {
  WriteFile(home / "release", "IMPLEMENTOR=\"Test\"\nJAVA_VERSION=\"" + version + "\"\nOS_NAME=\"Linux\"\n");
  if (withLibrary) WriteFile(home / "lib/server/libjvm.so", "");
  WriteFile(home / "bin/java", "");
  if (kit) WriteFile(home / "bin/javac", "");
  return home;
}

TEST(InstalledJava, JavaHomeWinsAndWhenItPointsNowhereNothingElseIsTried) {
  ScratchDir dir;
  const fs::path chosen = MakeJava(dir / "chosen", "11.0.2");
  const fs::path other = MakeJava(dir / "jvm/other", "17.0.1");

  JavaSearchPlaces places;
  places.javaHome = chosen;
  places.defaults = {other.string()};
  places.jvmFolder = dir / "jvm";
  EXPECT_EQ(LocateJavaHome(places), chosen.string());

  places.javaHome = dir / "nowhere";
  EXPECT_EQ(LocateJavaHome(places), std::nullopt);
  const JavaRuntime none = FindJavaRuntime(InstalledJavaRegistry(places));
  EXPECT_EQ(none.version, "");
  EXPECT_EQ(none.libraryPath, "");
}

TEST(InstalledJava, TheSystemDefaultIsFollowedThroughTheLauncherLink) {
  ScratchDir dir;
  const fs::path home = MakeJava(dir / "jvm/java-17", "17.0.15");
  fs::create_directories(dir / "alternatives");
  fs::create_symlink(home / "bin/java", dir / "alternatives/java");
  fs::create_symlink(dir / "alternatives/java", dir / "java");

  JavaSearchPlaces places;
  places.defaults = {(dir / "default-java").string(), (dir / "java").string()};  // the first is absent
  places.jvmFolder = dir / "empty";
  EXPECT_EQ(LocateJavaHome(places), fs::canonical(home).string());
}

TEST(InstalledJava, OtherwiseTheFirstJvmFolderThatHasAVmLibrary) {
  ScratchDir dir;
  MakeJava(dir / "jvm/a-no-library", "21", /*withLibrary=*/false);
  const fs::path b = MakeJava(dir / "jvm/b-java", "17.0.1");
  MakeJava(dir / "jvm/c-java", "21.0.1");
  WriteFile(dir / "jvm/.hidden-file", "");

  JavaSearchPlaces places;
  places.jvmFolder = dir / "jvm";
  EXPECT_EQ(LocateJavaHome(places), b.string());

  places.jvmFolder = dir / "missing";
  EXPECT_EQ(LocateJavaHome(places), std::nullopt);
}

TEST(InstalledJava, AnInstallationAnswersTheRuntimeKeysAndAKitAlsoTheKitKeys) {
  ScratchDir dir;
  const fs::path jre = MakeJava(dir / "jre", "17.0.15");
  JavaRuntime found = FindJavaRuntime(RegistryForJavaHome(jre));
  EXPECT_EQ(found.version, "17.0.15");
  EXPECT_EQ(found.libraryPath, (jre / "lib/server/libjvm.so").string());
  EXPECT_FALSE(RegistryForJavaHome(jre).KeyExists(kJdkKey));

  const fs::path jdk = MakeJava(dir / "jdk", "1.8.0_392", true, /*kit=*/true);
  const MemoryRegistry kit = RegistryForJavaHome(jdk);
  EXPECT_EQ(kit.ReadString(std::string(kJdkKey) + "\\1.8.0_392", "JavaHome"), jdk.string());
  EXPECT_EQ(FindJavaRuntime(kit).libraryPath, (jdk / "lib/server/libjvm.so").string());

  // Without a VM library the runtime is registered with an empty library.
  const fs::path bare = MakeJava(dir / "bare", "21", /*withLibrary=*/false);
  found = FindJavaRuntime(RegistryForJavaHome(bare));
  EXPECT_EQ(found.version, "21");
  EXPECT_EQ(found.libraryPath, "");
}

TEST(InstalledJava, TheReleaseFileGivesTheVersion) {
  ScratchDir dir;
  WriteFile(dir / "crlf/release", "JAVA_RUNTIME_VERSION=\"x\"\r\nJAVA_VERSION=\"21.0.2\"\r\n");
  EXPECT_EQ(ReadReleaseVersion(dir / "crlf"), "21.0.2");
  WriteFile(dir / "unquoted/release", "JAVA_VERSION=1.8.0_402\n");
  EXPECT_EQ(ReadReleaseVersion(dir / "unquoted"), "1.8.0_402");
  WriteFile(dir / "none/release", "OS_NAME=\"Linux\"\n");
  EXPECT_EQ(ReadReleaseVersion(dir / "none"), "");
  EXPECT_EQ(ReadReleaseVersion(dir / "missing"), "");

  // A home without a version registers nothing to run.
  const JavaRuntime found = FindJavaRuntime(RegistryForJavaHome(dir / "none"));
  EXPECT_EQ(found.version, "");
  EXPECT_EQ(found.libraryPath, "");
}

// The system's registry comes first when it names a runnable Java, then the
// key newer kits register, then JAVA_HOME; when nothing runs, the registry's
// own answer is what the warning reports.
TEST(InstalledJava, TheRegistryThenTheNewerKitKeyThenJavaHome) {
  ScratchDir dir;
  const fs::path registered = MakeJava(dir / "registered", "1.8.0_402");
  const fs::path kit17 = MakeJava(dir / "kit17", "17.0.2"), kit11 = MakeJava(dir / "kit11", "11.0.1");
  const fs::path fromEnv = MakeJava(dir / "env", "21.0.1");
  const std::string jre = std::string(kJreKey) + "\\1.8";
  const std::string modern = std::string(kModernJdkKey) + "\\";
  struct Case {
    const char* name;
    std::vector<std::pair<std::string, std::string>> values;  // key|value -> data
    bool javaHome;
    std::string version, library;
  };
  const std::string lib = "lib/server/libjvm.so";
  const Case cases[] = {
      {"runnable registered runtime", {{std::string(kJreKey) + "|CurrentVersion", "1.8"},
                                       {jre + "|RuntimeLib", (registered / lib).string()},
                                       {modern + "17.0.2|JavaHome", kit17.string()}}, true,
       "1.8", (registered / lib).string()},
      {"registered library missing", {{std::string(kJreKey) + "|CurrentVersion", "1.8"},
                                      {jre + "|RuntimeLib", (dir / "gone.so").string()},
                                      {std::string(kModernJdkKey) + "|CurrentVersion", "11.0.1"},
                                      {modern + "11.0.1|JavaHome", kit11.string()},
                                      {modern + "17.0.2|JavaHome", kit17.string()}}, true,
       "11.0.1", (kit11 / lib).string()},
      {"highest kit without CurrentVersion", {{modern + "11.0.1|JavaHome", kit11.string()},
                                              {modern + "17.0.2|JavaHome", kit17.string()}}, true,
       "17.0.2", (kit17 / lib).string()},
      {"old runtime, JAVA_HOME", {{std::string(kJreKey) + "|CurrentVersion", "1.5"},
                                  {std::string(kJreKey) + "\\1.5|RuntimeLib", "C:\\old\\jvm.dll"}}, true,
       "21.0.1", (fromEnv / lib).string()},
      {"nothing runs anywhere", {{std::string(kJreKey) + "|CurrentVersion", "1.5"},
                                 {std::string(kJreKey) + "\\1.5|RuntimeLib", "C:\\old\\jvm.dll"}}, false,
       "1.5", "C:\\old\\jvm.dll"},
  };
  for (const Case& c : cases) {
    MemoryRegistry system;
    system.AddKey(kJavaSoftKey);
    for (const auto& [where, data] : c.values) {
      const size_t bar = where.find('|');
      system.SetString(where.substr(0, bar), where.substr(bar + 1), data);
    }
    JavaSearchPlaces places;
    if (c.javaHome) places.javaHome = fromEnv.string();
    else places.jvmFolder = (dir / "none").string();
    const JavaRuntime found = FindJavaRuntime(InstalledJavaRegistry(places, system));
    EXPECT_EQ(found.version, c.version) << c.name;
    EXPECT_EQ(found.libraryPath, c.library) << c.name;
  }
}

}  // namespace
}  // namespace voske
