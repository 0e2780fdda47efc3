#pragma once
// Workbooks that the spreadsheet program encrypted on its own. When a
// 97-2003 workbook is saved with its structure protected but without a
// password to open, it is still RC4-encrypted, with the fixed password
// "VelvetSweatshop", and the spreadsheet opens it without asking. Such a
// file is decrypted here; any other password really is a password to open.
#include <cstddef>
#include <vector>

namespace voske::biff {

// The password the spreadsheet program uses when the user gave none.
inline constexpr char kDefaultPassword[] = "VelvetSweatshop";

// Decrypts in place the records of `stream` that follow its FILEPASS
// record, whose data starts at `filePassData` and runs `filePassLength`
// bytes. Returns false, and leaves the stream as it was, when the
// encryption is of a kind not read here (XOR obfuscation) or when
// `password` is not the one it was made with.
bool DecryptWorkbookStream(std::vector<unsigned char>& stream, std::size_t filePassData, std::size_t filePassLength,
                           const char* password = kDefaultPassword);

}  // namespace voske::biff
