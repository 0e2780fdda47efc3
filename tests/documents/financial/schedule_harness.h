#pragma once
// Runs the year-dependent schedules over a real workbook file: the sample
// model (varied by each test) is written as .xlsx, read back through the
// workbook reader, written under a fresh generator at the document's root,
// saved, and parsed again, so every test checks the file a user would get.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "support/xml_tree.h"

#include "documents/financial/year_schedules.h"
#include "documents/operator_cells.h"
#include "sample_workbook.h"
#include "support/document_checks.h"
#include "support/paths.h"
#include "support/recording_front_end.h"
#include "text/cp1252.h"
#include "values/converters.h"
#include "workbook/worksheet_loader.h"
#include "workbook/worksheets.h"
#include "documents/envelope.h"

namespace voske::support {

inline constexpr SheetId kScheduleSheets[] = {
    SheetId::DadosCadastrais,          SheetId::Intercambio,
    SheetId::Corresponsabilidade,      SheetId::Provisao,
    SheetId::ContratosEstipulados,     SheetId::QuadrosAuxiliaresEventos,
    SheetId::IntercambioEventualReceber, SheetId::IntercambioEventualPagar,
    SheetId::In20};

// The sample operator with its period moved into `year`.
inline sample::Workbook SampleForYear(int year) {
  sample::Workbook wb = sample::MakeSampleWorkbook();
  wb["Dados Cadastrais"].SetDate("B3", year, 1, 1);
  return wb;
}

struct ScheduleRun {
  ScratchDir dir;
  Worksheets sheets;
  RecordingFrontEnd frontEnd;
  int year = 0;
  XmlDocument doc;
  XmlNode root;

  // The root's child of that name (UTF-8), or a null node.
  XmlNode Section(const char* name) const { return root.child(name); }
};

// Writes the schedules of `wb`; an error of the schedules propagates as it is.
inline std::unique_ptr<ScheduleRun> RunSchedules(const sample::Workbook& wb) {
  auto run = std::make_unique<ScheduleRun>();
  const std::string book = (run->dir / "planilha.xlsx").string();
  sample::WriteXlsx(wb, book);
  TUtil util;
  for (SheetId id : kScheduleSheets) {
    WorksheetArray array;
    util.LoadWorksheet(array, book, SheetName(id));
    run->sheets.Set(id, std::move(array));
  }
  run->year = ReferenceYear(run->sheets);

  const std::string xml = (run->dir / "saida.xml").string();
  TXMLGenerator gen(RootElementName(DocumentKind::Financeiro), RootStartTag(DocumentKind::Financeiro), Text(), xml);
  FinancialContext ctx{{run->sheets, gen, run->frontEnd}, run->year};
  WriteYearSchedules(ctx);
  gen.SaveToFile(xml);
  EXPECT_TRUE(StrictlyWellFormed(FileContents(xml)));
  EXPECT_TRUE(run->doc.LoadFile(xml)) << run->doc.error;
  run->root = run->doc.Root();
  return run;
}

// The message of the EVoske that running the schedules of `wb` throws, in
// UTF-8, or "" when it runs through.
inline std::string ScheduleError(const sample::Workbook& wb) {
  try {
    RunSchedules(wb);
  } catch (const EVoske& e) {
    return ToUtf8(e.Message());
  }
  return "";
}

// "name=text" of each child element, in document order.
inline std::vector<std::string> Leaves(XmlNode node) {
  std::vector<std::string> leaves;
  for (XmlNode c : node.children())
    if (c.IsElement()) leaves.push_back(std::string(c.name()) + "=" + c.text());
  return leaves;
}

// The leaves of every child element of `list`, one vector per entry.
inline std::vector<std::vector<std::string>> Entries(XmlNode list) {
  std::vector<std::vector<std::string>> entries;
  for (XmlNode c : list.children())
    if (c.IsElement()) entries.push_back(Leaves(c));
  return entries;
}

// The status lines set, in UTF-8.
inline std::vector<std::string> Statuses(const ScheduleRun& run) { return Utf8Texts(run.frontEnd.statuses); }

}  // namespace voske::support
