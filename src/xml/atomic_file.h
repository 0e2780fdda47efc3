#pragma once
// Writing a generated document so that it appears whole or not at all.
#include <functional>
#include <string>
#include <string_view>

#include "platform/saved_file.h"

namespace voske {

// Asked for the name to take when `taken` is found taken at the moment of
// saving; an empty answer gives up (the save fails as on a taken name).
using NextName = std::function<std::string(const std::string& taken)>;

// A document on its way to `fileName` (a native path). Its bytes go to a
// temporary file in the same folder, which Commit flushes to disk and puts in
// place. It never replaces a file: a document already in the folder belongs
// to the user (or to another run of the same second) and stays as it is.
// Until Commit nothing is visible:
// - where the file system allows, the temporary file has no name at all
//   (O_TMPFILE), so even a killed process leaves nothing;
// - on Windows it is a hidden ".voske-NNN.tmp" marked for deletion until it
//   takes its name, so a killed process leaves nothing either;
// - elsewhere it is a hidden ".voske-NNN.tmp", removed when the object goes
//   without Commit, and by Ctrl-C, SIGTERM or SIGHUP during the save.
// Every failure raises EGravaArquivo with a message naming `fileName`; an
// existing file of that name is never touched.
class AtomicFile {
 public:
  enum class Temporary { Unnamed, Named };

  // Creates the temporary file. Temporary::Named skips the unnamed kind (for
  // the file systems that lack it, and for testing the named one here).
  explicit AtomicFile(const std::string& fileName, Temporary kind = Temporary::Unnamed);
  AtomicFile(const AtomicFile&) = delete;
  AtomicFile& operator=(const AtomicFile&) = delete;
  // Without Commit: closes and removes the temporary file.
  ~AtomicFile();

  void Write(std::string_view piece);
  // Flushes, then gives the file its name: `fileName`, or when that is
  // taken, the first free one of the names `next` offers (at most
  // kNameTries in all). Returns the name taken. Once only.
  std::string Commit(const NextName& next = {});

  static constexpr int kNameTries = 1000;

  const std::string& FileName() const { return fileName_; }
  // Whether the temporary file has no name (O_TMPFILE took).
  bool Unnamed() const { return file_.Unnamed(); }

 private:
  [[noreturn]] void Fail(int error) const;

  std::string fileName_;
  platform::SavedFile file_;
  bool committed_ = false;
};

}  // namespace voske
