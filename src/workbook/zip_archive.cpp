#include "workbook/zip_archive.h"

#include <zip.h>

#include <cerrno>
#include <cstring>

#include "platform/file_reading.h"
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

class SharedFile {
 public:
  explicit SharedFile(const std::string& path) : file_(path) {
    if (file_.IsOpen()) return;
    if (file_.Error() == EISDIR || file_.Error() == ENODEV)
      throw ReaderError(Kind::FileNotFound, path + ": not a readable file");
    throw ReaderError(Kind::FileNotFound, path + ": " + std::strerror(file_.Error()));
  }
  SharedFile(const SharedFile&) = delete;
  SharedFile& operator=(const SharedFile&) = delete;

  const platform::ReadOnlyFile& file() const { return file_; }
  std::uint64_t size() const { return file_.Size(); }

 private:
  platform::ReadOnlyFile file_;
};

namespace {

// A libzip source reading the shared file with pread at its own offset.
struct PreadSource {
  std::shared_ptr<const SharedFile> file;
  zip_uint64_t offset = 0;
  zip_error_t error;
};

zip_int64_t PreadCallback(void* userdata, void* data, zip_uint64_t len, zip_source_cmd_t cmd) {
  auto* s = static_cast<PreadSource*>(userdata);
  const zip_uint64_t size = s->file->size();
  switch (cmd) {
    case ZIP_SOURCE_OPEN:
      s->offset = 0;
      return 0;
    case ZIP_SOURCE_READ: {
      if (s->offset >= size) return 0;
      const zip_uint64_t want = len < size - s->offset ? len : size - s->offset;
      const std::ptrdiff_t n = s->file->file().ReadAt(s->offset, data, static_cast<std::size_t>(want));
      if (n < 0) {
        zip_error_set(&s->error, ZIP_ER_READ, s->file->file().Error());
        return -1;
      }
      s->offset += static_cast<zip_uint64_t>(n);
      return n;
    }
    case ZIP_SOURCE_CLOSE:
      return 0;
    case ZIP_SOURCE_STAT: {
      zip_stat_t* st = ZIP_SOURCE_GET_ARGS(zip_stat_t, data, len, &s->error);
      if (!st) return -1;
      zip_stat_init(st);
      st->size = size;
      st->valid |= ZIP_STAT_SIZE;
      return sizeof(zip_stat_t);
    }
    case ZIP_SOURCE_ERROR:
      return zip_error_to_data(&s->error, data, len);
    case ZIP_SOURCE_FREE:
      zip_error_fini(&s->error);
      delete s;
      return 0;
    case ZIP_SOURCE_SEEK: {
      const zip_int64_t offset = zip_source_seek_compute_offset(s->offset, size, data, len, &s->error);
      if (offset < 0) return -1;
      s->offset = static_cast<zip_uint64_t>(offset);
      return 0;
    }
    case ZIP_SOURCE_TELL:
      return static_cast<zip_int64_t>(s->offset);
    case ZIP_SOURCE_SUPPORTS:
      return zip_source_make_command_bitmap(ZIP_SOURCE_OPEN, ZIP_SOURCE_READ, ZIP_SOURCE_CLOSE, ZIP_SOURCE_STAT,
                                            ZIP_SOURCE_ERROR, ZIP_SOURCE_FREE, ZIP_SOURCE_SEEK, ZIP_SOURCE_TELL,
                                            ZIP_SOURCE_SUPPORTS, -1);
    default:
      zip_error_set(&s->error, ZIP_ER_OPNOTSUPP, 0);
      return -1;
  }
}

}  // namespace

ZipArchive::ZipArchive(const std::string& path) : file_(std::make_shared<const SharedFile>(path)) { Open(); }

ZipArchive::ZipArchive(std::shared_ptr<const SharedFile> file) : file_(std::move(file)) { Open(); }

std::unique_ptr<ZipArchive> ZipArchive::Reopen() const { return std::unique_ptr<ZipArchive>(new ZipArchive(file_)); }

void ZipArchive::Open() {
  auto* state = new PreadSource{file_, 0, {}};
  zip_error_init(&state->error);
  zip_error_t error;
  zip_error_init(&error);
  zip_source_t* source = zip_source_function_create(PreadCallback, state, &error);
  if (!source) {
    zip_error_fini(&state->error);
    delete state;
    zip_error_fini(&error);
    throw ReaderError(Kind::TooLarge, "zip archive: cannot create a source");
  }
  archive_ = zip_open_from_source(source, ZIP_RDONLY, &error);
  if (!archive_) {
    zip_source_free(source);  // frees `state` too
    const std::string text = ErrorText(&error);
    const int code = zip_error_code_zip(&error);
    zip_error_fini(&error);
    throw ReaderError(code == ZIP_ER_MEMORY ? Kind::TooLarge : Kind::Corrupt, "zip archive: " + text);
  }
  zip_error_fini(&error);
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

std::uint64_t ZipArchive::DeclaredSize(std::uint64_t entry) const {
  zip_stat_t st;
  zip_stat_init(&st);
  if (zip_stat_index(archive_, entry, 0, &st) != 0 || !(st.valid & ZIP_STAT_SIZE)) return 0;
  return st.size;
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
  if (st.valid & ZIP_STAT_SIZE) declared_ = st.size;
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
