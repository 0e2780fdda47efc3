#pragma once
// The Windows side's own helpers: UTF-8 paths and texts become UTF-16 for the
// wide calls and back, and the system's error codes become the errno values
// the layer promises on every system. For windows/ only.
#ifndef NOMINMAX
#define NOMINMAX  // std::min and std::max stay functions
#endif
#include <windows.h>

#include <string>

namespace voske::platform::windows {

std::wstring Wide(const std::string& utf8);
std::string Utf8(const wchar_t* wide, std::size_t size);
inline std::string Utf8(const std::wstring& wide) { return Utf8(wide.data(), wide.size()); }

// The errno value closest to a Windows error code (EIO when none is close).
int ErrnoOf(DWORD error);
// The system's own text for a Windows error code, as UTF-8, without the
// line break it ends with.
std::string SystemMessage(DWORD error);

}  // namespace voske::platform::windows
