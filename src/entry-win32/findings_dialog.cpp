#include "entry-win32/findings_dialog.h"

#include <commdlg.h>

#include <cwchar>

#include "entry-win32/message_dialog.h"
#include "entry-win32/win32_text.h"

namespace voske::win32 {

std::vector<std::wstring> FindingsDetailLines(const FindingList& findings) {
  std::vector<std::wstring> lines;
  const Text* heading = nullptr;
  for (const FindingList::Entry& e : findings.entries) {
    if (!heading || e.heading != *heading) lines.push_back(Wide(e.heading));
    heading = &e.heading;
    lines.push_back(L"    " + Wide(e.line));
  }
  return lines;
}

int ShowFindingsDialog(const std::wstring& text, int iconKind, unsigned buttons, const std::wstring& caption,
                       int defaultButton, const FindingList& findings) {
  const std::vector<std::wstring> lines = FindingsDetailLines(findings);
  MessageRowButton save{L"Salvar avisos...", [&findings](HWND dialog) { SaveFindings(dialog, findings); }};
  return ShowMessageDialog(text, iconKind, buttons, caption, defaultButton, false, lines.empty() ? nullptr : &lines,
                           findings.save ? &save : nullptr);
}

void SaveFindings(HWND owner, const FindingList& findings) {
  // The suggested file's folder to start in, its name already typed.
  const std::wstring suggested = WidePath(findings.suggestedPath);
  const size_t slash = suggested.find_last_of(L"\\/");
  const std::wstring folder = slash == std::wstring::npos ? L"" : suggested.substr(0, slash);
  std::wstring file(32768, L'\0');
  const std::wstring name = slash == std::wstring::npos ? suggested : suggested.substr(slash + 1);
  file.replace(0, name.size(), name);
  static const wchar_t kFilter[] = L"Arquivo CSV (*.csv)\0*.csv\0";
  OPENFILENAMEW ofn = {};
  ofn.lStructSize = sizeof ofn;
  ofn.hwndOwner = owner;
  ofn.lpstrFilter = kFilter;
  ofn.nFilterIndex = 1;
  ofn.lpstrFile = file.data();
  ofn.nMaxFile = static_cast<DWORD>(file.size());
  ofn.lpstrInitialDir = folder.empty() ? nullptr : folder.c_str();
  ofn.lpstrTitle = L"Salvar avisos";
  ofn.lpstrDefExt = L"csv";
  // The current folder stays what it was: the Java client's relative names
  // are resolved against it. A file of the name chosen is replaced only
  // once the user says so.
  ofn.Flags = OFN_EXPLORER | OFN_PATHMUSTEXIST | OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY | OFN_NOCHANGEDIR |
              OFN_ENABLESIZING;
  if (!::GetSaveFileNameW(&ofn)) return;
  file.resize(std::wcslen(file.c_str()));
  if (const std::optional<Text> failure = findings.save(Utf8Path(file))) {
    ShowMessageDialog(WideLines(*failure), static_cast<int>(MessageIcon::Error), kButtonOk, L"Erro");
    return;
  }
  ShowMessageDialog(L"Os avisos foram gravados em: " + file, static_cast<int>(MessageIcon::Information), kButtonOk,
                    L"Informação");
}

}  // namespace voske::win32
