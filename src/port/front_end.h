#pragma once
// The one way the core talks to whoever is in front of it: the desktop
// window, the command line or a test. The load sequence, the builders and the
// sender report through this port and never touch a window themselves.
#include <vector>

#include "text/cp1252.h"
#include "text/text.h"

namespace voske {

// Icon kinds of the message dialog that the system uses.
enum class MessageIcon : int { Error = 1, Information = 4 };

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
