#pragma once
// The library's icons "ICON_0" to "ICON_16", resources of the module the
// windows come from (entry-win32/icons/, drawn by the Linux build's
// voske-windows-icons).
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

namespace voske::win32 {

// The icon of that kind at `pixels96` x `pixels96` of the 96-dpi layout,
// scaled to the screen; a kind without an icon of its own gets a plain one.
// The caller destroys it.
HICON LoadVoskeIcon(int kind, int pixels96);

}  // namespace voske::win32
