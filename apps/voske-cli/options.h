#pragma once
// How every sub-command reads its options: one table per command, one parser,
// one form of usage error. An option takes a value ("--planilha ARQUIVO" or
// "--planilha=ARQUIVO") or is a switch ("--estrito"); "--help" and "-h" are
// understood by every command.
#include <map>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace voske::cli {

struct OptionSpec {
  const char* name;             // "--planilha"
  const char* value = nullptr;  // "ARQUIVO"; nullptr for a switch
  bool required = false;        // a missing required option is a usage error
};

// What a command tells the parser about itself.
struct CommandSyntax {
  const char* name;   // "gerar"
  const char* usage;  // the "Uso: ..." lines, each ending in a newline
  const char* help;   // the help that follows the usage lines and a blank line
  std::span<const OptionSpec> options;
};

// What one command line said, by option name.
class ParsedOptions {
 public:
  bool Has(std::string_view name) const { return values_.find(name) != values_.end(); }
  // The value of an option that takes one; empty when it was not given.
  const std::string& Value(std::string_view name) const;

 private:
  friend std::optional<int> ReadOptions(const CommandSyntax&, const std::vector<std::string>&,
                                        ParsedOptions&);
  std::map<std::string, std::string, std::less<>> values_;  // a switch holds ""
};

// Reads `args` (what follows the command's name) against the command's
// options. With "--help" or "-h" anywhere, prints the help on stdout and
// returns the success status, checking nothing else. On a usage error (an
// unknown option or a stray argument, an option given twice, a switch given a
// value, a value missing, a required option missing) reports it as
// UsageError does and returns the usage status. Otherwise fills `out` and
// returns nothing: the command goes on.
//
// A value given as the next argument may not begin with "-": in
// "--planilha --destino saida" the workbook was forgotten, and reading it as
// a file named "--destino" would only hide that. A file whose name does begin
// with "-" is given as "--planilha=-nome.xlsx" or "./-nome.xlsx".
std::optional<int> ReadOptions(const CommandSyntax& command, const std::vector<std::string>& args,
                               ParsedOptions& out);

// Reports a usage error of `command` on stderr: the problem, the command's
// usage lines and where its help is. Returns the usage exit status.
int UsageError(const CommandSyntax& command, const std::string& problem);

}  // namespace voske::cli
