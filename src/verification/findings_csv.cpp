#include "verification/findings_csv.h"

#include <filesystem>
#include <string_view>
#include <system_error>

#include "text/cp1252.h"
#include "xml/atomic_file.h"
#include "xml/xml_generator.h"

namespace voske {

namespace {

constexpr const char* kByteOrderMark = "\xEF\xBB\xBF";
constexpr const char* kLineEnd = "\r\n";
// Rows are handed to the file in pieces of about this size.
constexpr std::size_t kPiece = 1 << 16;

// Whether a spreadsheet would take `field` for something other than the
// text it is: a number or a date (digits with signs, points, commas, slashes,
// colons, an exponent), or a formula (a leading = + - @, a tab or a line end).
bool NeedsTextForm(const std::string& field) {
  if (field.empty()) return false;
  const char first = field.front();
  if (first == '=' || first == '+' || first == '-' || first == '@' || first == '\t' || first == '\r' ||
      first == '\n')
    return true;
  bool digit = false;
  for (const char c : field) {
    if (c >= '0' && c <= '9') {
      digit = true;
    } else if (std::string_view(".,/:-+ Ee").find(c) == std::string_view::npos) {
      return false;
    }
  }
  return digit;
}

// One field: quoted when it holds the separator, a quote or a line end,
// and in the text form ="..." when a spreadsheet would misread it.
std::string Field(const Text& value) {
  std::string utf8 = ToUtf8(value);
  const bool textForm = NeedsTextForm(utf8);
  if (textForm) {
    std::string quoted;
    for (const char c : utf8) quoted += c == '"' ? std::string("\"\"") : std::string(1, c);
    utf8 = "=\"" + quoted + "\"";
  }
  if (utf8.find_first_of(";\"\r\n") == std::string::npos) return utf8;
  std::string out = "\"";
  for (const char c : utf8) out += c == '"' ? std::string("\"\"") : std::string(1, c);
  return out + "\"";
}

}  // namespace

std::string FindingsCsvHeading() {
  return ToUtf8(Ansi("Planilha;Célula;Elemento;Valor;Motivo;Regra técnica"));
}

std::string FindingsCsvRow(const Finding& f) {
  // Without a cell, the element's path says where it stands.
  const Text& element = f.sheet.empty() && !f.path.empty() ? f.path : f.element;
  return Field(f.sheet) + ";" + Field(f.cell) + ";" + Field(element) + ";" + Field(f.value) + ";" + Field(f.reason) +
         ";" + Field(f.rule);
}

FindingsCsv::FindingsCsv(const std::string& path) : path_(path), file_(std::make_unique<AtomicFile>(path)) {
  pending_ = kByteOrderMark + FindingsCsvHeading() + kLineEnd;
}

FindingsCsv::~FindingsCsv() = default;

void FindingsCsv::Add(const Finding& finding) {
  pending_ += FindingsCsvRow(finding);
  pending_ += kLineEnd;
  if (pending_.size() >= kPiece) {
    file_->Write(pending_);
    pending_.clear();
  }
}

void FindingsCsv::Finish() {
  file_->Write(pending_);
  pending_.clear();
  // The file takes its name when that is free; a file the user chose to
  // overwrite is replaced whole, through a name of its own beside it.
  int attempt = 0;
  const std::string taken =
      file_->Commit([this, &attempt](const std::string&) { return path_ + ".novo" + std::to_string(++attempt); });
  if (taken == path_) return;
  std::error_code error;
  std::filesystem::rename(std::filesystem::u8path(taken), std::filesystem::u8path(path_), error);
  if (error) {
    std::filesystem::remove(std::filesystem::u8path(taken), error);
    throw EGravaArquivo(Ansi("Não foi possível gravar o arquivo \"") + FromUtf8(path_) + "\"." + CR +
                        Ansi("O arquivo que já existe com esse nome não pôde ser substituído."));
  }
}

void WriteFindingsCsv(const std::string& path, const std::vector<Finding>& findings) {
  FindingsCsv csv(path);
  for (const Finding& f : findings) csv.Add(f);
  csv.Finish();
}

}  // namespace voske
