#pragma once
// What one generation leaves for its caller: the output file's path and
// whether an error has already been shown, and the discarding of a failed
// generation's file.
#include <optional>
#include <string>
#include <vector>

#include "verification/finding.h"

namespace voske {

// Identity of a file on disk: device, inode, size and modification time.
struct FileStamp {
  unsigned long long device = 0, inode = 0, size = 0;
  long long mtimeSec = 0, mtimeNsec = 0;
  bool operator==(const FileStamp&) const = default;
};
// The stamp of the regular file at `path`, or nothing when there is none.
std::optional<FileStamp> StampOf(const std::string& path);

struct GenerationState {
  // OutputPath: the file of the current generation, native path; empty
  // until the name is fixed. The caller clears it before each run.
  std::string outputPath;
  // GenerationFailed: an error of this generation has already been shown,
  // so no success message follows and the caller shows nothing further.
  bool generationFailed = false;
  // A file that already sat at outputPath when the name was fixed (an
  // earlier run in the same second). A failed run must not destroy a
  // document an earlier run delivered, so DiscardOutputFile keeps it.
  std::optional<FileStamp> earlierFile;
  // What the verification found in the document just generated: values the
  // regulator's schema refuses, each with the cell it came from. They do not
  // fail the generation unless the request is strict.
  std::vector<Finding> findings;

  // What the caller does before each run.
  void Clear() { *this = GenerationState(); }
};

// Deletes the file at outputPath (nothing happens when outputPath is empty,
// when there is no file, or when the file is still the earlier one), then
// sets generationFailed whatever the deletion did.
void DiscardOutputFile(GenerationState& state);

}  // namespace voske
