#include "entry/window_front_end.h"

#include <QApplication>
#include <QLabel>

#include "entry/findings_dialog.h"
#include "entry/message_dialog.h"
#include "entry/ui_text.h"

namespace voske {

WindowFrontEnd::WindowFrontEnd(QLabel* status) : status_(status) {}

WindowFrontEnd::~WindowFrontEnd() { SetBusy(false); }

void WindowFrontEnd::ShowMessage(const Text& text, MessageIcon icon, const Text& caption) {
  // The arrow comes back while the user reads the message, then the
  // hourglass again if the work goes on.
  const bool wasBusy = busy_;
  if (wasBusy) SetBusy(false);
  ShowMessageDialog(ToQString(text), static_cast<int>(icon), kButtonOk, ToQString(caption));
  if (wasBusy) SetBusy(true);
}

namespace {

// Entries 0 ("Sim") and 1 ("Não") of the dialog's button table, and the
// result of "Sim".
constexpr quint16 kButtonsYesNo = (1u << 0) | (1u << 1);
constexpr int kResultYes = 6;

QStringList DetailLines(const std::vector<Text>& details) {
  QStringList lines;
  for (const Text& line : details) lines << ToQString(line);
  return lines;
}

}  // namespace

void WindowFrontEnd::ShowMessageWithDetails(const Text& text, MessageIcon icon, const Text& caption,
                                            const std::vector<Text>& details) {
  const QStringList lines = DetailLines(details);
  const bool wasBusy = busy_;
  if (wasBusy) SetBusy(false);
  ShowMessageDialog(ToQString(text), static_cast<int>(icon), kButtonOk, ToQString(caption), 0, false,
                    lines.isEmpty() ? nullptr : &lines);
  if (wasBusy) SetBusy(true);
}

bool WindowFrontEnd::Confirm(const Text& text, const Text& caption, const std::vector<Text>& details) {
  const QStringList lines = DetailLines(details);
  const bool wasBusy = busy_;
  if (wasBusy) SetBusy(false);
  const int result = ShowMessageDialog(ToQString(text), static_cast<int>(MessageIcon::Information), kButtonsYesNo,
                                       ToQString(caption), 1, false, lines.isEmpty() ? nullptr : &lines);
  if (wasBusy) SetBusy(true);
  return result == kResultYes;
}

void WindowFrontEnd::ShowFindings(const Text& text, MessageIcon icon, const Text& caption,
                                  const FindingList& findings) {
  const bool wasBusy = busy_;
  if (wasBusy) SetBusy(false);
  ShowFindingsDialog(ToQString(text), static_cast<int>(icon), kButtonOk, ToQString(caption), 0, findings);
  if (wasBusy) SetBusy(true);
}

bool WindowFrontEnd::ConfirmFindings(const Text& text, const Text& caption, const FindingList& findings) {
  const bool wasBusy = busy_;
  if (wasBusy) SetBusy(false);
  const int result = ShowFindingsDialog(ToQString(text), static_cast<int>(MessageIcon::Warning), kButtonsYesNo,
                                        ToQString(caption), 1, findings);
  if (wasBusy) SetBusy(true);
  return result == kResultYes;
}

void WindowFrontEnd::SetStatus(const Text& status) {
  if (!status_) return;
  status_->setText(ToQString(status));
  status_->repaint();
}

void WindowFrontEnd::ProcessEvents() { QCoreApplication::processEvents(); }

void WindowFrontEnd::SetBusy(bool busy) {
  if (busy == busy_ || !qApp) return;
  busy_ = busy;
  if (busy)
    QApplication::setOverrideCursor(Qt::WaitCursor);
  else
    QApplication::restoreOverrideCursor();
}

}  // namespace voske
