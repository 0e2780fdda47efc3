#pragma once
// ReadHeaderValue: takes one value out of the header of a document without
// loading the document: the first non-empty text of an element named
// `child` among the descendants of the first element named `element`,
// looked for child by child. It reads the file as a stream and stops as soon
// as the value is known, so a document of any size costs the same few
// kilobytes. The sender reads the transaction code of the file it is about
// to send this way.
//
// What it keeps in memory is bounded whatever the file holds: only the first
// kMaxHeaderOffset bytes are looked at for the start of `element`, elements
// nested deeper than kMaxDepth end the reading, and the value is cut at
// kMaxValueSize bytes. A document type declaration ends the reading with no
// value (no document of the system has one, and it could declare entities to
// expand), and nothing outside the file is read.
#include <cstddef>
#include <cstdint>
#include <string>

#include "text/text.h"

namespace voske {

struct HeaderValue {
  enum class Outcome {
    Read,        // the file was read as far as needed; `value` may be empty
    Missing,     // no file (or folder) of that name
    Unreadable,  // it exists but cannot be read: access denied, a folder, a device, an I/O error
  };
  Outcome outcome = Outcome::Read;
  Text value;     // Windows-1252, as found (not trimmed)
  int error = 0;  // the system's error number when Unreadable
};

inline constexpr std::uintmax_t kMaxHeaderOffset = 32u * 1024u * 1024u;
inline constexpr int kMaxDepth = 1000;
inline constexpr std::size_t kMaxValueSize = 64u * 1024u;

// `path` is a native (UTF-8) path; `element` and `child` are qualified names
// in Windows-1252 ("oxr:identificador", "oxr:transacao").
HeaderValue ReadHeaderValue(const std::string& path, const Text& element, const Text& child);

}  // namespace voske
