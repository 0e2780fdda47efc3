#include "documents/operator_cells.h"

#include <stdexcept>

#include "documents/cell_date.h"
#include "values/converters.h"

namespace voske {

namespace {

SheetView Registration(const Worksheets& sheets) { return sheets[SheetId::DadosCadastrais]; }

}  // namespace

const Cell& PeriodCell(const Worksheets& sheets) { return Registration(sheets).At(3, Col('B')); }
Text PeriodDate(const Worksheets& sheets) { return DateAt(Registration(sheets), 3, Col('B')); }
Text RegistrationNumberText(const Worksheets& sheets) { return Registration(sheets).TextAt(5, Col('B')); }
Text CnpjText(const Worksheets& sheets) { return Registration(sheets).TextAt(6, Col('B')); }
Text CompanyNameText(const Worksheets& sheets) { return Registration(sheets).TextAt(7, Col('B')); }
Text KindCode(const Worksheets& sheets) { return UpperAscii(Registration(sheets).TextAt(26, Col('B'))); }
Text SubKindCode(const Worksheets& sheets) { return UpperAscii(Registration(sheets).TextAt(27, Col('B'))); }

int ReferenceYear(const Worksheets& sheets) {
  const Text date = PeriodDate(sheets);
  // The converter only returns dates that passed its check, which begin with
  // four digits. Anything else is a fault of the program, and must stop the
  // generation rather than pick the year's sections from other characters.
  int year = 0;
  for (std::size_t i = 0; i < 4; ++i) {
    if (i >= date.size() || date[i] < '0' || date[i] > '9')
      throw std::logic_error("reference date without a four-digit year");
    year = year * 10 + (date[i] - '0');
  }
  return year;
}

bool HasShareholderSheet(const Text& kindCode) { return kindCode != "AUTOG"; }

bool HasMaintainerAssets(const Text& kindCode, const Text& subKindCode) {
  return kindCode == "AUTOG" && subKindCode != "NPATR" && subKindCode != "AUTSM";
}

}  // namespace voske
