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
    t["entry-win32"] = t["entry"];  // the same window on Windows
    t["voske-cli"] = t["entry"];
    t["voske-cli"].erase("entry");
    t["voske"] = t["entry"];
    t["voske"].insert({"entry", "entry-win32"});
    // The argument rules of every small program: standard headers only.
    t["common"] = {};
    t["voske-cli"].insert("common");
    t["voske"].insert("common");
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
  if (fs::exists(root / "apps" / inc.target)) return ModuleOf(fs::path("apps") / inc.target);
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

// A source file's text with every string and character literal emptied, so
// that names are looked for in code and comments only.
std::string WithoutLiterals(const std::string& text) {
  static const std::regex kLiteral(R"re("(\\.|[^"\\\n])*"|'(\\.|[^'\\\n])*')re");
  return std::regex_replace(text, kLiteral, "\"\"");
}

std::string FileText(const fs::path& file) {
  std::ifstream in(file);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

// The original form's component names (and handlers named after them) live
// only as Qt object names, in the one table of entry/component_names.h;
// widgets, members and handlers go by their role. The document kind is one
// enum, never a bare int.
TEST(IncludeRules, NamesSayWhatThingsDo) {
  const fs::path root = SourceRoot();
  if (root.empty()) GTEST_SKIP() << "the source folder is not beside the tests (VOSKE_SOURCE_DIR)";
  static const std::regex kComponent(
      R"(\b(B_Gerar_Arquivo|SpeedButton\d|ComboBox\d|FilenameEdit\d|DirectoryEdit\d|DirectoryListBox\d|fneArquivoXML|)"
      R"(chkUtilizarProxy|LB_Status|StatusBar\d|OpenDialog\d|Panel\d|Label\d|Edit\d|MaskEdit\d|CheckBox\d|BitBtn\d|Sair\b))");
  static const std::regex kIntKind(R"(\bint\s+\w*[Dd]ocument(Kind)?\b)");
  int scanned = 0;
  for (const fs::path& file : SourceFiles(root)) {
    const std::string code = WithoutLiterals(FileText(root / file));
    ++scanned;
    std::smatch m;
    if (std::regex_search(code, m, kComponent))
      ADD_FAILURE() << file.string() << ": the component name " << m[0] << " outside entry/component_names.h's table";
    if (std::regex_search(code, m, kIntKind))
      ADD_FAILURE() << file.string() << ": \"" << m[0] << "\": a document kind is a DocumentKind";
  }
  EXPECT_GT(scanned, 100);
  // The checks see through literals only: a component name in code is found.
  EXPECT_TRUE(std::regex_search(WithoutLiterals("void SpeedButton2Click();"), kComponent));
  EXPECT_FALSE(std::regex_search(WithoutLiterals(R"(kPickWorkbook[] = "SpeedButton2";)"), kComponent));
  EXPECT_TRUE(std::regex_search(std::string("  int documentKind = -1;"), kIntKind));
}

// Comments and literals out of a source text, lines kept: what is left is
// the code whose declarations are looked at.
std::string CodeOnly(const std::string& text) {
  static const std::regex kComment(R"(//[^\n]*|/\*[\s\S]*?\*/)");
  return std::regex_replace(WithoutLiterals(text), kComment, " ");
}

// The name one namespace-scope declaration introduces: a type, an alias, a
// variable (the name before "=", "{" or ";") or a function (the name before
// its parameters). Empty for anything else.
std::string DeclaredName(const std::string& statement) {
  static const std::regex kType(R"(^\s*(template\s*<[^{;]*>\s*)?(struct|class|union|enum(\s+class)?)\s+(\w+))");
  static const std::regex kAlias(R"(^\s*using\s+(\w+)\s*=)");
  static const std::regex kBeforeValue(R"(([A-Za-z_]\w*)\s*(\[[^\]]*\])?\s*(=|$))");
  static const std::regex kBeforeParameters(R"(([A-Za-z_]\w*)\s*\()");
  std::smatch m;
  if (std::regex_search(statement, m, kType)) return m[4];
  if (std::regex_search(statement, m, kAlias)) return m[1];
  for (const char* skipped : {"namespace", "using ", "operator"})
    if (statement.find(skipped) != std::string::npos) return {};
  const size_t paren = statement.find('('), equals = statement.find('=');
  const std::string head = statement.substr(0, std::min(paren, equals));
  if (equals < paren || paren == std::string::npos) {
    if (std::regex_search(head, m, kBeforeValue)) return m[1];
    return {};
  }
  if (std::regex_search(statement, m, kBeforeParameters)) return m[1];
  return {};
}

// The names a file declares at namespace scope, split into its file-local
// ones (in an unnamed namespace, or static) and the others. An alias is
// kept with what it names: the same alias in two files is one declaration.
struct ScopeNames {
  std::set<std::string> local, shared;
};

std::string AliasTarget(const std::string& statement) {
  static const std::regex kAlias(R"(^\s*using\s+\w+\s*=\s*([^;]*?)\s*$)");
  std::smatch m;
  return std::regex_search(statement, m, kAlias) ? " = " + m[1].str() : std::string();
}

ScopeNames NamespaceScopeNames(const std::string& text) {
  const std::string code = CodeOnly(text);
  ScopeNames out;
  // What each open brace opened: a named namespace, an unnamed one, or
  // anything else (a body, an initializer), whose inside is not looked at.
  enum Scope { Named, Unnamed, Other };
  std::vector<Scope> open;
  std::string statement;
  static const std::regex kNamespace(R"(\bnamespace\s*([\w:]*)\s*$)");
  static const std::regex kStatic(R"(^\s*static\b)");
  for (char c : code) {
    const bool atNamespaceScope = std::all_of(open.begin(), open.end(), [](Scope s) { return s != Other; });
    if (c == '{' || c == ';' || c == '}') {
      if (atNamespaceScope && c != '}') {
        std::smatch m;
        if (c == '{' && std::regex_search(statement, m, kNamespace)) {
          open.push_back(m[1].length() == 0 ? Unnamed : Named);
          statement.clear();
          continue;
        }
        const std::string name = DeclaredName(statement);
        const bool unnamed = !open.empty() && open.back() == Unnamed;
        const bool isStatic = std::regex_search(statement, kStatic);
        if (!name.empty()) (unnamed || isStatic ? out.local : out.shared).insert(name + AliasTarget(statement));
      }
      if (c == '{') {
        open.push_back(Other);
      } else if (c == '}' && !open.empty()) {
        open.pop_back();
      }
      statement.clear();
      continue;
    }
    if (atNamespaceScope) statement += c;
  }
  return out;
}

// A module of src/ compiles in batches of several files, so a file-local
// name must be unique within its module: two files with the same helper, or
// a helper named like one of the module's headers' declarations, compile
// only while the batching keeps them apart.
TEST(IncludeRules, FileLocalNamesAreUniqueWithinAModule) {
  const fs::path root = SourceRoot();
  if (root.empty()) GTEST_SKIP() << "the source folder is not beside the tests (VOSKE_SOURCE_DIR)";
  std::map<std::string, std::map<std::string, std::vector<std::string>>> localByModule;
  std::map<std::string, std::map<std::string, std::string>> sharedByModule;
  for (const fs::path& file : SourceFiles(root)) {
    if (*file.begin() != "src") continue;  // the programs are not batched
    const ScopeNames names = NamespaceScopeNames(FileText(root / file));
    // The platform layer builds its common files with one system's files:
    // each system is a batch set of its own.
    std::vector<std::string> modules{ModuleOf(file)};
    if (modules[0] == "platform") {
      const std::string folder = file.parent_path().filename().string();
      if (folder == "posix" || folder == "windows") modules = {"platform/" + folder};
      else modules = {"platform/posix", "platform/windows"};
    }
    for (const std::string& module : modules) {
      if (file.extension() == ".cpp")
        for (const std::string& n : names.local) localByModule[module][n].push_back(file.string());
      if (file.extension() == ".h")
        for (const std::string& n : names.shared) sharedByModule[module][n] = file.string();
    }
  }
  int locals = 0;
  for (const auto& [module, names] : localByModule) {
    std::map<std::string, int> forms;  // bare name: how many different declarations
    for (const auto& entry : names) ++forms[entry.first.substr(0, entry.first.find(" = "))];
    for (const auto& [bare, count] : forms)
      if (count > 1) ADD_FAILURE() << module << ": the file-local name " << bare << " names different things";
    for (const auto& [name, files] : names) {
      ++locals;
      // The same alias of the same type, declared again, is one declaration.
      const bool sameAlias = name.find(" = ") != std::string::npos;
      if (files.size() > 1 && !sameAlias) {
        std::string list;
        for (const std::string& f : files) list += " " + f;
        ADD_FAILURE() << module << ": the file-local name " << name << " is declared in" << list
                      << "; a batch holding two of them does not compile";
      }
      const std::string bare = name.substr(0, name.find(" = "));
      if (auto header = sharedByModule[module].find(bare); header != sharedByModule[module].end())
        ADD_FAILURE() << module << ": the file-local name " << name << " of " << files[0] << " is also declared by "
                      << header->second;
    }
  }
  EXPECT_GT(locals, 200) << "too few file-local names seen: does the scan still read the sources?";

  // The scan itself, on the shapes the sources use.
  const ScopeNames sample = NamespaceScopeNames(
      "namespace voske {\nnamespace {\nconstexpr int kRow = 4;\nconst Text kName[] = {\"a\"};\n"
      "struct Texts { int a = 1; };\nText Helper(int x) { int local = x; return {}; }\n"
      "using Alias = int;\nconst Texts& T() { static const Texts t; return t; }\n"
      "constexpr std::size_t kBig = std::size_t{1} << 20;\n}  // namespace\n"
      "static int Counted();\nText Shared(const Text& s);\nbool operator==(A, B);\n}  // namespace voske\n");
  EXPECT_EQ(sample.local,
            (std::set<std::string>{"kRow", "kName", "Texts", "Helper", "Alias = int", "T", "kBig", "Counted"}));
  EXPECT_EQ(sample.shared, (std::set<std::string>{"Shared"}));
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
