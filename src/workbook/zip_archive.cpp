#include "workbook/zip_archive.h"

#include <zip.h>

#include <cerrno>
#include <cstdio>

#include "workbook/reader_limits.h"
#include "workbook/workbook_file.h"

namespace voske {

namespace {

using Kind = ReaderError::Kind;

// The kind of a libzip error code met while reading the archive's parts.
Kind KindOf(int code) {
  switch (code) {
    case ZIP_ER_NOPASSWD:
    case ZIP_ER_WRONGPASSWD:
    case ZIP_ER_ENCRNOTSUPP:
      return Kind::Encrypted;
    case ZIP_ER_COMPNOTSUPP:
      return Kind::Unsupported;
    case ZIP_ER_MEMORY:
      return Kind::TooLarge;
    default:
      return Kind::Corrupt;
  }
}

std::string ErrorText(zip_error_t* error) { return zip_error_strerror(error); }

}  // namespace

std::string ZipArchive::NormalizeName(std::string_view name) {
  std::string out;
  out.reserve(name.size());
  for (char c : name) {
    if (c == '\\') c = '/';
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    out.push_back(c);
  }
  size_t start = 0;
  while (start < out.size() && out[start] == '/') ++start;
  return out.substr(start);
}

ZipArchive::ZipArchive(const std::string& path) {
  int code = 0;
  archive_ = zip_open(path.c_str(), ZIP_RDONLY, &code);
  if (!archive_) {
    zip_error_t error;
    zip_error_init_with_code(&error, code);
    const std::string text = ErrorText(&error);
    zip_error_fini(&error);
    // The caller only hands over files that begin like a zip archive, so a
    // directory that cannot be found means a damaged or truncated file.
    const Kind kind = code == ZIP_ER_NOENT || code == ZIP_ER_OPEN ? Kind::FileNotFound : KindOf(code);
    throw ReaderError(kind, "zip archive: " + text);
  }
  const zip_int64_t count = zip_get_num_entries(archive_, 0);
  for (zip_int64_t i = 0; i < count; ++i) {
    const char* name = zip_get_name(archive_, static_cast<zip_uint64_t>(i), 0);
    if (!name) continue;
    // The first of two entries with the same name wins, as the directory
    // lists them.
    entries_.emplace(NormalizeName(name), static_cast<std::uint64_t>(i));
  }
}

ZipArchive::~ZipArchive() {
  if (archive_) zip_discard(archive_);
}

std::optional<std::uint64_t> ZipArchive::Find(std::string_view partName) const {
  auto it = entries_.find(NormalizeName(partName));
  if (it == entries_.end()) return std::nullopt;
  return it->second;
}

std::string ZipArchive::ReadAll(std::uint64_t entry, std::size_t cap) {
  PartReader reader(*this, entry);
  std::string out;
  char buffer[64 * 1024];
  while (std::size_t n = reader.Read(buffer, sizeof buffer)) {
    if (out.size() + n > cap) throw ReaderError(Kind::TooLarge, "zip part larger than the reader accepts");
    out.append(buffer, n);
  }
  return out;
}

ZipArchive::PartReader::PartReader(ZipArchive& archive, std::uint64_t entry) {
  zip_stat_t st;
  zip_stat_init(&st);
  if (zip_stat_index(archive.archive_, entry, 0, &st) != 0)
    throw ReaderError(KindOf(zip_error_code_zip(zip_get_error(archive.archive_))),
                      "zip entry: " + ErrorText(zip_get_error(archive.archive_)));
  name_ = (st.valid & ZIP_STAT_NAME) && st.name ? st.name : "?";
  if ((st.valid & ZIP_STAT_SIZE) && st.size > limits::kMaxPartBytes)
    throw ReaderError(Kind::TooLarge, "zip part " + name_ + " declares more bytes than the reader accepts");
  if (st.valid & ZIP_STAT_COMP_SIZE) compressed_ = st.comp_size;
  if ((st.valid & ZIP_STAT_ENCRYPTION_METHOD) && st.encryption_method != ZIP_EM_NONE)
    throw ReaderError(Kind::Encrypted, "zip part " + name_ + " is encrypted");
  file_ = zip_fopen_index(archive.archive_, entry, 0);
  if (!file_)
    throw ReaderError(KindOf(zip_error_code_zip(zip_get_error(archive.archive_))),
                      "zip part " + name_ + ": " + ErrorText(zip_get_error(archive.archive_)));
}

ZipArchive::PartReader::~PartReader() {
  if (file_) zip_fclose(file_);
}

std::size_t ZipArchive::PartReader::Read(char* buffer, std::size_t size) {
  const zip_int64_t n = zip_fread(file_, buffer, size);
  if (n < 0) {
    zip_error_t* error = zip_file_get_error(file_);
    throw ReaderError(KindOf(zip_error_code_zip(error)), "zip part " + name_ + ": " + ErrorText(error));
  }
  total_ += static_cast<std::uint64_t>(n);
  if (total_ > limits::kMaxPartBytes)
    throw ReaderError(Kind::TooLarge, "zip part " + name_ + " inflates beyond the reader's cap");
  if (total_ > limits::kRatioCheckFloor && total_ / (compressed_ + 1) > limits::kMaxCompressionRatio)
    throw ReaderError(Kind::TooLarge, "zip part " + name_ + " inflates at a ratio no worksheet reaches");
  return static_cast<std::size_t>(n);
}

}  // namespace voske
