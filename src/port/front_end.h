#pragma once
// The one way the core talks to whoever is in front of it: the desktop
// window, the command line or a test. The load sequence, the builders and the
// sender report through this port and never touch a window themselves.
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "text/cp1252.h"
#include "text/text.h"

namespace voske {

// Icon kinds of the message dialog that the system uses.
enum class MessageIcon : int { Error = 1, Warning = 2, Information = 4 };

// What a verification found, as a window lists it: each finding under a
// heading (the worksheet it came from), and a way to keep them all.
struct FindingList {
  struct Entry {
    Text heading;  // the worksheet; for a value with no cell, the document's block
    Text line;     // the finding, less what its heading says
    Text full;     // the finding's own line, as the command line shows it
  };
  std::vector<Entry> entries;  // headings together, in the order first met
  // Writes the findings to `path` (native) as the CSV that --avisos writes,
  // replacing a file of that name; the message to show when it could not,
  // or nothing. Empty when there is nothing to save.
  std::function<std::optional<Text>(const std::string& path)> save;
  // Where a window first offers to save them (native path), or empty.
  std::string suggestedPath;

  std::vector<Text> FullLines() const {
    std::vector<Text> lines;
    for (const Entry& e : entries) lines.push_back(e.full);
    return lines;
  }
};

class FrontEnd {
 public:
  virtual ~FrontEnd() = default;

  // Shows a message (Windows-1252, CR as line break) and waits for OK.
  virtual void ShowMessage(const Text& text, MessageIcon icon, const Text& caption) = 0;
  // A message with lines the user may open below it (the dialog's "Ver
  // mais..."). A front end without such a place shows the lines after the
  // message.
  virtual void ShowMessageWithDetails(const Text& text, MessageIcon icon, const Text& caption,
                                      const std::vector<Text>& details) {
    Text all = text;
    for (const Text& line : details) all += CR + line;
    ShowMessage(all, icon, caption);
  }
  // Asks whether to go on, showing `details` as above; true to go on. A
  // front end with nobody to ask (the command line) has shown the question
  // and its lines, and goes on.
  virtual bool Confirm(const Text& text, const Text& caption, const std::vector<Text>& details) {
    ShowMessageWithDetails(text, MessageIcon::Information, caption, details);
    return true;
  }
  // A message with findings below it. A window lists them under their
  // headings and offers to save them; a front end without one shows their
  // lines as details.
  virtual void ShowFindings(const Text& text, MessageIcon icon, const Text& caption, const FindingList& findings) {
    ShowMessageWithDetails(text, icon, caption, findings.FullLines());
  }
  // Confirm, with findings as ShowFindings shows them.
  virtual bool ConfirmFindings(const Text& text, const Text& caption, const FindingList& findings) {
    return Confirm(text, caption, findings.FullLines());
  }
  // Replaces the status line.
  virtual void SetStatus(const Text& status) = 0;
  // Lets the window repaint and handle pending input during long work.
  virtual void ProcessEvents() = 0;
  // Hourglass cursor on or off.
  virtual void SetBusy(bool busy) = 0;

  // The two forms every call in the system uses: an error with caption "Erro",
  // information with caption "Informação".
  void ShowError(const Text& text) { ShowMessage(text, MessageIcon::Error, Ansi("Erro")); }
  void ShowInformation(const Text& text) {
    ShowMessage(text, MessageIcon::Information, Ansi("Informação"));
  }
  // Sets the status line and lets it be seen at once.
  void Status(const Text& status) {
    SetStatus(status);
    ProcessEvents();
  }
};

}  // namespace voske
