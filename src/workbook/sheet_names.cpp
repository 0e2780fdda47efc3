#include "workbook/sheet_names.h"

#include "text/cp1252.h"

namespace voske {

namespace {

// Converted once, in the order of SheetId.
#define VOSKE_SHEET_NAME(id, name) name,
constexpr std::array<const char*, kSheetCount> kNames = {VOSKE_WORKSHEETS(VOSKE_SHEET_NAME)};
#undef VOSKE_SHEET_NAME

}  // namespace

const Text& SheetName(SheetId id) {
  static const std::array<Text, kSheetCount> names = [] {
    std::array<Text, kSheetCount> out;
    for (std::size_t i = 0; i < kSheetCount; ++i) out[i] = Ansi(kNames[i]);
    return out;
  }();
  return names[static_cast<std::size_t>(id)];
}

}  // namespace voske
