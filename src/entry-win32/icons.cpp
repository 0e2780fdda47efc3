#include "entry-win32/icons.h"

#include <string>

#include "entry-win32/form.h"

namespace voske::win32 {

HICON LoadVoskeIcon(int kind, int pixels96) {
  const int size = Scale(pixels96);
  const std::wstring name = L"ICON_" + std::to_wstring(kind);
  if (HANDLE icon = ::LoadImageW(ResourceModule(), name.c_str(), IMAGE_ICON, size, size, LR_DEFAULTCOLOR))
    return static_cast<HICON>(icon);
  return static_cast<HICON>(::LoadImageW(ResourceModule(), L"ICON_PLAIN", IMAGE_ICON, size, size, LR_DEFAULTCOLOR));
}

}  // namespace voske::win32
