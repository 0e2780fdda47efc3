#pragma once
// What one generation leaves for its caller: the output file's path and
// whether an error has already been shown.
#include <string>
#include <vector>

#include "verification/finding.h"

namespace voske {

struct GenerationState {
  // OutputPath: the file of the current generation, native path; empty
  // until the name is fixed. The caller clears it before each run.
  std::string outputPath;
  // GenerationFailed: an error of this generation has already been shown,
  // so no success message follows and the caller shows nothing further.
  bool generationFailed = false;
  // What the verification found in the document just generated: values the
  // regulator's schema refuses, each with the cell it came from. They do not
  // fail the generation unless the request is strict.
  std::vector<Finding> findings;
  // The whole document was built and verified, so `findings` is all there
  // is (a strict run with findings too, though its document is not kept).
  bool verified = false;

  // What the caller does before each run.
  void Clear() { *this = GenerationState(); }
};

// Ends a failed generation. The document is saved whole at its last step or
// not at all, and never over another file, so a failed run has nothing in
// the folder to take back: whatever is at outputPath belongs to another run
// and is left alone.
void FailGeneration(GenerationState& state);

}  // namespace voske
