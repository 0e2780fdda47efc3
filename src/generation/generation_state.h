#pragma once
// What one generation leaves for its caller: the output file's path and
// whether an error has already been shown.
#include <string>

namespace voske {

struct GenerationState {
  // OutputPath: the file of the current generation, native path; empty
  // until the name is fixed. The caller clears it before each run.
  std::string outputPath;
  // GenerationFailed: an error of this generation has already been shown,
  // so no success message follows and the caller shows nothing further.
  bool generationFailed = false;

  // What the caller does before each run.
  void Clear() { *this = GenerationState(); }
};

// Ends a failed generation. The document is saved whole at its last step or
// not at all, so a failed run never wrote the file at outputPath: whatever
// is there belongs to another run (one in the same second gets the same
// name) and is left alone.
void FailGeneration(GenerationState& state);

}  // namespace voske
