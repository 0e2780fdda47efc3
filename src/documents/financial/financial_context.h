#pragma once
// What every section writer of the financial document works with.
#include "port/front_end.h"
#include "workbook/worksheets.h"
#include "xml/xml_generator.h"

namespace voske {

struct FinancialContext {
  const Worksheets& sheets;
  TXMLGenerator& gen;
  FrontEnd& frontEnd;
  int year;  // reference year: the year of "Dados Cadastrais" B3
};

}  // namespace voske
