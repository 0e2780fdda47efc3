#pragma once
// One registration generation over a variant of the sample operator: the
// workbook is written as .xlsx into a scratch folder, its worksheets become
// the arrays the builder reads, and the document is saved into an output
// folder of its own.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <variant>
#include <vector>

#include "documents/registration/cadastral_builder.h"
#include "sample_workbook.h"
#include "support/document_checks.h"
#include "support/paths.h"
#include "support/recording_front_end.h"
#include "text/cp1252.h"
#include "workbook/worksheets.h"

namespace voske::testing {

inline constexpr const char* kRunPassword = "senha de teste";

struct CadastralRun {
  ScratchDir scratch;
  std::filesystem::path workbookPath;
  std::filesystem::path outputFolder;
  std::filesystem::path outputFile;  // where the document is to be saved
  RecordingFrontEnd frontEnd;
  bool generationFailed = false;
  std::unique_ptr<SavedDocument> document;  // the one file written, parsed

  std::vector<std::filesystem::path> Files() const { return FilesIn(outputFolder); }
  // The element under which the whole registration body hangs.
  pugi::xml_node Kind() const {
    return document ? document->Root().child("oxr:identificador").next_sibling() : pugi::xml_node();
  }
  // The error messages shown, in order.
  std::vector<Text> Errors() const {
    std::vector<Text> texts;
    for (const auto& m : frontEnd.messages)
      if (m.icon == MessageIcon::Error) texts.push_back(m.text);
    return texts;
  }
};

// Writes `wb`, runs the generation over it and parses what it saved.
// `beforeRun` may disturb the folders once the workbook is written.
inline std::unique_ptr<CadastralRun> RunCadastral(const sample::Workbook& wb,
                                                  const std::function<void(const CadastralRun&)>& beforeRun = {}) {
  auto run = std::make_unique<CadastralRun>();
  run->workbookPath = run->scratch / "planilha.xlsx";
  run->outputFolder = run->scratch / "saida";
  run->outputFile = run->outputFolder / "418723_CADASTRAL_2026-12-08_101530.xml";
  std::filesystem::create_directories(run->outputFolder);
  sample::WriteXlsx(wb, run->workbookPath.string());
  if (beforeRun) beforeRun(*run);

  // Each worksheet as the readers give it: values as stored, last used row
  // plus two empty rows.
  Worksheets sheets;
  for (const sample::Sheet& sheet : wb.sheets()) {
    int rows = 1, columns = 1;
    for (const auto& [rc, cell] : sheet.cells()) {
      rows = std::max(rows, rc.first);
      columns = std::max(columns, rc.second);
    }
    WorksheetArray array(rows + 2, columns);
    for (const auto& [rc, cell] : sheet.cells()) {
      if (const double* d = std::get_if<double>(&cell.value)) array.Mutable(rc.first, rc.second) = Cell::MakeNumber(*d);
      if (const std::string* t = std::get_if<std::string>(&cell.value))
        if (!t->empty()) array.Mutable(rc.first, rc.second) = Cell::MakeText(FromUtf8(*t));
    }
    sheets.Set(FromUtf8(sheet.name()), std::move(array));
  }

  DocumentContext ctx{sheets, run->frontEnd, run->outputFile.string(), UpperAscii(kRunPassword), "3.3", run->generationFailed};
  BuildCadastralDocument(ctx);

  const auto files = run->Files();
  if (files.size() == 1) run->document = LoadSavedDocument(files.front());
  return run;
}

// Runs `wb` and expects a document: no message, one file, a hash that matches.
inline std::unique_ptr<CadastralRun> RunCadastralOk(const sample::Workbook& wb) {
  auto run = RunCadastral(wb);
  EXPECT_FALSE(run->generationFailed);
  EXPECT_TRUE(run->Errors().empty()) << (run->Errors().empty() ? "" : ToUtf8(run->Errors().front()));
  EXPECT_EQ(run->Files().size(), 1u);
  if (run->document) {
    EXPECT_TRUE(HashMatchesContent(*run->document));
  } else {
    ADD_FAILURE() << "no document was saved";
  }
  return run;
}

}  // namespace voske::testing
