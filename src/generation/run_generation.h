#pragma once
// RunGeneration: the body of one generation. It reads the worksheets the chosen
// document needs, in their fixed order, fixes the output file's name, runs the
// document builder, and is the catch point of every failure on the way.
#include <cstddef>
#include <ctime>
#include <functional>
#include <memory>
#include <string>

#include "generation/generation_state.h"
#include "port/front_end.h"
#include "text/program_version.h"
#include "text/text.h"
#include "workbook/worksheet_array.h"
#include "documents/envelope.h"

namespace voske {

// Reads worksheets of one workbook file. The standard one is a TUtil, which
// parses the file on the first read and serves every later read from it.
class WorksheetReader {
 public:
  virtual ~WorksheetReader() = default;
  // Fills `out` with worksheet `sheetName` of the workbook at `path`; throws
  // ECarregaArquivo (or whatever else a reader may raise) on failure.
  virtual void LoadWorksheet(WorksheetArray& out, const std::string& path, const Text& sheetName) = 0;
};

// What a generation needs from the world. The front ends take
// StandardGenerationServices(); tests put doubles in.
struct GenerationServices {
  // A fresh reader for one generation, so the workbook is parsed once per run.
  std::function<std::unique_ptr<WorksheetReader>()> newReader;
  std::function<void(const DocumentContext&)> buildCadastral;
  std::function<void(const DocumentContext&)> buildFinancial;
  // The local date and time that goes into the file name.
  std::function<std::tm()> localTime;
};

// TUtil for the worksheets, the two real document builders and the system's
// local time. Defined apart from RunGeneration, so that a program which
// injects its own services does not link the builders.
GenerationServices StandardGenerationServices();

// The choices of one generation, as the user gave them.
struct GenerationRequest {
  DocumentKind document = DocumentKind::Cadastral;
  std::string workbookPath;       // as typed; double quotes are removed here
  std::string destinationFolder;  // as typed
  Text passwordUpper;             // OxrPasswordUpper of the run
  Text programVersion = ProgramVersion();
  // A document with verification findings is a failure: it is not left in
  // the folder, and the findings are the error shown.
  bool strict = false;
};

// Runs one generation, reporting every step and failure through `frontEnd`.
// Sets state.outputPath once the name is fixed. It is the catch point of the
// run: a builder ends with EDocumentoNaoGerado, a worksheet read with
// ECarregaArquivo; the one message of a failure is shown here, after the
// busy cursor is off, and sets state.generationFailed. The caller clears
// `state` first.
void RunGeneration(const GenerationRequest& request, FrontEnd& frontEnd, GenerationState& state,
                   const GenerationServices& services);

// The status line before each worksheet read, and while a builder runs.
Text LoadingStatus(const Text& suffix);

}  // namespace voske
