// The schedules that depend on the reference year: interchange,
// co-responsibility, provisions, stipulated contracts, coverage events,
// eventual interchange and the IN_20 accounts of the sample operator. Every
// one of them holds data, so a generation for 2013 or later writes each of its
// sections; "Corresponsabilidade" is filled too, for runs moved to 2011/2012.
#include "sample_workbook.h"

namespace voske::sample {
namespace {

// Counterpart operators of the sample, by registration number at the
// regulator (some typed with the usual punctuation, as users do).
constexpr double kOperatorNorte = 312843;
constexpr double kOperatorVale = 41025;  // five digits: written with a leading zero
const char* const kOperatorLitoral = "35.961-7";
constexpr double kOperatorSerra = 368253;
constexpr double kOperatorDental = 402671;

void AddInterchange(Workbook& wb) {
  Sheet& s = wb["Intercâmbio"];
  s.Set("A1", "Intercâmbio - saldos a receber e a pagar");
  s.SetRow(3, 1, {"Operadoras - a receber", {}, "Operadoras - a pagar", {}, "Não operadoras - a receber", {},
                  "Não operadoras - a pagar"});
  s.SetRow(5, 1, {"Registro OXR", "Saldo", "Registro OXR", "Saldo", "CNPJ", "Saldo", "CNPJ", "Saldo"});
  s.SetRow(6, 1, {kOperatorNorte, 48213.57, kOperatorSerra, 12990.0, "12.345.678/0001-95", 3120.4,
                  FormatCnpj("07.654.321/0001"), 1845.0});
  s.SetRow(7, 1, {kOperatorVale, 9310.25, kOperatorLitoral, 7402.13, FormatCnpj("23.456.789/0001"), 980.0});
  s.SetRow(8, 1, {kOperatorLitoral, 150.0});
}

void AddCoResponsibility(Workbook& wb) {
  Sheet& s = wb["Corresponsabilidade"];
  s.Set("A1", "Corresponsabilidade assumida e transferida");
  s.SetRow(3, 1, {"Assumida", {}, "Transferida"});
  s.SetRow(5, 1, {"Registro OXR", "Saldo", "Registro OXR", "Saldo"});
  s.SetRow(6, 1, {kOperatorSerra, 22450.8, kOperatorNorte, 5120.0});
  s.SetRow(7, 1, {kOperatorLitoral, 3300.15});
}

void AddProvisions(Workbook& wb) {
  Sheet& s = wb["Provisão"];
  s.Set("A1", "Provisão de eventos/sinistros a liquidar");
  s.SetRow(3, 1, {"Descrição", {}, "Prazo (dias)", "Valor"});
  s.Set("A4", "Eventos/sinistros avisados até o prazo");
  s.Set("C4", 30.0);
  s.Set("D4", 187342.66);
  s.Set("A5", "Eventos/sinistros avisados após o prazo");
  s.Set("D5", 40218.09);
}

void AddStipulatedContracts(Workbook& wb) {
  Sheet& s = wb["Contratos Estipulados"];
  s.Set("A1", "Contratos estipulados com outras operadoras");
  s.SetRow(5, 1, {"Registro OXR", "Valor do contrato"});
  s.SetRow(6, 1, {kOperatorNorte, 125000.0});
  s.SetRow(7, 1, {kOperatorLitoral, 78450.5});
  s.SetRow(8, 1, {kOperatorDental, 15300.0});
}

// One block of the coverage events: four care networks (rows) by seven kinds
// of expense (columns B to H), with its title and column headings above it.
void SetCoverageBlock(Sheet& s, int firstRow, const char* title, std::initializer_list<std::initializer_list<Value>> rows) {
  s.Set(firstRow - 2, 1, title);
  s.SetRow(firstRow - 1, 2, {"Consultas", "Exames", "Terapias", "Internações", "Outros atendimentos",
                             "Demais despesas", "Odontológico"});
  const char* networks[] = {"Rede própria", "Rede contratada", "Reembolso", "Intercâmbio eventual"};
  int row = firstRow;
  for (const auto& values : rows) {
    s.Set(row, 1, networks[row - firstRow]);
    s.SetRow(row, 2, values);
    ++row;
  }
}

void AddCoverageEvents(Workbook& wb) {
  Sheet& s = wb["Quadros Auxiliares Eventos"];
  s.Set("A1", "Quadros auxiliares - eventos indenizáveis por cobertura");
  s.Set("A8", "Cobertura assistencial médico-hospitalar");
  s.Set("A143", "Cobertura assistencial odontológica");
  SetCoverageBlock(s, 22, "Cobertura 1 - plano IFPL",
                   {{18420.5, 35210.0, 4120.75, 96300.0, 12040.0, 3050.0, {}},
                    {42310.0, 61200.4, 8900.0, 210450.33, 22800.0, 7120.0, {}},
                    {1250.0, {}, {}, 3400.0, {}, {}, {}},
                    {{}, 820.0, {}, 15200.0, {}, {}, {}}});
  SetCoverageBlock(s, 66, "Cobertura 1 - plano PCEL",
                   {{9300.0, 15400.0, 2210.0, 48700.0, 6100.0, 1900.0, {}},
                    {27800.1, 40150.0, 5300.0, 133900.0, 14250.0, 4200.0, {}},
                    {}, {}});
  SetCoverageBlock(s, 99, "Cobertura 2 - plano PLAL", {{}, {3100.0, 4720.0, {}, 11800.0, {}, {}, {}}});
  // Dental cover.
  SetCoverageBlock(s, 147, "Cobertura 1 - plano IFAL",
                   {{{}, {}, {}, {}, {}, {}, 5210.0}, {{}, {}, {}, {}, {}, {}, 8740.35}});
  SetCoverageBlock(s, 268, "Cobertura 2 - plano PCEL",
                   {{{}, {}, {}, {}, {}, {}, 2300.0}, {}, {{}, {}, {}, {}, {}, {}, 410.0}});
}

void AddEventualInterchange(Workbook& wb) {
  Sheet& r = wb["Intercâmbio Eventual Receber"];
  r.Set("A1", "Intercâmbio eventual a receber");
  r.SetRow(3, 1, {"Médico-hospitalar", {}, {}, {}, "Odontológico"});
  r.Set("A4", "A faturar");
  r.Set("B4", 6420.0);
  r.Set("E4", "A faturar");
  r.SetRow(5, 1, {"Registro OXR", "Valor", "Vencimento", {}, "Registro OXR", "Valor", "Vencimento"});
  r.SetRow(6, 1, {kOperatorNorte, 3850.4, {}, {}, kOperatorDental, 720.0});
  r.SetDate(6, 3, 2024, 10, 15);
  r.SetDate(6, 7, 2024, 10, 21);
  r.SetRow(7, 1, {kOperatorVale, 1210.0, "11/11/2024"});

  Sheet& p = wb["Intercâmbio Eventual Pagar"];
  p.Set("A1", "Intercâmbio eventual a pagar");
  p.SetRow(3, 1, {"Médico-hospitalar", {}, {}, {}, "Odontológico"});
  p.SetRow(4, 1, {"Registro OXR", "Valor", "Vencimento", {}, "Registro OXR", "Valor", "Vencimento"});
  p.SetRow(5, 1, {kOperatorSerra, 2975.6, {}, {}, kOperatorDental, 340.0});
  p.SetDate(5, 3, 2024, 10, 31);
  p.SetDate(5, 7, 2024, 11, 5);
  p.SetRow(6, 5, {kOperatorLitoral, 95.5});  // not yet due: no date
}

void AddIn20(Workbook& wb) {
  Sheet& s = wb["IN_20"];
  s.Set("A1", "Conta corrente dos cooperados e tributos passivos");
  s.SetRow(3, 2, {"Débitos com a Fazenda Federal"});
  s.SetRow(4, 2, {"Tributo", "Competência", "Adesão ao REFIS", "Parcelas", "Total financiado", "Total pago",
                  "Saldo do trimestre", "Parcelas devidas", "Pago no trimestre", "Parcelas pagas",
                  "Atualização monetária", "Saldo final"});
  s.SetRow(5, 2, {"I.R.P.J. - Parcelamento (Lei 11.941)", {}, {}, 60.0, 84200.0, 21050.0, 63150.0, 3.0, 4210.0,
                  3.0, 812.44, 59752.44});
  s.SetDate(5, 3, 2024, 9, 30);
  s.SetDate(5, 4, 2009, 11, 30);
  s.SetRow(6, 2, {"CSLL", "30/09/2024", {}, {}, {}, {}, 12400.0, {}, 12400.0, {}, {}, 0.0});
  // The rows between the blocks are the worksheet's own headings.
  s.Set(17, 2, "Débitos com a Fazenda Estadual");
  s.SetRow(18, 2, {"ICMS - Parcelamento estadual", {}, {}, 24.0, 15600.0, 5200.0, 10400.0, 3.0, 1950.0, 3.0, 88.1,
                   8538.1});
  s.SetDate(18, 3, 2024, 9, 30);
  s.Set(30, 2, "Débitos com a Fazenda Municipal");
  s.SetRow(33, 2, {"ISS", {}, {}, {}, {}, {}, 3320.75, {}, 3320.75, {}, {}, 0.0});
  s.SetDate(33, 3, 2024, 9, 30);
  s.Set(43, 2, "Outros débitos");
  s.SetRow(44, 2, {"INSS cota patronal", {}, {}, {}, {}, {}, 18750.0, {}, 18750.0, {}, {}, 0.0});
  s.SetDate(44, 3, 2024, 9, 30);

  s.Set(61, 1, "Tributos passivos");
  s.SetRow(62, 1, {"Código", "Competência", "Valor inicial", "Pago no trimestre", "Atualização monetária",
                   "Saldo final"});
  s.SetRow(63, 1, {"211181", {}, 9800.0, 4900.0, 61.25, 4961.25});
  s.SetDate(63, 2, 2024, 9, 30);
  s.SetRow(64, 1, {"211182", "30/09/2024", 2150.4, {}, {}, 2150.4});
  s.SetRow(66, 1, {"231181", {}, 41200.0, 1716.67, 298.3, 39781.63});
  s.SetDate(66, 2, 2024, 6, 30);
}

}  // namespace

void AddScheduleSheets(Workbook& wb) {
  AddInterchange(wb);
  AddCoResponsibility(wb);
  AddProvisions(wb);
  AddStipulatedContracts(wb);
  AddCoverageEvents(wb);
  AddEventualInterchange(wb);
  AddIn20(wb);
}

}  // namespace voske::sample
