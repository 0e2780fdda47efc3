#pragma once
// What one generation leaves for its caller: the output file's path and
// whether an error has already been shown.
#include <optional>
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

  // What the caller does before each run.
  void Clear() { *this = GenerationState(); }
};

// Ends a failed generation. The document is saved whole at its last step or
// not at all, so a failed run never wrote the file at outputPath: whatever
// is there belongs to another run (one in the same second gets the same
// name) and is left alone.
void FailGeneration(GenerationState& state);

// Which file sits at a path (device and inode), to tell this run's document
// from one another run put there since; nullopt when there is none.
struct FileIdentity {
  unsigned long long device = 0, inode = 0;
  bool operator==(const FileIdentity&) const = default;
};
std::optional<FileIdentity> IdentityOf(const std::string& path);

// Ends a generation that completed its document but must not deliver it (a
// strict run with findings): removes outputPath only while it is still the
// file this run wrote, then fails the generation.
void DiscardOwnOutput(GenerationState& state, const std::optional<FileIdentity>& own);

}  // namespace voske
