#pragma once
// Refuses an XML element with more attributes than the reader accepts before
// the parser sees it. The parser compares every attribute of an element with
// every other one (to find a name given twice), so a start tag of hundreds of
// thousands of attributes, a megabyte of a file, takes minutes; the count has
// to be taken on the bytes on their way to the parser, since the parser
// reports an element only once it has made those comparisons.
//
// Such a tag is long, and holds no "<": no attribute value may. So the bytes
// are only looked at closely where a run of kWindow bytes has no "<" (a long
// text, a long value, or a start tag of hundreds of attributes); elsewhere one
// search for "<" per window is all they cost.
#include <cstddef>
#include <cstdint>
#include <string>

namespace voske {

class AttributeGuard {
 public:
  // The next bytes of the part, in order. Throws ReaderError(TooLarge) when a
  // start tag holds more than limits::kMaxXmlAttributes attributes
  // (namespace declarations included). Malformed XML is left to the parser.
  void Scan(const char* data, std::size_t size);

  // A start tag of more attributes than the limit is longer than this: each
  // attribute takes five bytes at least (' a=""').
  static constexpr std::size_t kWindow = 4096;

 private:
  enum class State : std::uint8_t {
    Text,    // character data, between markup
    Open,    // just after "<"
    Bang,    // just after "<!"
    Tag,     // inside a start tag, outside attribute values
    Value,   // inside an attribute value quoted by quote_
    Markup,  // comment, CDATA section, processing instruction, end tag or declaration, until closer_
  };

  // Follows the markup from the state reached so far, byte by byte, until
  // the next "<" outside any markup: returns the count of bytes consumed
  // (that "<" included), or `size` when it is not in them.
  std::size_t Follow(const char* data, std::size_t size);

  bool following_ = false;  // looking closely, since a window without "<"
  // The bytes of the current run since its "<" (included) that came in
  // earlier calls; shorter than kWindow.
  std::string run_;
  State state_ = State::Text;
  char quote_ = 0;
  std::size_t attributes_ = 0;
  // The markup's closing sequence ("-->", "]]>", "?>" or ">") and the last
  // two bytes seen inside it, for a closer split between two calls.
  const char* closer_ = ">";
  char last_[2] = {0, 0};
};

}  // namespace voske
