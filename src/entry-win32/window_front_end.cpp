#include "entry-win32/window_front_end.h"

#include "entry-win32/findings_dialog.h"
#include "entry-win32/form.h"
#include "entry-win32/message_dialog.h"
#include "entry-win32/win32_text.h"

namespace voske::win32 {

WindowFrontEnd::~WindowFrontEnd() { SetBusy(false); }

template <typename F>
int WindowFrontEnd::WithArrow(F show) {
  // The arrow comes back while the user reads the message, then the
  // hourglass again if the work goes on.
  const bool wasBusy = busy_;
  if (wasBusy) SetBusy(false);
  const int result = show();
  if (wasBusy) SetBusy(true);
  return result;
}

int WindowFrontEnd::Show(const Text& text, int icon, unsigned buttons, const Text& caption, int defaultButton,
                         const std::vector<Text>& details) {
  std::vector<std::wstring> lines;
  for (const Text& line : details) lines.push_back(Wide(line));
  return WithArrow([&] {
    return ShowMessageDialog(Wide(text), icon, buttons, Wide(caption), defaultButton, false,
                             lines.empty() ? nullptr : &lines);
  });
}

void WindowFrontEnd::ShowMessage(const Text& text, MessageIcon icon, const Text& caption) {
  Show(text, static_cast<int>(icon), kButtonOk, caption, 0, {});
}

void WindowFrontEnd::ShowMessageWithDetails(const Text& text, MessageIcon icon, const Text& caption,
                                            const std::vector<Text>& details) {
  Show(text, static_cast<int>(icon), kButtonOk, caption, 0, details);
}

bool WindowFrontEnd::Confirm(const Text& text, const Text& caption, const std::vector<Text>& details) {
  return Show(text, static_cast<int>(MessageIcon::Information), kButtonsYesNo, caption, 1, details) == kResultYes;
}

void WindowFrontEnd::ShowFindings(const Text& text, MessageIcon icon, const Text& caption,
                                  const FindingList& findings) {
  WithArrow([&] {
    return ShowFindingsDialog(Wide(text), static_cast<int>(icon), kButtonOk, Wide(caption), 0, findings);
  });
}

bool WindowFrontEnd::ConfirmFindings(const Text& text, const Text& caption, const FindingList& findings) {
  return WithArrow([&] {
           return ShowFindingsDialog(Wide(text), static_cast<int>(MessageIcon::Warning), kButtonsYesNo, Wide(caption),
                                     1, findings);
         }) == kResultYes;
}

void WindowFrontEnd::SetStatus(const Text& status) {
  if (!status_) return;
  ::SetWindowTextW(status_, Wide(status).c_str());
  // Seen at once, even when the work goes on without handling events.
  ::InvalidateRect(status_, nullptr, TRUE);
  ::UpdateWindow(status_);
}

void WindowFrontEnd::ProcessEvents() { ProcessPendingMessages(); }

void WindowFrontEnd::SetBusy(bool busy) {
  if (busy == busy_) return;
  busy_ = busy;
  SetBusyCursor(busy);
}

}  // namespace voske::win32
