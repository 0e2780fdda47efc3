#pragma once
// The sub-commands of voske-cli. Each lives in a cmd_*.cpp file of its own and
// registers itself here, so main() only dispatches.
#include <string>
#include <vector>

namespace voske::cli {

struct Command {
  const char* name;     // "gerar"
  const char* summary;  // one line for the overview, in Portuguese
  int (*run)(const std::vector<std::string>& args);  // args after the command name
  int order;            // position in the overview
};

bool RegisterCommand(const Command& command);
const std::vector<Command>& Commands();

// Exit statuses shared by every command.
inline constexpr int kExitOk = 0;
inline constexpr int kExitFailure = 1;
inline constexpr int kExitUsage = 2;

}  // namespace voske::cli
