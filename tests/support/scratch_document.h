#pragma once
// A document generated as the program generates one: streamed into a file
// of a folder of its own, which goes with it. Saved() ends the document and
// gives the file's bytes.
#include <string>

#include "support/files.h"
#include "support/paths.h"
#include "xml/xml_generator.h"

namespace voske::support {

class ScratchDocument {
 public:
  ScratchDocument(const Text& rootName, const Text& rootStartTag, const Text& leadingLine = Text())
      : path_((dir_ / "documento.xml").string()), gen_(rootName, rootStartTag, leadingLine, path_) {}

  TXMLGenerator& operator*() { return gen_; }
  TXMLGenerator* operator->() { return &gen_; }
  const std::string& Path() const { return path_; }
  std::string Saved() {
    gen_.SaveToFile(path_);
    return FileContents(path_);
  }

 private:
  ScratchDir dir_;
  std::string path_;
  TXMLGenerator gen_;
};

}  // namespace voske::support
