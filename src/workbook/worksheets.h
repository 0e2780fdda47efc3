#pragma once
// The worksheet arrays of one generation, by worksheet name. The load
// sequence fills it; the builders only read the arrays it loaded.
#include <map>

#include "text/text.h"
#include "workbook/worksheet_array.h"

namespace voske {

class Worksheets {
 public:
  // The array loaded under `name` (Windows-1252, exact name), or an empty
  // array whose every cell reads as empty when that worksheet was not loaded.
  const WorksheetArray& operator[](const Text& name) const {
    static const WorksheetArray kNone;
    auto it = arrays_.find(name);
    return it == arrays_.end() ? kNone : it->second;
  }
  bool Has(const Text& name) const { return arrays_.count(name) != 0; }
  void Set(const Text& name, WorksheetArray array) { arrays_[name] = std::move(array); }

 private:
  std::map<Text, WorksheetArray> arrays_;
};

}  // namespace voske
