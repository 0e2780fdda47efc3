#pragma once
// The FrontEnd port as the Win32 window implements it: messages through
// ShowMessageDialog, the status line into a static control repainted at
// once, the hourglass over every window of the program.
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include "port/front_end.h"

namespace voske::win32 {

class WindowFrontEnd : public FrontEnd {
 public:
  // `status` is the window's status line; without one (a dialog on its own)
  // status lines are dropped.
  explicit WindowFrontEnd(HWND status = nullptr) : status_(status) {}
  // A busy cursor still set is taken back, so the host never inherits it.
  ~WindowFrontEnd() override;
  void AttachStatus(HWND status) { status_ = status; }

  void ShowMessage(const Text& text, MessageIcon icon, const Text& caption) override;
  // The details go to the dialog's "Ver mais..." area.
  void ShowMessageWithDetails(const Text& text, MessageIcon icon, const Text& caption,
                              const std::vector<Text>& details) override;
  // "Sim" and "Não", with "Não" taking the first focus: going on with what
  // the details warn of must be a choice, not a reflex.
  bool Confirm(const Text& text, const Text& caption, const std::vector<Text>& details) override;
  // The findings listed by worksheet, with "Salvar avisos...".
  void ShowFindings(const Text& text, MessageIcon icon, const Text& caption, const FindingList& findings) override;
  // As Confirm, under the warning icon, with the findings as above.
  bool ConfirmFindings(const Text& text, const Text& caption, const FindingList& findings) override;
  void SetStatus(const Text& status) override;
  void ProcessEvents() override;
  void SetBusy(bool busy) override;

  bool Busy() const { return busy_; }

 private:
  int Show(const Text& text, int icon, unsigned buttons, const Text& caption, int defaultButton,
           const std::vector<Text>& details);
  // Runs `show` with the arrow cursor, the hourglass back after it if the work goes on.
  template <typename F>
  int WithArrow(F show);

  HWND status_ = nullptr;
  bool busy_ = false;
};

}  // namespace voske::win32
