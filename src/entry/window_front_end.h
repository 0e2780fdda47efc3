#pragma once
// The FrontEnd port as the desktop window implements it: messages through
// ShowMessageDialog, the status line into a label that is repainted at once,
// the hourglass as the application's override cursor.
#include <QLabel>
#include <QPointer>

#include "port/front_end.h"


namespace voske {

class WindowFrontEnd : public FrontEnd {
 public:
  // `status` is the window's status line; without one (a dialog on its own)
  // status lines are dropped.
  explicit WindowFrontEnd(QLabel* status = nullptr);
  // A busy cursor still set is taken back, so the host never inherits it.
  ~WindowFrontEnd() override;
  // The window builds its status label after its front end.
  void AttachStatus(QLabel* status) { status_ = status; }

  void ShowMessage(const Text& text, MessageIcon icon, const Text& caption) override;
  // The details go to the dialog's "Ver mais..." area.
  void ShowMessageWithDetails(const Text& text, MessageIcon icon, const Text& caption,
                              const std::vector<Text>& details) override;
  // "Sim" and "Não", with "Não" taking Enter: going on with what the
  // details warn of must be a choice, not a reflex.
  bool Confirm(const Text& text, const Text& caption, const std::vector<Text>& details) override;
  // The findings listed by worksheet, with "Salvar avisos...".
  void ShowFindings(const Text& text, MessageIcon icon, const Text& caption, const FindingList& findings) override;
  // As Confirm, with the warning icon and the findings as ShowFindings lists them.
  bool ConfirmFindings(const Text& text, const Text& caption, const FindingList& findings) override;
  void SetStatus(const Text& status) override;
  void ProcessEvents() override;
  // Nested requests collapse into one: the cursor stack gets one entry at
  // most, so one SetBusy(false) always restores the arrow.
  void SetBusy(bool busy) override;

  bool Busy() const { return busy_; }

 private:
  QPointer<QLabel> status_;
  bool busy_ = false;
};

}  // namespace voske
