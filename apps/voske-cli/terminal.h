#pragma once
// What the command line shows: Windows-1252 texts from the core become UTF-8
// for the terminal, every CR of a message becomes a line break, and any other
// control character is shown written out ("\x1B").
#include <string>
#include <vector>

#include "port/front_end.h"
#include "text/text.h"

namespace voske::cli {

// A message of the system as the terminal shows it, ending with a newline.
std::string TerminalText(const Text& message);
void PrintError(const Text& message);   // to stderr
void PrintLine(const std::string& utf8);  // to stdout

// The FrontEnd of the command line: messages and (unless silent) status
// lines go to stderr; there is no window to repaint and no cursor.
class TerminalFrontEnd : public FrontEnd {
 public:
  explicit TerminalFrontEnd(bool silent) : silent_(silent) {}
  void ShowMessage(const Text& text, MessageIcon icon, const Text& caption) override;
  // The detail lines first, one per line, then the message: the last line
  // read is the message's own (the count of findings, say).
  void ShowMessageWithDetails(const Text& text, MessageIcon icon, const Text& caption,
                              const std::vector<Text>& details) override;
  // Nobody is asked: the details, then the question's first line (what it
  // is about), and the command goes on. A command that must not go on is
  // told so by its own option (--estrito).
  bool Confirm(const Text& text, const Text& caption, const std::vector<Text>& details) override;
  void SetStatus(const Text& status) override;
  void ProcessEvents() override {}
  void SetBusy(bool) override {}

  int errorCount() const { return errors_; }
  int informationCount() const { return informations_; }

 private:
  bool silent_;
  int errors_ = 0;
  int informations_ = 0;
};

// The regulator password (or another secret) for this run: the environment
// variable `envName` when it is set, otherwise one line from standard input,
// read without echo when that is a terminal (`prompt` goes to stderr then).
// Never taken from an argument. Returned in Windows-1252.
Text ReadSecret(const char* envName, const char* prompt);

}  // namespace voske::cli
