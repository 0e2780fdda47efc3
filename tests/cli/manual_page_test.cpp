// The manual page of voske-cli against the code: whoever adds a command, an
// option or an environment variable finds this test failing until the page
// describes it too.
#include <gtest/gtest.h>

#include <regex>
#include <set>
#include <string>

#include "support/cli_runner.h"
#include "support/files.h"
#include "support/paths.h"

namespace voske {
namespace {

namespace fs = std::filesystem;

// The page's source as a reader sees it: "\-" is a plain hyphen there.
std::string ManualPage(const char* name) {
  std::string page = support::FileContents(support::SourceDir() / "packaging" / name);
  for (std::size_t at = page.find("\\-"); at != std::string::npos; at = page.find("\\-", at)) page.erase(at, 1);
  return page;
}

// Every first capture of `pattern` in the files of `folder` with extension `ext`.
std::set<std::string> Matches(const fs::path& folder, const std::string& ext, const std::regex& pattern) {
  std::set<std::string> found;
  for (const auto& entry : fs::recursive_directory_iterator(folder)) {
    if (entry.path().extension() != ext) continue;
    const std::string text = support::FileContents(entry.path());
    for (std::sregex_iterator m(text.begin(), text.end(), pattern), end; m != end; ++m) found.insert((*m)[1]);
  }
  return found;
}

// `word` alone, not as the start of a longer name ("--proxy" in "--proxy-usuario").
bool Mentions(const std::string& text, const std::string& word) {
  for (std::size_t at = text.find(word); at != std::string::npos; at = text.find(word, at + 1)) {
    const std::size_t after = at + word.size();
    if (after == text.size() || !(std::isalnum(static_cast<unsigned char>(text[after])) || text[after] == '-' ||
                                  text[after] == '_'))
      return true;
  }
  return false;
}

TEST(ManualPage, EveryCommandOptionAndVariableOfTheCodeIsDescribed) {
  const fs::path source = support::SourceDir();
  const std::string page = ManualPage("voske-cli.1.in");
  ASSERT_FALSE(page.empty());

  // The commands, as the program lists them.
  const support::CliResult overview = support::RunCli({{"--help"}});
  ASSERT_EQ(overview.status, 0);
  std::set<std::string> commands;
  const std::regex commandLine("\n  ([a-z]+) +\\S");
  for (std::sregex_iterator m(overview.out.begin(), overview.out.end(), commandLine), end; m != end; ++m)
    commands.insert((*m)[1]);
  EXPECT_GE(commands.size(), 4u) << overview.out;
  for (const std::string& c : commands) EXPECT_NE(page.find("\n.B " + c + "\n"), std::string::npos) << "command " << c;

  // Every option the command line's code names ("--planilha", "-V").
  const std::set<std::string> options =
      Matches(source / "apps" / "voske-cli", ".cpp", std::regex("\"(--?[A-Za-z][A-Za-z0-9-]*)"));
  EXPECT_TRUE(options.count("--planilha") && options.count("-V")) << "the option search finds nothing";
  for (const std::string& o : options) EXPECT_TRUE(Mentions(page, o)) << "option " << o;

  // Every environment variable the programs and the Java client read.
  const std::regex variable("\"(VOSKE_[A-Z_]+|JAVA_HOME)\"");
  std::set<std::string> variables = Matches(source / "src", ".cpp", variable);
  variables.merge(Matches(source / "apps" / "voske-cli", ".cpp", variable));
  variables.merge(Matches(source / "client" / "src", ".java", variable));
  EXPECT_GE(variables.size(), 6u);
  const std::string environment = page.substr(page.find(".SH AMBIENTE"));
  for (const std::string& v : variables) EXPECT_NE(environment.find("\n.B " + v + "\n"), std::string::npos) << v;
}

TEST(ManualPage, EveryDocumentAsksForTheSameJava) {
  const fs::path source = support::SourceDir();
  const std::regex java("Java (\\d+(\\.\\d+)?)");
  std::set<std::string> versions;
  for (const fs::path& doc : {source / "README.md", source / "docs" / "transmission-protocol.md",
                              source / "packaging" / "voske-cli.1.in", source / "packaging" / "voske.1.in",
                              source / "packaging" / "CMakeLists.txt"}) {
    const std::string text = support::FileContents(doc);
    for (std::sregex_iterator m(text.begin(), text.end(), java), end; m != end; ++m)
      versions.insert(doc.filename().string() + ": " + (*m)[1].str());
  }
  std::set<std::string> numbers;
  for (const std::string& v : versions) numbers.insert(v.substr(v.find(": ") + 2));
  EXPECT_EQ(numbers.size(), 1u) << ::testing::PrintToString(versions);
}

}  // namespace
}  // namespace voske
