#pragma once
// The Win32 windows speak UTF-16; the core speaks Windows-1252 texts and
// UTF-8 paths. Conversions at that one edge.
#include <string>

#include "text/text.h"

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

namespace voske::win32 {

std::wstring Wide(const Text& text);
Text FromWide(const std::wstring& wide);
// A message's lone carriage returns as the line breaks a Windows control draws.
std::wstring WideLines(const Text& text);

std::wstring WidePath(const std::string& utf8);
std::string Utf8Path(const std::wstring& wide);

// A window's or control's text.
std::wstring WindowText(HWND window);

}  // namespace voske::win32
