#pragma once
// The fonts of the forms. Arial is asked for by name; where it is missing,
// fontconfig gives the metric-compatible Liberation Sans, so captions keep
// the widths the layouts were made for.
#include <QFont>

namespace voske {

// Arial, height -11 (11 pixels), regular.
QFont DialogFont();
// Arial 12 pixels, italic: the tool-bar buttons of the main window.
QFont ToolbarFont();

}  // namespace voske
