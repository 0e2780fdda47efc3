#pragma once
// Runs a whole financial generation the way a user does: the sample model
// (varied by each test) is written as an .xlsx file, the load sequence reads
// it and runs the financial builder, and the saved document is parsed back
// as ISO-8859-1. A failed run is seen as the user sees it: the message shown
// and the destination folder left empty.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "generation/generation_state.h"
#include "generation/run_generation.h"
#include "sample_workbook.h"
#include "support/document_checks.h"
#include "support/paths.h"
#include "support/recording_front_end.h"
#include "text/cp1252.h"

namespace voske::support {

// The sample operator with its period moved to the given date and its kind
// (B26) and sub-kind (B27) set; an empty code clears the cell.
inline sample::Workbook FinancialSample(int year, const std::string& kind = "MEGRP", const std::string& subKind = "",
                                        int month = 3, int day = 31) {
  sample::Workbook wb = sample::MakeSampleWorkbook();
  sample::Sheet& cadastral = wb["Dados Cadastrais"];
  cadastral.SetDate("B3", year, month, day);
  if (kind.empty()) cadastral.Clear("B26");
  else cadastral.Set("B26", kind.c_str());
  if (subKind.empty()) cadastral.Clear("B27");
  else cadastral.Set("B27", subKind.c_str());
  return wb;
}

struct FinancialRun {
  ScratchDir dir;
  RecordingFrontEnd frontEnd;
  GenerationState state;
  std::unique_ptr<SavedDocument> saved;  // null when no document was saved

  XmlNode Root() const { return saved ? saved->Root() : XmlNode(); }
  // The root's child of that name, or a null node.
  XmlNode Section(const char* name) const { return Root().child(name); }
  // The error messages shown, in UTF-8.
  std::vector<std::string> Errors() const {
    std::vector<std::string> out;
    for (const auto& m : frontEnd.messages)
      if (m.icon == MessageIcon::Error) out.push_back(ToUtf8(m.text));
    return out;
  }
  std::vector<std::string> Statuses() const { return Utf8Texts(frontEnd.statuses); }
  std::filesystem::path OutputFolder() const { return dir / "saida"; }
};

// Generates the financial document of `wb` with the password `password`,
// into a destination folder that exists unless `folderExists` is false.
inline std::unique_ptr<FinancialRun> RunFinancial(const sample::Workbook& wb, const std::string& password = "SENHA1",
                                                  bool folderExists = true) {
  auto run = std::make_unique<FinancialRun>();
  const std::string book = (run->dir / "planilha.xlsx").string();
  sample::WriteXlsx(wb, book);
  if (folderExists) std::filesystem::create_directories(run->OutputFolder());

  GenerationRequest request;
  request.document = DocumentKind::Financeiro;
  request.workbookPath = book;
  request.destinationFolder = run->OutputFolder().string();
  request.passwordUpper = Ansi(password);
  RunGeneration(request, run->frontEnd, run->state, StandardGenerationServices());

  const std::vector<std::filesystem::path> files = folderExists ? FilesIn(run->OutputFolder()) : FilesIn(run->dir.path());
  if (!folderExists) {
    // Only the workbook: no document and no temporary file beside it.
    EXPECT_EQ(files.size(), 1u);
    return run;
  }
  if (!run->state.generationFailed) {
    if (files.size() == 1) run->saved = LoadSavedDocument(files.front());
    else ADD_FAILURE() << "a successful run left " << files.size() << " files";
  } else if (!files.empty()) {
    ADD_FAILURE() << "a failed run left " << files.front() << " behind";
  }
  return run;
}

// The one error a failed run showed, in UTF-8; "" when the run succeeded.
inline std::string FinancialError(const sample::Workbook& wb) {
  auto run = RunFinancial(wb);
  const std::vector<std::string> errors = run->Errors();
  EXPECT_LE(errors.size(), 1u);
  return errors.empty() ? std::string() : errors.front();
}

// What every failure of the document is wrapped in.
inline std::string FinancialFailure(const std::string& cause) {
  return "Não foi possível gerar o arquivo XML \"Dados Financeiros\".\r" + cause;
}

// "name=value" of each child element of `node`, in document order; a child
// that holds elements shows as its bare name.
inline std::vector<std::string> Fields(XmlNode node) {
  std::vector<std::string> out;
  for (XmlNode c : node.children()) {
    if (!c.IsElement()) continue;
    if (c.first_child().IsElement()) out.push_back(c.name());
    else out.push_back(std::string(c.name()) + "=" + c.child_value());
  }
  return out;
}

// The Fields of each child of `node`, one list per entry.
inline std::vector<std::vector<std::string>> EntryFields(XmlNode node) {
  std::vector<std::vector<std::string>> entries;
  for (XmlNode e : node.children()) entries.push_back(Fields(e));
  return entries;
}

}  // namespace voske::support
