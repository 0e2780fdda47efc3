#pragma once
// Questions and small changes about files and folders, by UTF-8 path. None
// of these throws: each answers for what is there at the moment it looks.
#include <string>
#include <vector>

namespace voske::platform {

enum class PathKind { Missing, File, Folder, Other };

// What `path` names, links followed: a regular file, a folder, something
// else (a pipe, a device), or nothing that can be seen (also when a folder
// on the way cannot be searched). An empty path is Missing.
PathKind KindOf(const std::string& path);
inline bool IsFile(const std::string& path) { return KindOf(path) == PathKind::File; }
inline bool IsFolder(const std::string& path) { return KindOf(path) == PathKind::Folder; }

// Removes the file at `path` (never a folder). False when it could not.
bool RemoveFile(const std::string& path);
// Creates the folder `path` (its parent must exist). True when it was created
// or already was a folder.
bool CreateFolder(const std::string& path);

// `path` made absolute against the current folder and normalised without
// looking at the disk ("a/./b/../c" gives "<cwd>/a/c"). `path` itself when
// the current folder cannot be read.
std::string AbsolutePath(const std::string& path);
// `path` with every link and "." / ".." resolved; empty when it does not exist.
std::string RealPath(const std::string& path);
// The full paths of the entries of the folder `path`, in no particular order;
// empty when it cannot be listed.
std::vector<std::string> FolderEntries(const std::string& path);

// The system's preferred separator between the parts of a path ("/" or "\").
char PathSeparator();
// The folder part of `path` ("" for a bare name), and `folder` joined with
// `name` by the system's separator.
std::string ParentFolder(const std::string& path);
std::string JoinPath(const std::string& folder, const std::string& name);
// The last component of `path`.
std::string FileNameOf(const std::string& path);

// Whether an errno value says the disk, or the user's share of it, is full.
bool IsDiskFull(int error);

// Makes `path` the process's current folder. Returns 0, or the errno value
// of the failure.
int SetCurrentFolder(const std::string& path);

}  // namespace voske::platform
