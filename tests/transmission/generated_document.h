#pragma once
// A document generated from the sample operator's workbook exactly as a user
// generates one, for the cases that send what the generation writes.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "documents/registration/cadastral_builder.h"
#include "generation/run_generation.h"
#include "sample_workbook.h"
#include "support/paths.h"
#include "support/recording_front_end.h"

namespace voske::support {

// A real registration generation: TUtil reads the workbook file, the
// registration builder writes the document, the clock is the system's.
inline GenerationServices CadastralServices() {
  GenerationServices s = StandardGenerationServices();
  s.buildFinancial = [](const DocumentContext&) { ADD_FAILURE() << "these cases generate registration documents"; };
  return s;
}

// The sample workbook written as .xlsx into `folder`; its path.
inline std::string WriteSampleWorkbook(const std::filesystem::path& folder) {
  const std::string path = (folder / "planilha.xlsx").string();
  sample::WriteXlsx(sample::MakeSampleWorkbook(), path);
  return path;
}

// Generates the registration document of the sample workbook into
// `destination`; the path of the file written, empty when it failed.
inline std::string GenerateCadastral(const std::filesystem::path& folder, const std::string& destination) {
  GenerationRequest request;
  request.document = DocumentKind::Cadastral;
  request.workbookPath = WriteSampleWorkbook(folder);
  request.destinationFolder = destination;
  request.passwordUpper = "SENHA";
  RecordingFrontEnd ui;
  GenerationState state;
  RunGeneration(request, ui, state, CadastralServices());
  EXPECT_FALSE(state.generationFailed) << (ui.messages.empty() ? "" : ui.messages.back().text);
  return state.generationFailed ? std::string() : state.outputPath;
}

}  // namespace voske::support
