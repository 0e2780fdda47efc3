#pragma once
// The key cells of "Dados Cadastrais": who the operator is, its kind and the
// period the documents report. The load sequence, the envelope and both
// builders read them here and nowhere else.
#include "text/text.h"
#include "workbook/worksheets.h"

namespace voske {

// B3: the period's date, as the cell holds it (a day serial or a text).
const Cell& PeriodCell(const Worksheets& sheets);
// B3 as the documents write it: "yyyy-mm-dd", the date the user sees in the
// cell whichever date system the workbook was saved in. Raises the
// converter's invalid-date message when B3 is no date.
Text PeriodDate(const Worksheets& sheets);
// B5: the operator's registration number at the regulator, as typed.
Text RegistrationNumberText(const Worksheets& sheets);
// B6: the operator's CNPJ, as typed.
Text CnpjText(const Worksheets& sheets);
// B7: the company name, as typed.
Text CompanyNameText(const Worksheets& sheets);
// B26 and B27 in upper case (letters a-z only): the kind and sub-kind codes.
Text KindCode(const Worksheets& sheets);
Text SubKindCode(const Worksheets& sheets);

// The reference year: the year of PeriodDate. Raises the
// converter's invalid-date message when B3 is no date.
int ReferenceYear(const Worksheets& sheets);

// A self-managed operator ("AUTOG") has no shareholders: "Acionistas" is
// neither read nor written for it.
bool HasShareholderSheet(const Text& kindCode);
// A self-managed operator with a maintainer also declares the maintainer's
// linked assets, unless it is a non-patrocinated ("NPATR") or a
// single-maintainer ("AUTSM") one.
bool HasMaintainerAssets(const Text& kindCode, const Text& subKindCode);

}  // namespace voske
