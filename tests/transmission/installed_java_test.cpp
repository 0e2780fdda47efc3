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

}  // namespace
}  // namespace voske
