// The layers of the house, held by the build: every #include of src/ and
// apps/ must point at its own module or at one the table below allows, and
// each core module's CMake target must declare exactly the modules its files
// include. A new upward or sideways import fails here before anyone has to
// untangle it.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "support/paths.h"

namespace voske::support {
namespace {

namespace fs = std::filesystem;
using Modules = std::set<std::string>;

// Who may include whom. Imports flow one way: front ends -> workflow ->
// generation -> verification / documents -> xml / workbook / values -> text
// -> platform, with port visible to all and platform, the bottom, visible to
// every module while it includes none of them. transmission implements TransmissionPort and only
// the front ends wire it in. Two sideways steps onto values are allowed: xml
// uses it for the number rule of decimal leaves, and workbook for the one
// calendar between day serials and dates (the OOXML reader's ISO dates, and
// the date system a worksheet array carries).
const std::map<std::string, Modules>& AllowedImports() {
  static const std::map<std::string, Modules> table = [] {
    std::map<std::string, Modules> t;
    t["platform"] = {};
    t["text"] = {};
    t["port"] = {"text"};
    t["values"] = {"text"};
    t["workbook"] = {"text", "values"};
    t["xml"] = {"text", "port", "values"};
    t["documents"] = {"xml", "workbook", "values", "text", "port"};
    t["verification"] = t["documents"];
    t["registration"] = t["documents"];
    t["registration"].insert("documents");
    t["financial"] = t["registration"];
    t["generation"] = t["registration"];
    t["generation"].insert({"registration", "financial", "verification"});
    t["workflow"] = t["generation"];
    t["workflow"].insert("generation");
    t["transmission"] = {"xml", "text", "port"};
    t["entry"] = t["workflow"];
    t["entry"].insert({"workflow", "transmission"});
    t["voske-cli"] = t["entry"];
    t["voske-cli"].erase("entry");
    t["voske"] = t["entry"];
    t["voske"].insert("entry");
    for (auto& [module, allowed] : t)
      if (module != "platform") allowed.insert("platform");
    return t;
  }();
  return table;
}

// The module of a file, from its folder: src/<module>/..., with the two
// builders as modules of their own, and apps/<program>/... .
std::string ModuleOf(const fs::path& relative) {
  auto it = relative.begin();
  const std::string top = (it++)->string();
  if (it == relative.end()) return {};
  std::string first = (it++)->string();
  if (top == "apps") return first;
  if (top != "src") return {};
  if (first == "documents" && it != relative.end() && std::next(it) != relative.end()) {
    const std::string sub = it->string();
    if (sub == "registration" || sub == "financial") return sub;
  }
  return first;
}

struct Include {
  fs::path file;  // relative to the source folder
  int line;
  std::string target;
};

std::vector<Include> QuotedIncludes(const fs::path& root, const fs::path& relative) {
  static const std::regex kInclude(R"re(^\s*#\s*include\s*"([^"]+)")re");
  std::vector<Include> out;
  std::ifstream in(root / relative);
  std::string line;
  int number = 0;
  while (std::getline(in, line)) {
    ++number;
    std::smatch m;
    if (std::regex_search(line, m, kInclude)) out.push_back({relative, number, m[1]});
  }
  return out;
}

// The module an include names: a path under src/ by its folder, or a file
// beside the including one (the programs' own headers, moc output).
std::string IncludedModule(const fs::path& root, const Include& inc, std::string& problem) {
  if (fs::exists(root / "src" / inc.target)) return ModuleOf(fs::path("src") / inc.target);
  if (fs::exists(root / inc.file.parent_path() / inc.target)) return ModuleOf(inc.file);
  if (inc.target.ends_with(".moc") || inc.target.starts_with("moc_")) return ModuleOf(inc.file);
  problem = "names no file of the project";
  return {};
}

std::vector<fs::path> SourceFiles(const fs::path& root) {
  std::vector<fs::path> files;
  for (const char* top : {"src", "apps"}) {
    for (const auto& entry : fs::recursive_directory_iterator(root / top)) {
      const std::string ext = entry.path().extension().string();
      if (entry.is_regular_file() && (ext == ".h" || ext == ".cpp" || ext == ".c"))
        files.push_back(fs::relative(entry.path(), root));
    }
  }
  std::sort(files.begin(), files.end());
  return files;
}

fs::path SourceRoot() {
  const fs::path root = SourceDir();
  if (!fs::is_directory(root / "src")) return {};
  return root;
}

TEST(IncludeRules, EveryIncludeFollowsTheLayers) {
  const fs::path root = SourceRoot();
  if (root.empty()) GTEST_SKIP() << "the source folder is not beside the tests (VOSKE_SOURCE_DIR)";
  const auto& allowed = AllowedImports();
  int checked = 0;
  for (const fs::path& file : SourceFiles(root)) {
    const std::string from = ModuleOf(file);
    ASSERT_TRUE(allowed.count(from)) << file << " lies in a module the table does not know: " << from;
    for (const Include& inc : QuotedIncludes(root, file)) {
      std::string problem;
      const std::string to = IncludedModule(root, inc, problem);
      ++checked;
      if (!problem.empty()) {
        ADD_FAILURE() << inc.file.string() << ":" << inc.line << ": \"" << inc.target << "\" " << problem;
      } else if (to != from && !allowed.at(from).count(to)) {
        ADD_FAILURE() << inc.file.string() << ":" << inc.line << ": " << from << " may not include " << to
                      << " (\"" << inc.target << "\")";
      }
    }
  }
  EXPECT_GT(checked, 100) << "too few includes seen: is the source folder the project's?";
}

// The voske_* names one voske_add_module(...) call declares, by module.
std::map<std::string, Modules> DeclaredModules(const fs::path& root) {
  static const std::regex kCall(R"(voske_add_module\s*\(([^)]*)\))");
  static const std::regex kTarget(R"(voske_([a-z]+))");
  std::map<std::string, Modules> out;
  for (const auto& entry : fs::recursive_directory_iterator(root / "src")) {
    if (entry.path().filename() != "CMakeLists.txt") continue;
    std::ifstream in(entry.path());
    std::stringstream text;
    text << in.rdbuf();
    const std::string s = text.str();
    for (std::sregex_iterator call(s.begin(), s.end(), kCall), end; call != end; ++call) {
      const std::string args = (*call)[1];
      std::string name;
      Modules deps;
      for (std::sregex_iterator t(args.begin(), args.end(), kTarget); t != end; ++t) {
        if (name.empty()) name = (*t)[1];
        else deps.insert((*t)[1]);
      }
      out[name] = deps;
    }
  }
  return out;
}

TEST(IncludeRules, EachModuleDeclaresExactlyTheModulesItIncludes) {
  const fs::path root = SourceRoot();
  if (root.empty()) GTEST_SKIP() << "the source folder is not beside the tests (VOSKE_SOURCE_DIR)";
  std::map<std::string, Modules> used;
  for (const fs::path& file : SourceFiles(root)) {
    const std::string from = ModuleOf(file);
    for (const Include& inc : QuotedIncludes(root, file)) {
      std::string problem;
      const std::string to = IncludedModule(root, inc, problem);
      if (problem.empty() && to != from) used[from].insert(to);
    }
  }
  const auto declared = DeclaredModules(root);
  ASSERT_GE(declared.size(), 8u) << "the modules' CMake files were not found";
  for (const auto& [module, deps] : declared) {
    EXPECT_EQ(deps, used[module]) << "the CMake target of " << module
                                  << " must declare exactly the modules its files include";
  }
}

TEST(IncludeRules, ModulesOfPaths) {
  EXPECT_EQ(ModuleOf("src/workbook/xlsx/xlsx_sheet.cpp"), "workbook");
  EXPECT_EQ(ModuleOf("src/documents/envelope.h"), "documents");
  EXPECT_EQ(ModuleOf("src/documents/financial/cash_flow.cpp"), "financial");
  EXPECT_EQ(ModuleOf("apps/voske-cli/main.cpp"), "voske-cli");
  // The table refuses what the layers forbid.
  EXPECT_FALSE(AllowedImports().at("xml").count("workbook"));
  EXPECT_FALSE(AllowedImports().at("workflow").count("transmission"));
  EXPECT_FALSE(AllowedImports().at("registration").count("financial"));
  EXPECT_TRUE(AllowedImports().at("platform").empty());
}

}  // namespace
}  // namespace voske::support
