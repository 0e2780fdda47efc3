// oxr:informacoesSolvencia: "Solvência" holds two forms side by side, the
// insurers' (columns E-G) and the other operators' (columns A-C). The
// operator's kind picks the form and the element names. Each form has fixed
// entry lines from row 6 and a list of participations in congeners from
// row 17 down to the first blank CNPJ.
#include <exception>

#include "documents/financial/financial_sections.h"
#include "documents/financial/financial_values.h"
#include "documents/financial/schedule_rules.h"
#include "documents/operator_cells.h"
#include "text/cp1252.h"
#include "values/converters.h"

namespace voske {

namespace {

struct SolvencyForm {
  const char* container;
  const char* entry;
  int lastEntryRow;
  int accountColumn;
  int amountColumn;
  int congenerCnpjColumn;
  int congenerAmountColumn;
};

constexpr SolvencyForm kInsurerForm = {"oxr:informacoesSolvenciaSegur", "oxr:lancInformacoesSolvenciaSegur", 10,
                                       Col('E'), Col('G'), Col('E'), Col('F')};
constexpr SolvencyForm kOperatorForm = {"oxr:informacoesSolvenciaOper", "oxr:lancInformacoesSolvenciaOper", 12,
                                        Col('A'), Col('C'), Col('A'), Col('B')};
constexpr int kFirstSolvencyRow = 6;
constexpr int kFirstCongenerRow = 17;

void WriteSolvencyForm(FinancialContext& ctx, const SolvencyForm& form) {
  TXMLGenerator& gen = ctx.gen;
  const SheetView sheet = ctx.Sheet(SheetId::Solvencia);
  const Text container = form.container;
  gen.AddElement(container);
  const Text sheetName = Ansi("Solvência");
  for (int row = kFirstSolvencyRow; row <= form.lastEntryRow; ++row) {
    gen.AddElement(form.entry);
    gen.AddTextElement("oxr:conta", sheet.TextAt(row, form.accountColumn), CellOrigin{sheetName, row, form.accountColumn});
    WriteAmount(gen, "oxr:valor", AmountOf(sheet.At(row, form.amountColumn)),
                CellOrigin{sheetName, row, form.amountColumn});
    gen.ReturnTo(container);
  }
  for (int row = kFirstCongenerRow; !Trim(sheet.TextAt(row, form.congenerCnpjColumn)).empty(); ++row) {
    gen.AddElement("oxr:participacaoCongenere");
    gen.AddTextElement("oxr:CNPJ", ZeroPadCode(sheet.TextAt(row, form.congenerCnpjColumn), 14),
                       CellOrigin{sheetName, row, form.congenerCnpjColumn});
    WriteAmount(gen, "oxr:valor", AmountOf(sheet.At(row, form.congenerAmountColumn)),
                CellOrigin{sheetName, row, form.congenerAmountColumn});
    gen.ReturnTo(container);
  }
}

}  // namespace

void WriteSolvencyInformation(FinancialContext& ctx) {
  ScheduleStatus(ctx, "Gerando Margem de Solvencia");
  const Text kind = KindCode(ctx.sheets);
  const SolvencyForm& form = kind == "SEGUR" || kind == "SGSAU" ? kInsurerForm : kOperatorForm;
  // Whatever goes wrong here is told as a failure of this section.
  const auto wrap = [](const Text& cause) {
    return EGenerica(Ansi("Erro na inclusão das \"Informações de Solvência\".") + CR + cause);
  };
  try {
    ctx.gen.ReturnTo(kFinancialRoot);
    ctx.gen.AddElement("oxr:informacoesSolvencia");
    WriteSolvencyForm(ctx, form);
  } catch (const EVoske& e) {
    throw wrap(e.Message());
  } catch (const std::exception& e) {
    throw wrap(FromUtf8(e.what()));
  }
}

}  // namespace voske
