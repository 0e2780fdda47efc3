#pragma once
// Where the small dialogs open: in the middle of the screen the main window
// is on, the same place on every opening, wherever the main window was
// dragged to or the dialog was moved the last time.
class QWidget;

namespace voske {

// Moves `dialog` (already at its final size) so that it is centred on the
// available area of its owner's screen, or of the primary screen when it has
// no owner. Qt then leaves it there instead of centring it over the owner.
void CentreOnScreen(QWidget& dialog);

}  // namespace voske
