#pragma once
// The worksheet arrays of one generation. The load sequence fills it; the
// builders only read the worksheets it loaded.
#include <array>
#include <optional>
#include <stdexcept>
#include <string>

#include "workbook/sheet_names.h"
#include "workbook/sheet_view.h"
#include "workbook/worksheet_array.h"

namespace voske {

// A builder asked for a worksheet that the load sequence did not read for
// this generation. That is a fault of the program, never of the workbook:
// reading it as an empty worksheet would quietly write a wrong document.
class EWorksheetNotLoaded : public std::logic_error {
 public:
  explicit EWorksheetNotLoaded(const Text& name)
      : std::logic_error("worksheet read without being loaded: " + name) {}
};

class Worksheets {
 public:
  // The worksheet loaded under `id`; EWorksheetNotLoaded when it was not.
  SheetView operator[](SheetId id) const {
    const std::optional<WorksheetArray>& slot = arrays_[Index(id)];
    if (!slot) throw EWorksheetNotLoaded(SheetName(id));
    return SheetView(id, *slot);
  }
  // Whether the load sequence read `id`, for the reads that depend on it.
  bool Loaded(SheetId id) const { return arrays_[Index(id)].has_value(); }
  void Set(SheetId id, WorksheetArray array) { arrays_[Index(id)] = std::move(array); }

 private:
  static std::size_t Index(SheetId id) { return static_cast<std::size_t>(id); }
  std::array<std::optional<WorksheetArray>, kSheetCount> arrays_;
};

}  // namespace voske
