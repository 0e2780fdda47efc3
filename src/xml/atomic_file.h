#pragma once
// Writing a generated document so that it appears whole or not at all.
#include <functional>
#include <string>
#include <string_view>

namespace voske {

// Writes `content` to a temporary file in the folder of `fileName` (a native
// path), flushes it to disk and renames it over `fileName`. Raises
// EGravaArquivo with a message naming the file; on failure neither the
// temporary file nor a partial `fileName` is left, and an existing file of
// that name is untouched.
void WriteFileAtomically(const std::string& fileName, std::string_view content);

// The same, with the content produced piece by piece: `produce` hands each
// piece, in order, to the writer it is given. A large document is then never
// held whole in memory. Whatever `produce` throws ends the write the same
// way, leaving nothing.
using PieceWriter = std::function<void(std::string_view piece)>;
void WriteFileAtomically(const std::string& fileName, const std::function<void(const PieceWriter&)>& produce);

}  // namespace voske
