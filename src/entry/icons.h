#pragma once
// The library's icons "ICON_0" to "ICON_16", drawn by the program itself.
#include <QIcon>
#include <QImage>
#include <QPixmap>

namespace voske {

inline constexpr int kIconCount = 17;

// True for the kinds that have an icon of their own (0 to 16).
bool HasVoskeIcon(int kind);
// The icon of that kind: 32 x 32, except kind 0, the large picture (64 x 64).
// A kind without an icon of its own gets a plain 32 x 32 icon.
QPixmap VoskeIconPixmap(int kind);

// The icon of that kind drawn at `pixels` x `pixels` (a kind without an
// icon of its own gets the plain one), for the Windows build's icon files.
QImage VoskeIconImage(int kind, int pixels);

// The program's own picture (kind 0) drawn at `pixels` x `pixels`, for the
// desktop's menus and launchers. Drawn, not scaled, so it stays sharp.
QImage ProgramIconImage(int pixels);

// The program's picture at the sizes title bars, task switchers and docks
// ask for, for the windows' icon.
QIcon ProgramIcon();

}  // namespace voske
