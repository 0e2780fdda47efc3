#pragma once
// The message dialog with a verification's findings: listed under the
// worksheet each came from in its "Ver mais..." area, and beside the link a
// "Salvar avisos..." button that keeps them as the CSV the command line
// writes.
#include <string>
#include <vector>

#include "entry-win32/form.h"
#include "port/front_end.h"

namespace voske::win32 {

// The details' lines: each worksheet's name, then its findings indented.
std::vector<std::wstring> FindingsDetailLines(const FindingList& findings);

// Beeps, shows the dialog modally and returns the result of the button that
// closed it.
int ShowFindingsDialog(const std::wstring& text, int iconKind, unsigned buttons, const std::wstring& caption,
                       int defaultButton, const FindingList& findings);

// Asks for a file name in the system's save dialog (first offering the
// list's suggested file) and saves the findings there, saying where they
// went or why they could not be saved.
void SaveFindings(HWND owner, const FindingList& findings);

}  // namespace voske::win32
