#pragma once
// The findings as a file to keep: a CSV that a spreadsheet program opens as
// it is in Brazil (UTF-8 with a byte-order mark, ";" between fields, CR LF
// line ends), one finding a row: worksheet, cell, element, value, reason and
// the technical rule it breaks.
#include <memory>
#include <string>
#include <vector>

#include "text/text.h"
#include "verification/finding.h"

namespace voske {

class AtomicFile;

// The heading row, as the file holds it (UTF-8, no line end).
std::string FindingsCsvHeading();
// One finding's row, as the file holds it (UTF-8, no line end). A value a
// spreadsheet would read as a number or a date (losing a CEP's leading zero,
// a CNPJ's last digits, a decimal point), or as a formula, is written as a
// text it shows exactly as the document carries it.
std::string FindingsCsvRow(const Finding& finding);

// A CSV of findings written as they come, so a document of any size costs
// the same memory. Nothing is at `path` until Finish: a run that ends before
// leaves no file, and a file of that name is left as it was. Finish replaces
// such a file (the user named it for these findings).
class FindingsCsv {
 public:
  // Raises EGravaArquivo when the file cannot be made there.
  explicit FindingsCsv(const std::string& path);
  ~FindingsCsv();
  FindingsCsv(const FindingsCsv&) = delete;
  FindingsCsv& operator=(const FindingsCsv&) = delete;

  void Add(const Finding& finding);
  // Puts the file in place. Raises EGravaArquivo.
  void Finish();

 private:
  std::string path_;
  std::unique_ptr<AtomicFile> file_;
  std::string pending_;  // rows not yet handed to the file
};

// Writes `findings` to `path` through a FindingsCsv.
void WriteFindingsCsv(const std::string& path, const std::vector<Finding>& findings);

}  // namespace voske
