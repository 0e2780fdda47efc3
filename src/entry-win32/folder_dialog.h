#pragma once
// TForm_Pasta: picks the destination folder, where the XML files are written
// and under which the "Recibo" folder is made. The list shows the path from
// the drive's root down to the current folder, then its sub-folders; a
// double click (or Enter) opens the highlighted folder, and typing a name
// jumps to it. "Confirmar" takes the current folder, which the line beside
// it always shows.
#include <string>
#include <vector>

#include "entry-win32/form.h"

namespace voske::win32 {

class FolderForm : public Form {
 public:
  // Opens at `startFolder` (UTF-8; the current folder when empty).
  explicit FolderForm(const std::string& startFolder);
  ~FolderForm() override;

  // Shows the dialog modally: the folder confirmed (UTF-8), or empty when
  // it was closed otherwise.
  std::string Choose();

  // The folder last opened (UTF-8).
  std::string CurrentFolder() const;
  // Opens `folder` (wide path): lists the path down to it, then its sub-folders.
  void OpenFolder(const std::wstring& folder);

 protected:
  void OnCommand(int id, int code, HWND control) override;
  void OnCancel() override { EndModal(0); }
  void OnDrawItem(const DRAWITEMSTRUCT& item) override;

 private:
  static LRESULT CALLBACK ListProc(HWND list, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                   DWORD_PTR self);
  // Whether the highlighted line is another folder than the current one.
  bool HighlightedIsNew() const;
  void OpenHighlighted();
  // Typing jumps to the first folder whose name starts with what was typed.
  void TypeAhead(wchar_t c);

  struct Line {
    std::wstring path;
    std::wstring name;
    int level;
    bool open;  // on the path down to the current folder
  };
  std::vector<Line> lines_;
  std::wstring current_;
  int currentRow_ = 0;
  std::wstring typed_;
  DWORD lastTyped_ = 0;
  HICON openIcon_ = nullptr, closedIcon_ = nullptr, glyph_ = nullptr;
};

}  // namespace voske::win32
