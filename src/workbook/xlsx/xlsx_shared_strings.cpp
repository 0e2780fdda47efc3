#include "workbook/xlsx/xlsx_shared_strings.h"

#include <cstdlib>
#include <string>

#include "workbook/xlsx/ooxml_text.h"
#include "workbook/reader_limits.h"
#include "workbook/workbook_file.h"
#include "workbook/xml_stream.h"

namespace voske {

namespace {

class SharedStringsHandler : public XmlHandler {
 public:
  SharedStringsHandler(std::vector<Text>& out, TextBudget& texts) : out_(out), texts_(&texts) {}

  void StartElement(std::string_view name, const char** attributes) override {
    if (name == "si") {
      inItem_ = true;
      phonetic_ = 0;
      buffer_.clear();
    } else if (!inItem_) {
      if (name == "sst") Reserve(attributes);
    } else if (name == "rPh") {
      ++phonetic_;  // the reading aid above East Asian text, not part of it
    } else if (name == "t" && phonetic_ == 0) {
      capturing_ = true;
    }
  }

  void EndElement(std::string_view name) override {
    if (name == "t") {
      capturing_ = false;
    } else if (name == "rPh") {
      if (phonetic_ > 0) --phonetic_;
    } else if (name == "si" && inItem_) {
      inItem_ = false;
      if (out_.size() >= limits::kMaxSharedStrings)
        throw ReaderError(ReaderError::Kind::TooLarge, "shared-string table holds more entries than the reader accepts");
      Text text = DecodeStoredText(buffer_);
      if (text.size() > limits::kMaxCellCharacters)
        throw ReaderError(ReaderError::Kind::TooLarge, "shared string longer than a cell holds");
      texts_.Count(text.size());
      out_.push_back(std::move(text));
    }
  }

  void Flush() { texts_.Flush(); }

  void CharacterData(std::string_view text) override {
    if (!capturing_) return;
    if (buffer_.size() + text.size() > limits::kMaxCellSourceBytes)
      throw ReaderError(ReaderError::Kind::TooLarge, "shared string longer than a cell holds");
    buffer_.append(text);
  }

 private:
  // The declared count is only a hint: files exist where it is wrong.
  void Reserve(const char** attributes) {
    const char* count = FindAttribute(attributes, "uniqueCount");
    if (!count) count = FindAttribute(attributes, "count");
    if (!count) return;
    const unsigned long n = std::strtoul(count, nullptr, 10);
    out_.reserve(n < (1u << 20) ? n : (1u << 20));
  }

  std::vector<Text>& out_;
  std::string buffer_;  // UTF-8 of the current entry
  TextMeter texts_;
  int phonetic_ = 0;
  bool inItem_ = false;
  bool capturing_ = false;
};

}  // namespace

std::vector<Text> ReadSharedStrings(ZipArchive& archive, std::uint64_t entry, TextBudget& texts) {
  std::vector<Text> strings;
  SharedStringsHandler handler(strings, texts);
  ParseXmlPart(archive, entry, handler, texts);
  handler.Flush();
  return strings;
}

}  // namespace voske
