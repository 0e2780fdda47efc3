// Interchange and co-responsibility: the ledger lists, read row by row until
// the first blank key, operators' rows before non-operators' rows.
#include "schedule_harness.h"

namespace voske::support {
namespace {

using Entry = std::vector<std::string>;
using EntryList = std::vector<Entry>;

Entry Operator(const char* registration, const char* amount) {
  return {std::string("oxr:registroOperadora=") + registration, std::string("oxr:saldoIntercambio=") + amount};
}
Entry NonOperator(const char* cnpj, const char* amount) {
  return {std::string("oxr:cnpjNaoOperadora=") + cnpj, std::string("oxr:saldoIntercambio=") + amount};
}

TEST(Interchange, ListsHoldOperatorRowsThenNonOperatorRows) {
  auto run = RunSchedules(SampleForYear(2012));
  XmlNode section = run->Section("oxr:intercambio");
  EXPECT_EQ(ChildNames(section), (std::vector<std::string>{"oxr:intercambioAReceber", "oxr:intercambioAPagar"}));
  for (XmlNode entry : section.child("oxr:intercambioAReceber").children())
    EXPECT_EQ(entry.name(), "oxr:lancIntercambioReceber");
  // Registration numbers and CNPJs lose their punctuation and get their
  // leading zeros; whole amounts get their ".0".
  EXPECT_EQ(Entries(section.child("oxr:intercambioAReceber")),
            (EntryList{Operator("312843", "48213.57"), Operator("041025", "9310.25"), Operator("359617", "150.0"),
                       NonOperator("12345678000195", "3120.4"), NonOperator("23456789000195", "980.0")}));
  EXPECT_EQ(Entries(section.child("oxr:intercambioAPagar")),
            (EntryList{Operator("368253", "12990.0"), Operator("359617", "7402.13"),
                       NonOperator("07654321000159", "1845.0")}));
}

TEST(Interchange, NonOperatorRowsAloneStillOpenTheirList) {
  sample::Workbook wb = SampleForYear(2012);
  for (int row = 6; row <= 8; ++row) {
    wb["Intercâmbio"].Clear(row, 1);
    wb["Intercâmbio"].Clear(row, 3);
  }
  auto run = RunSchedules(wb);
  XmlNode section = run->Section("oxr:intercambio");
  EXPECT_EQ(Entries(section.child("oxr:intercambioAReceber")),
            (EntryList{NonOperator("12345678000195", "3120.4"), NonOperator("23456789000195", "980.0")}));
  EXPECT_EQ(Entries(section.child("oxr:intercambioAPagar")), (EntryList{NonOperator("07654321000159", "1845.0")}));
}

TEST(Interchange, BlankKeyEndsTheListAndEmptyAmountIsZero) {
  sample::Workbook wb = SampleForYear(2012);
  wb["Intercâmbio"].Set("A7", "   ");  // blanks only: blank, so row 8 is never read
  wb["Intercâmbio"].Clear("B6");
  wb["Intercâmbio"].Clear("E6");  // no non-operator receivable at all
  wb["Intercâmbio"].Clear("E7");
  auto run = RunSchedules(wb);
  EXPECT_EQ(Entries(run->Section("oxr:intercambio").child("oxr:intercambioAReceber")),
            (EntryList{Operator("312843", "0.0")}));
}

TEST(Interchange, LayoutOf2010ReadsOperatorsFromRowFive) {
  sample::Workbook wb = SampleForYear(2010);
  sample::Sheet& s = wb["Intercâmbio"];
  s.ClearRowsFrom(5);
  s.SetRow(5, 1, {"1234-5", 800.0, {}, {}, "12.345.678/0001-95", 10.0});  // columns 5-8 do not exist in 2010
  s.SetRow(6, 1, {"312843", 25.5});
  auto run = RunSchedules(wb);
  XmlNode section = run->Section("oxr:intercambio");
  EXPECT_EQ(ChildNames(section), (std::vector<std::string>{"oxr:intercambioAReceber"}));
  EXPECT_EQ(Entries(section.child("oxr:intercambioAReceber")),
            (EntryList{Operator("012345", "800.0"), Operator("312843", "25.5")}));
}

TEST(CoResponsibility, AssumedAndTransferredLists) {
  auto run = RunSchedules(SampleForYear(2011));
  XmlNode section = run->Section("oxr:corresponsabilidade");
  EXPECT_EQ(Entries(section.child("oxr:corresponsabilidadeAssumida")),
            (EntryList{Operator("368253", "22450.8"), Operator("359617", "3300.15")}));
  EXPECT_EQ(Entries(section.child("oxr:corresponsabilidadeTransferida")), (EntryList{Operator("312843", "5120.0")}));
  EXPECT_EQ(section.child("oxr:corresponsabilidadeAssumida").first_child().name(),
               "oxr:lancCorresponsabilidadeAssumida");
  EXPECT_EQ(section.child("oxr:corresponsabilidadeTransferida").first_child().name(),
               "oxr:lancCorresponsabilidadeTransferida");

  sample::Workbook wb = SampleForYear(2012);
  wb["Corresponsabilidade"].Clear("A6");
  wb["Corresponsabilidade"].Clear("C6");
  EXPECT_FALSE(RunSchedules(wb)->Section("oxr:corresponsabilidade"));
}

}  // namespace
}  // namespace voske::support
