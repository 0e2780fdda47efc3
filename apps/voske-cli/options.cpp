#include "options.h"

#include <cstdio>

#include "commands.h"

namespace voske::cli {
namespace {

const OptionSpec* Find(std::span<const OptionSpec> specs, std::string_view name) {
  for (const OptionSpec& s : specs)
    if (name == s.name) return &s;
  return nullptr;
}

// The problem with `args`, in Portuguese, or nothing when they are sound.
std::optional<std::string> Problem(std::span<const OptionSpec> specs, const std::vector<std::string>& args,
                                   std::map<std::string, std::string, std::less<>>& values) {
  for (std::size_t i = 0; i < args.size(); ++i) {
    std::string name = args[i];
    std::optional<std::string> inlineValue;
    if (const std::size_t eq = name.find('='); name.rfind("--", 0) == 0 && eq != std::string::npos) {
      inlineValue = name.substr(eq + 1);
      name.resize(eq);
    }
    const OptionSpec* spec = Find(specs, name);
    if (!spec) {
      if (name.rfind("-", 0) == 0) return "opção desconhecida: " + args[i];
      return "argumento inesperado: " + args[i];
    }
    if (values.count(name)) return "a opção " + name + " foi dada mais de uma vez";
    if (!spec->value) {
      if (inlineValue) return "a opção " + name + " não recebe valor";
      values[name];
      continue;
    }
    if (inlineValue) {
      values[name] = *inlineValue;
    } else if (i + 1 < args.size() && args[i + 1].rfind("-", 0) != 0) {
      values[name] = args[++i];
    } else {
      return "falta o valor da opção " + name + " (" + spec->value + ")";
    }
  }
  for (const OptionSpec& s : specs)
    if (s.required && !values.count(s.name)) return std::string("falta a opção ") + s.name;
  return std::nullopt;
}

}  // namespace

const std::string& ParsedOptions::Value(std::string_view name) const {
  static const std::string kNone;
  const auto it = values_.find(name);
  return it == values_.end() ? kNone : it->second;
}

std::optional<int> ReadOptions(const CommandSyntax& command, const std::vector<std::string>& args,
                               ParsedOptions& out) {
  for (const std::string& a : args) {
    if (a == "--help" || a == "-h") {
      std::printf("%s\n%s", command.usage, command.help);
      return kExitOk;
    }
  }
  if (const std::optional<std::string> problem = Problem(command.options, args, out.values_))
    return UsageError(command, *problem);
  return std::nullopt;
}

int UsageError(const CommandSyntax& command, const std::string& problem) {
  std::fprintf(stderr, "voske-cli %s: %s\n%s\"voske-cli %s --help\" explica cada opção.\n", command.name,
               problem.c_str(), command.usage, command.name);
  return kExitUsage;
}

}  // namespace voske::cli
