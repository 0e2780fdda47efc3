// The system-neutral part of file_system.h: std::filesystem with UTF-8 paths,
// which uses the wide calls on Windows.
#include "platform/file_system.h"

#include <system_error>

#include "platform/utf8_path.h"

namespace voske::platform {

namespace fs = std::filesystem;

PathKind KindOf(const std::string& path) {
  if (path.empty()) return PathKind::Missing;
  std::error_code ec;
  const fs::file_status status = fs::status(PathOf(path), ec);
  if (ec) return PathKind::Missing;
  switch (status.type()) {
    case fs::file_type::regular: return PathKind::File;
    case fs::file_type::directory: return PathKind::Folder;
    case fs::file_type::not_found:
    case fs::file_type::none: return PathKind::Missing;
    default: return PathKind::Other;
  }
}

bool CreateFolder(const std::string& path) {
  std::error_code ec;
  fs::create_directory(PathOf(path), ec);
  return !ec || IsFolder(path);
}

std::string AbsolutePath(const std::string& path) {
  std::error_code ec;
  const fs::path absolute = fs::absolute(PathOf(path), ec);
  return ec ? path : Utf8Of(absolute.lexically_normal());
}

std::string RealPath(const std::string& path) {
  std::error_code ec;
  const fs::path real = fs::canonical(PathOf(path), ec);
  return ec ? std::string() : Utf8Of(real);
}

std::vector<std::string> FolderEntries(const std::string& path) {
  std::vector<std::string> out;
  std::error_code ec;
  for (fs::directory_iterator it(PathOf(path), ec), end; !ec && it != end; it.increment(ec))
    out.push_back(Utf8Of(it->path()));
  return out;
}

std::string ParentFolder(const std::string& path) { return Utf8Of(PathOf(path).parent_path()); }

std::string JoinPath(const std::string& folder, const std::string& name) {
  return Utf8Of(PathOf(folder) / PathOf(name));
}

std::string FileNameOf(const std::string& path) { return Utf8Of(PathOf(path).filename()); }

}  // namespace voske::platform
