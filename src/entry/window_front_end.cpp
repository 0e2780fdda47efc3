#include "entry/window_front_end.h"

#include <QApplication>
#include <QLabel>

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
