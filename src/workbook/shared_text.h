#pragma once
// A cell's text, held once however many cells show it. A workbook may point
// thousands of cells at one long shared string, or repeat one cell across a
// whole row; each such cell holds a reference to the same immutable text
// instead of a copy of it. Reads see a plain Text.
#include <iosfwd>
#include <memory>
#include <utility>

#include "text/text.h"

namespace voske {

class SharedText {
 public:
  SharedText() = default;
  // The empty text needs no storage of its own.
  SharedText(Text text)  // NOLINT: a Text is a SharedText held by one cell
      : text_(text.empty() ? nullptr : std::make_shared<const Text>(std::move(text))) {}
  SharedText(const char* text) : SharedText(Text(text)) {}  // NOLINT
  // A text owned elsewhere, such as an entry of a workbook's shared-string
  // table held through the table's own count (an aliasing pointer).
  explicit SharedText(std::shared_ptr<const Text> text) : text_(std::move(text)) {}

  const Text& str() const { return text_ ? *text_ : Empty(); }
  operator const Text&() const { return str(); }  // NOLINT
  operator TextView() const { return str(); }     // NOLINT

  bool empty() const { return !text_ || text_->empty(); }
  std::size_t size() const { return text_ ? text_->size() : 0; }
  const char* c_str() const { return str().c_str(); }

  friend bool operator==(const SharedText& a, const SharedText& b) {
    return a.text_ == b.text_ || a.str() == b.str();
  }
  friend bool operator==(const SharedText& a, const Text& b) { return a.str() == b; }
  friend bool operator==(const SharedText& a, const char* b) { return a.str() == b; }

 private:
  static const Text& Empty();

  std::shared_ptr<const Text> text_;
};

std::ostream& operator<<(std::ostream& out, const SharedText& text);

}  // namespace voske
