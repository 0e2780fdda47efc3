#pragma once
// TXMLGenerator: writes one document top-down through a cursor (the current
// element). Every leaf value is length-checked against the schema tables and
// fed to the content hash from which the epilogue hash is made.
//
// The document is written out while it is built: an element's start tag as
// it is added, its end tag once something is added after it outside it, so
// memory stays the same whatever the document's size. That holds because the
// builders add only under the current element or one of its open ancestors
// (a parent path names a child of the root, which is the latest one). Adding
// under an element already closed would put the new element out of order,
// and raises EElementoFechado instead.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "text/error.h"
#include "text/text.h"
#include "xml/atomic_file.h"
#include "xml/leaf_observer.h"
#include "xml/md5.h"

namespace voske {

class BackgroundWriter;

// A value longer than the regulator's schema allows.
class EMaxLengthError : public EVoske {
 public:
  using EVoske::EVoske;
};

// The document could not be written to disk. The message names the file and
// the reason; nothing of the document is left behind.
class EGravaArquivo : public EVoske {
 public:
  using EVoske::EVoske;
};

// A builder added under an element whose end tag is already written: a
// fault of the program, never of the workbook.
class EElementoFechado : public EVoske {
 public:
  using EVoske::EVoske;
};

// An element of the document being written, as AddElement, FindNode and
// Current hand it out. Null when there is no such element.
class TXMLElement {
 public:
  TXMLElement() = default;
  explicit operator bool() const { return id_ != 0; }
  const Text& name() const { return name_; }
  bool operator==(const TXMLElement& other) const { return id_ == other.id_; }

 private:
  friend class TXMLGenerator;
  TXMLElement(std::uint64_t id, Text name) : id_(id), name_(std::move(name)) {}
  std::uint64_t id_ = 0;  // unique within its generator; 0 is null
  Text name_;
};

class TXMLGenerator {
 public:
  // CreateDocument: root element name ("oxr:voskeFinanc"), the literal root
  // start tag written to the file in place of the plain one, and the leading
  // line. The document is streamed as it is built into a temporary file in
  // the folder of `outputPath`; SaveToFile(outputPath) completes it. Raises
  // EGravaArquivo when the temporary file cannot be made. Dropped without
  // SaveToFile, the generator leaves nothing on disk.
  TXMLGenerator(const Text& rootName, const Text& rootStartTag, const Text& leadingLine,
                const std::string& outputPath);
  TXMLGenerator(const TXMLGenerator&) = delete;
  TXMLGenerator& operator=(const TXMLGenerator&) = delete;
  ~TXMLGenerator();

  // Opens a container (keepCurrent false) or adds an empty element (true)
  // under the current element, or under FindNode(parentPath) when a path is
  // given. An element whose parent path is not found is appended nowhere:
  // neither it nor anything under it reaches the file.
  TXMLElement AddElement(const Text& name, bool keepCurrent = false, const Text& parentPath = Text());
  void AddTextElement(const Text& name, const Text& value, const Text& parentPath = Text());
  void AddDecimalElement(const Text& name, const Text& value, const Text& parentPath = Text());
  // The same under the current element, for a value taken from one worksheet
  // cell: the leaf observer is told which.
  void AddTextElement(const Text& name, const Text& value, const CellOrigin& origin);
  void AddDecimalElement(const Text& name, const Text& value, const CellOrigin& origin);
  // The watcher told of every leaf written to the document (none: null).
  void SetLeafObserver(LeafObserver* observer) { observer_ = observer; }
  // Climbs from the current element to the named one (itself or an ancestor).
  // A name that is neither raises EGenerica and leaves the cursor in place.
  void ReturnTo(const Text& name);
  // The root's first child element of that qualified name, or a null element.
  TXMLElement FindNode(const Text& path) const;
  void SetCurrent(const TXMLElement& element);
  TXMLElement Current() const;
  TXMLElement Root() const;

  // Lowercase hex MD5 of every value written so far.
  Text ContentHash() const;
  static Text HashText(const Text& text);

  // Ends the open elements and puts the file in place; `fileName` is the
  // outputPath the generator was made for. A file already there is never
  // replaced: the document takes the first free name `next` offers
  // (AtomicFile::Commit). Returns the name taken. Raises EGravaArquivo; a
  // failed save leaves no file of its own. Nothing may be added after.
  std::string SaveToFile(const std::string& fileName, const NextName& next = {});

 private:
  // The elements whose start tag is written and end tag not yet: the root
  // first, then each one's latest child. Elements appended nowhere have a
  // stack of their own, which writes nothing.
  struct OpenPath {
    std::vector<std::uint64_t> ids;
    std::vector<Text> names;
  };

  void Begin(const Text& rootName, const Text& rootStartTag, const Text& leadingLine);
  // The open element `parent` becomes the innermost one of its stack (the
  // elements inside it are ended); returns that stack, or raises
  // EElementoFechado when `parent` is on none.
  OpenPath* OpenUnder(const TXMLElement& parent, const Text& newChild);
  // The stack a new element goes on, its parent innermost; null when the
  // parent path is not found (the element is appended nowhere).
  OpenPath* ParentFor(const Text& parentPath, const Text& newChild);
  void NoteRootChild(const TXMLElement& element);
  // The single point where a leaf's final value is known: `value` is what
  // the file and the content hash receive, under the open elements `path`.
  void PlaceLeaf(const Text& name, const Text& value, const Text& parentPath, const CellOrigin* origin);
  // A leaf's value as written: control characters dropped, trimmed, its
  // length checked; a decimal also checked and written with "." and at most
  // two decimals.
  static Text TextValue(const Text& name, const Text& value);
  static Text DecimalValue(const Text& name, const Text& value);
  void EndElement(OpenPath& path);
  void Flush();
  void EnsureWritable() const;
  std::string ClosingTags() const;

  std::string out_;                   // written, not yet handed to the file
  std::unique_ptr<AtomicFile> file_;
  std::unique_ptr<BackgroundWriter> writer_;  // writes file_; goes before it
  OpenPath open_;
  OpenPath detached_;
  std::vector<TXMLElement> rootChildren_;  // first of each name, for FindNode
  TXMLElement current_;
  std::uint64_t lastId_ = 0;
  Text rootName_;
  Md5 hash_;
  bool saved_ = false;
  LeafObserver* observer_ = nullptr;
};

}  // namespace voske
