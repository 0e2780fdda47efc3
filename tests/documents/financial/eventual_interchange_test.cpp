// Eventual interchange: receivables from row 6 and payables from row 5, the
// medical ("H") rows before the dental ("O") rows, due dates, and the amounts
// still to invoice after every receivable.
#include "schedule_harness.h"

namespace voske::support {
namespace {

using Entry = std::vector<std::string>;

Entry Eventual(const char* registration, const char* amount, const char* cover, const char* due) {
  return {std::string("oxr:registroOperadora=") + registration, std::string("oxr:saldoIntercambio=") + amount,
          std::string("oxr:tipoCobertura=") + cover, std::string("oxr:dataVencimento=") + due};
}
Entry ToInvoice(const char* amount, const char* cover) {
  return {std::string("oxr:saldo=") + amount, std::string("oxr:tipoCobertura=") + cover};
}

TEST(EventualInterchange, ReceivablesThenPayables) {
  auto run = RunSchedules(SampleForYear(2013));
  XmlNode section = run->Section("oxr:intercambioEventual");
  EXPECT_EQ(ChildNames(section),
            (std::vector<std::string>{"oxr:intercambioAReceberEventual", "oxr:intercambioAPagarEventual"}));
  XmlNode receivables = section.child("oxr:intercambioAReceberEventual");
  EXPECT_EQ(ChildNames(receivables),
            (std::vector<std::string>{"oxr:lancIntercambioReceberEventual", "oxr:lancIntercambioReceberEventual",
                                      "oxr:lancIntercambioReceberEventual", "oxr:intercambioAFaturar"}));
  // A date cell and a typed dd/mm/yyyy both become yyyy-mm-dd.
  EXPECT_EQ(Entries(receivables),
            (std::vector<Entry>{Eventual("312843", "3850.4", "H", "2024-10-15"),
                                Eventual("041025", "1210.0", "H", "2024-11-11"),
                                Eventual("402671", "720.0", "O", "2024-10-21"), ToInvoice("6420.0", "H")}));
  XmlNode payables = section.child("oxr:intercambioAPagarEventual");
  EXPECT_EQ(payables.first_child().name(), "oxr:lancIntercambioPagarEventual");
  // An entry not yet due keeps an empty due-date element.
  EXPECT_EQ(Entries(payables), (std::vector<Entry>{Eventual("368253", "2975.6", "H", "2024-10-31"),
                                                   Eventual("402671", "340.0", "O", "2024-11-05"),
                                                   Eventual("359617", "95.5", "O", "")}));
}

// A dental-only operator has no medical rows; its dental receivables and the
// amount it still has to invoice must reach the document all the same.
TEST(EventualInterchange, DentalRowsAloneAreWritten) {
  sample::Workbook wb = SampleForYear(2013);
  sample::Sheet& r = wb["Intercâmbio Eventual Receber"];
  for (const char* cell : {"A6", "B6", "C6", "A7", "B7", "C7", "B4"}) r.Clear(cell);
  r.Set("F4", 150.0);
  wb["Intercâmbio Eventual Pagar"].ClearRowsFrom(5);
  auto run = RunSchedules(wb);
  XmlNode section = run->Section("oxr:intercambioEventual");
  EXPECT_EQ(ChildNames(section), (std::vector<std::string>{"oxr:intercambioAReceberEventual"}));
  EXPECT_EQ(Entries(section.child("oxr:intercambioAReceberEventual")),
            (std::vector<Entry>{Eventual("402671", "720.0", "O", "2024-10-21"), ToInvoice("150.0", "O")}));
}

TEST(EventualInterchange, RowsBelowTheFirstDataRowAreNotRead) {
  sample::Workbook wb = SampleForYear(2013);
  wb["Intercâmbio Eventual Receber"].ClearRowsFrom(6);
  sample::Sheet& p = wb["Intercâmbio Eventual Pagar"];
  p.ClearRowsFrom(5);
  p.SetRow(6, 1, {368253.0, 2975.6, {}, {}, 402671.0, 340.0});
  auto run = RunSchedules(wb);
  EXPECT_FALSE(run->Section("oxr:intercambioEventual"));
  for (const std::string& status : Statuses(*run)) EXPECT_EQ(status.find("Eventual"), std::string::npos);
}

}  // namespace
}  // namespace voske::support
