#pragma once
// One registration generation from a workbook file, as the user runs it: the
// test's variant of the sample operator is written as .xlsx into a scratch
// folder, and the load sequence reads it, builds the document and saves it
// into an output folder of its own.
#include <gtest/gtest.h>

#include <ctime>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "generation/run_generation.h"
#include "sample_workbook.h"
#include "support/document_checks.h"
#include "support/local_time.h"
#include "support/paths.h"
#include "support/recording_front_end.h"
#include "documents/registration/cadastral_builder.h"
#include "text/cp1252.h"

namespace voske::support {

inline constexpr const char* kRunPassword = "senha de teste";

// The clock of every run unless a test asks for the real one: the file of the
// sample operator is then always 418723_CADASTRAL_2026-12-08_101530.xml.
inline std::tm FixedRunTime() { return LocalTime(2026, 12, 8, 10, 15, 30); }

// The services of a real generation (TUtil reads the workbook file, the
// registration builder writes the document), with the fixed clock unless the
// test asks for the system's.
inline GenerationServices RegistrationServices(bool realClock) {
  GenerationServices s = StandardGenerationServices();
  s.buildFinancial = [](const DocumentContext&) { ADD_FAILURE() << "a registration run built a financial document"; };
  if (!realClock) s.localTime = FixedRunTime;
  return s;
}

struct CadastralRun {
  ScratchDir scratch;
  std::filesystem::path workbookPath;
  std::filesystem::path outputFolder;
  std::filesystem::path outputFile;  // where the document is to be saved
  RecordingFrontEnd frontEnd;
  GenerationState state;
  std::unique_ptr<SavedDocument> document;  // the one file written, parsed

  bool generationFailed() const { return state.generationFailed; }
  std::vector<std::filesystem::path> Files() const { return FilesIn(outputFolder); }
  // The element under which the whole registration body hangs.
  XmlNode Kind() const {
    return document ? document->Root().child("oxr:identificador").next_sibling() : XmlNode();
  }
  // The messages shown with the given icon, in order.
  std::vector<Text> Messages(MessageIcon icon) const {
    std::vector<Text> texts;
    for (const auto& m : frontEnd.messages)
      if (m.icon == icon) texts.push_back(m.text);
    return texts;
  }
  std::vector<Text> Errors() const { return Messages(MessageIcon::Error); }
};

struct RunOptions {
  // Disturbs the folders once the workbook is written.
  std::function<void(const CadastralRun&)> beforeRun;
  bool realClock = false;
};

// Writes `wb`, runs the generation over it and parses what it saved.
inline std::unique_ptr<CadastralRun> RunCadastral(const sample::Workbook& wb, const RunOptions& options = {}) {
  auto run = std::make_unique<CadastralRun>();
  run->workbookPath = run->scratch / "planilha.xlsx";
  run->outputFolder = run->scratch / "saida";
  run->outputFile = run->outputFolder / "418723_CADASTRAL_2026-12-08_101530.xml";
  std::filesystem::create_directories(run->outputFolder);
  sample::WriteXlsx(wb, run->workbookPath.string());
  if (options.beforeRun) options.beforeRun(*run);

  GenerationRequest request;
  request.document = DocumentKind::Cadastral;
  request.workbookPath = run->workbookPath.string();
  request.destinationFolder = run->outputFolder.string();
  request.passwordUpper = UpperAscii(kRunPassword);
  RunGeneration(request, run->frontEnd, run->state, RegistrationServices(options.realClock));

  const auto files = run->Files();
  if (files.size() == 1) run->document = LoadSavedDocument(files.front());
  return run;
}

// Runs `wb` and expects a document: the success message alone, one file, a
// hash that matches its content.
inline std::unique_ptr<CadastralRun> RunCadastralOk(const sample::Workbook& wb, const RunOptions& options = {}) {
  auto run = RunCadastral(wb, options);
  EXPECT_FALSE(run->generationFailed());
  EXPECT_TRUE(run->Errors().empty()) << (run->Errors().empty() ? "" : ToUtf8(run->Errors().front()));
  EXPECT_EQ(run->Messages(MessageIcon::Information), std::vector<Text>{Ansi("XML gerado com sucesso.")});
  EXPECT_EQ(run->Files().size(), 1u);
  if (run->document) {
    EXPECT_TRUE(HashMatchesContent(*run->document));
  } else {
    ADD_FAILURE() << "no document was saved";
  }
  return run;
}

}  // namespace voske::support
