// The registration worksheets of the sample operator, a fictional group
// medicine operator in São Paulo: "Dados Cadastrais" and its "Listas",
// administrators and responsibles, representatives, shareholders,
// controlled companies and branches. Every registration section is written
// from them, with phones, faxes and addresses everywhere the document has
// them. Tax numbers carry valid check digits.
#include <stdexcept>

#include "sample_workbook.h"

namespace voske::sample {

namespace {

// The modulus-11 check digit over `digits` with the given weights.
char CheckDigit(const std::string& digits, std::initializer_list<int> weights) {
  int sum = 0;
  size_t i = 0;
  for (int w : weights) sum += (digits.at(i++) - '0') * w;
  const int r = sum % 11;
  return static_cast<char>('0' + (r < 2 ? 0 : 11 - r));
}

std::string OnlyDigits(const std::string& s) {
  std::string d;
  for (char c : s)
    if (c >= '0' && c <= '9') d.push_back(c);
  return d;
}

}  // namespace

std::string FormatCnpj(const std::string& first12) {
  std::string d = OnlyDigits(first12);
  if (d.size() != 12) throw std::invalid_argument("a CNPJ needs 12 digits before its check digits: " + first12);
  d.push_back(CheckDigit(d, {5, 4, 3, 2, 9, 8, 7, 6, 5, 4, 3, 2}));
  d.push_back(CheckDigit(d, {6, 5, 4, 3, 2, 9, 8, 7, 6, 5, 4, 3, 2}));
  return d.substr(0, 2) + "." + d.substr(2, 3) + "." + d.substr(5, 3) + "/" + d.substr(8, 4) + "-" + d.substr(12);
}

std::string FormatCpf(const std::string& first9) {
  std::string d = OnlyDigits(first9);
  if (d.size() != 9) throw std::invalid_argument("a CPF needs 9 digits before its check digits: " + first9);
  d.push_back(CheckDigit(d, {10, 9, 8, 7, 6, 5, 4, 3, 2}));
  d.push_back(CheckDigit(d, {11, 10, 9, 8, 7, 6, 5, 4, 3, 2}));
  return d.substr(0, 3) + "." + d.substr(3, 3) + "." + d.substr(6, 3) + "-" + d.substr(9);
}

namespace {

// The people and firms the worksheets refer to more than once.
struct Parties {
  std::string operatorCnpj = FormatCnpj("24.681.357/0001");
  std::string branchCampinas = FormatCnpj("24.681.357/0002");
  std::string branchSantos = FormatCnpj("24.681.357/0003");
  std::string postGuarulhos = FormatCnpj("24.681.357/0004");
  std::string holding = FormatCnpj("31.902.648/0001");
  std::string fund = FormatCnpj("18.337.205/0001");
  std::string auditFirm = FormatCnpj("07.415.926/0001");
  std::string clinic = FormatCnpj("42.118.570/0001");
  std::string hospital = FormatCnpj("29.764.031/0001");
  std::string helena = FormatCpf("284.615.937");    // chief executive, first representative
  std::string ricardo = FormatCpf("319.427.586");   // financial director
  std::string fernanda = FormatCpf("402.156.873");  // medical director
  std::string marcos = FormatCpf("357.902.418");    // second representative
  std::string paulo = FormatCpf("215.348.769");     // accountant
  std::string juliana = FormatCpf("268.491.735");   // actuary
  std::string andre = FormatCpf("193.682.457");     // technical responsible, medicine
  std::string beatriz = FormatCpf("236.817.594");   // technical responsible, dentistry
};

void AddDadosCadastrais(Sheet& s, const Parties& p) {
  s.Set("A1", "Dados Cadastrais da Operadora");
  s.Set("A3", "Data base");
  s.SetDate("B3", 2024, 7, 1);
  s.Set("A5", "Registro na OXR");
  s.Set("B5", "41872-3");
  s.Set("A6", "CNPJ");
  s.Set("B6", p.operatorCnpj);
  s.Set("A7", "Razão social");
  s.Set("B7", "Serra Azul Assistência Médica Ltda.");
  s.Set("A8", "Nome fantasia");
  s.Set("B8", "Serra Azul Saúde");
  s.Set("A10", "E-mail");
  s.Set("B10", "regulatorio@serraazulsaude.com.br");

  s.Set("A14", "Endereço da sede");
  s.SetRow(15, 1, {"Logradouro", "Avenida Paulista", "Número", 1842.0});
  s.SetRow(16, 1, {"Complemento", "Conjunto 155", "CEP", 1310200.0});  // 01310-200 typed as a number
  s.SetRow(17, 1, {"Bairro", "Bela Vista", "Município (IBGE)", 355030.0});
  s.Set("A19", "Endereço para correspondência");
  s.SetRow(20, 1, {"Logradouro", "Rua Barão de Jaguara", "Número", "1481"});
  s.SetRow(21, 1, {"Complemento", "Sala 72", "CEP", "13015-910"});
  s.SetRow(22, 1, {"Bairro", "Centro", "Município (IBGE)", "350950"});  // a code typed as text

  s.Set("A25", "Enquadramento");
  s.SetRow(26, 1, {"Modalidade", "MEGRP"});
  s.SetRow(27, 1, {"Segmentação", "SPP"});

  // Telephones and faxes of the head office, G6:K6 and below.
  s.SetRow(5, 7, {"Tipo", "DDI", "DDD", "Número", "Ramal"});
  s.SetRow(6, 7, {"T", 55.0, 11.0, "3251-4000", 210.0});
  s.SetRow(7, 7, {"F", 55.0, 11.0, "3251-4099"});
  s.SetRow(8, 7, {"T", 55.0, 19.0, "3234-8800"});

  // Area of operation, as the user typed it, unsorted.
  s.Set("A31", "Área de atuação");
  s.SetRow(32, 1, {"UF", "Município (IBGE)"});
  s.SetRow(33, 1, {"SP", 354850.0});
  s.SetRow(34, 1, {"RJ", "TODOS"});
  s.SetRow(35, 1, {"SP", 350950.0});
  s.SetRow(36, 1, {"SP", 355030.0});
  s.SetRow(37, 1, {"MG", 310620.0});
  s.SetRow(38, 1, {"SP", 351880.0});
}

void AddListas(Sheet& s) {
  s.Set("A2", "Municípios");
  s.SetRow(4, 1, {"Código IBGE", "UF", "Município"});
  struct Municipality {
    double code;
    const char* uf;
    const char* name;
  };
  // Six-digit IBGE codes, as the regulator's documents carry them.
  const Municipality kMunicipalities[] = {
      {355030, "SP", "São Paulo"},     {350950, "SP", "Campinas"},      {354850, "SP", "Santos"},
      {351880, "SP", "Guarulhos"},     {354870, "SP", "São Bernardo do Campo"},
      {354780, "SP", "Santo André"},   {330455, "RJ", "Rio de Janeiro"}, {330330, "RJ", "Niterói"},
      {310620, "MG", "Belo Horizonte"}, {313670, "MG", "Juiz de Fora"},  {410690, "PR", "Curitiba"},
      {431490, "RS", "Porto Alegre"},  {420540, "SC", "Florianópolis"}, {292740, "BA", "Salvador"},
      {261160, "PE", "Recife"},        {230440, "CE", "Fortaleza"},     {530010, "DF", "Brasília"},
  };
  int row = 5;
  for (const Municipality& m : kMunicipalities) s.SetRow(row++, 1, {m.code, m.uf, m.name});
}

void AddAdministradores(Sheet& s, const Parties& p) {
  s.Set("A2", "Administradores");
  s.SetRow(4, 1, {"CPF", "Nome", "Nome da mãe", "Cargo", "Início do mandato", "Fim do mandato"});
  s.SetRow(5, 1, {p.helena, "Helena Duarte Figueiredo", "Maria Aparecida Duarte", 1.0});
  s.SetDate(5, 5, 2022, 4, 1);
  s.SetDate(5, 6, 2026, 3, 31);
  s.SetRow(6, 1, {p.ricardo, "Ricardo Almeida Tavares", "Sônia Regina Almeida", 2.0});
  s.SetDate(6, 5, 2022, 4, 1);
  s.SetDate(6, 6, 2026, 3, 31);
  s.SetRow(7, 1, {p.fernanda, "Fernanda Lopes Carvalho", "Célia Maria Lopes", 7.0});
  s.SetDate(7, 5, 2023, 8, 15);  // mandate without a fixed end

  // Technical responsibles: medical and dental council.
  s.SetRow(4, 8, {"Conselho", "CPF", "Registro no conselho"});
  s.SetRow(5, 8, {"M", p.andre, "98765/SP"});
  s.SetRow(6, 8, {"D", p.beatriz, "45321/SP"});

  // Responsible persons (C accounting, T actuarial, U audit) and firms.
  s.SetRow(9, 8, {"Responsabilidade", "CPF", "Nome", "Registro profissional"});
  s.SetRow(10, 8, {"C", p.paulo, "Paulo Henrique Nogueira", "1SP245678/O-3"});
  s.SetRow(11, 8, {"T", p.juliana, "Juliana Castro Mendes", "MIBA 2157"});
  s.SetRow(15, 8, {"Responsabilidade", "CNPJ", "Razão social", "Registro profissional"});
  s.SetRow(16, 8, {"U", p.auditFirm, "Moreira & Associados Auditores Independentes", "2SP031245/O-8"});
}

void AddRepresentantes(Sheet& s, const Parties& p) {
  s.Set("A3", "Representante junto à OXR");
  s.SetRow(4, 1, {"CPF", p.helena});
  s.SetRow(5, 1, {"Nome", "Helena Duarte Figueiredo"});
  s.SetRow(6, 1, {"E-mail", "helena.figueiredo@serraazulsaude.com.br"});
  s.SetRow(4, 4, {"Logradouro", "Rua Haddock Lobo", "Número", "595"});
  s.SetRow(5, 4, {"Complemento", "Apto 81", "CEP", "01414-001"});
  s.SetRow(6, 4, {"Bairro", "Cerqueira César", "Município", 355030.0});

  s.Set("A8", "Representante (identificação completa)");
  s.SetRow(9, 1, {"CPF", p.marcos});
  s.SetRow(10, 1, {"Nome", "Marcos Vinícius Prado"});
  s.SetRow(11, 1, {"E-mail", "marcos.prado@serraazulsaude.com.br"});
  s.SetRow(12, 1, {"RG", "32.415.876-2"});
  s.Set("A13", "Data de expedição");
  s.SetDate("B13", 2015, 5, 12);
  s.Set("A14", "Validade");
  s.SetDate("B14", 2030, 5, 12);
  s.SetRow(15, 1, {"Órgão expedidor", "SSP/SP"});
  s.SetRow(16, 1, {"País", "1"});
  s.SetRow(17, 1, {"Cargo", "3"});
  s.SetRow(9, 4, {"Logradouro", "Rua Barão de Jaguara", "Número", "1481"});
  s.SetRow(10, 4, {"Complemento", "Sala 72", "CEP", 13015910.0});
  s.SetRow(11, 4, {"Bairro", "Centro", "Município", "350950"});

  // Phones of both representatives, told apart by the owner's CPF, typed here
  // without punctuation.
  auto digits = [](const std::string& cpf) {
    std::string d;
    for (char c : cpf)
      if (c >= '0' && c <= '9') d.push_back(c);
    return d;
  };
  s.SetRow(4, 9, {"CPF", "Tipo", "DDI", "DDD", "Número", "Ramal"});
  s.SetRow(5, 9, {digits(p.helena), "T", 55.0, 11.0, "99812-3344"});
  s.SetRow(6, 9, {digits(p.helena), "T", 55.0, 11.0, "3251-4000", 201.0});
  s.SetRow(7, 9, {digits(p.helena), "F", 55.0, 11.0, "3251-4099"});
  s.SetRow(8, 9, {digits(p.marcos), "T", 55.0, 19.0, "3234-8800", 15.0});
  s.SetRow(9, 9, {digits(p.marcos), "T", 55.0, 19.0, "98123-4567"});
  s.SetRow(10, 9, {digits(p.marcos), "F", 55.0, 19.0, "3234-8801"});
}

void AddAcionistas(Sheet& s, const Parties& p) {
  s.Set("A1", "Acionistas / Quotistas");
  s.SetRow(3, 1, {"Capital totalmente pulverizado (S/N)", "N"});
  s.SetRow(5, 1, {"Total de ações ou quotas", 1500000.0});
  s.SetRow(8, 1, {"CNPJ", "Razão social", "Quantidade", {}, {}, "CPF", "Nome", "Quantidade"});
  s.SetRow(9, 1, {p.holding, "Serra Azul Participações S.A.", 900000.0, {}, {}, p.helena,
                  "Helena Duarte Figueiredo", 300000.0});
  s.SetRow(10, 6, {p.ricardo, "Ricardo Almeida Tavares", 150000.0});
  s.SetRow(11, 1, {p.fund, "Fundo Vale Verde de Investimento em Participações", 150000.0});
}

void AddControladas(Sheet& s, const Parties& p) {
  s.Set("A2", "Controladas e coligadas");
  s.SetRow(4, 1, {"CNPJ", "Razão social", "Tipo de vínculo", "Classificação", "Ações ou quotas detidas",
                  "Total de ações ou quotas"});
  s.SetRow(5, 1, {p.clinic, "Clínica Serra Azul Diagnósticos Ltda.", "CTRL", "PREST", 980000.0, 1000000.0});
  s.SetRow(6, 1, {p.hospital, "Hospital Vale do Sol S.A.", "colig", "prest", 2400000.0, 8000000.0});
}

void AddDependencias(Sheet& s, const Parties& p) {
  s.Set("A2", "Dependências");
  s.SetRow(4, 1, {"CNPJ", "Razão social", "Tipo", "E-mail"});
  s.SetRow(5, 1, {p.branchCampinas, "Serra Azul Assistência Médica Ltda. - Filial Campinas", "FILIAL",
                  "campinas@serraazulsaude.com.br"});
  s.SetRow(6, 1, {p.branchSantos, "Serra Azul Assistência Médica Ltda. - Filial Santos", "Filial"});
  s.SetRow(7, 1, {p.postGuarulhos, "Serra Azul Assistência Médica Ltda. - Posto Guarulhos", "outra",
                  "guarulhos@serraazulsaude.com.br"});

  s.SetRow(4, 6, {"CNPJ", "Logradouro", "Número", "Complemento", "Bairro", "Município", "CEP"});
  s.SetRow(5, 6, {p.branchCampinas, "Avenida Norte-Sul", "1200", "Loja 3", "Cambuí", 350950.0, "13025-320"});
  s.SetRow(6, 6, {p.branchSantos, "Avenida Ana Costa", "259", {}, "Gonzaga", 354850.0, 11060001.0});
  s.SetRow(7, 6, {p.postGuarulhos, "Rua Sete de Setembro", "88", {}, "Centro", "351880", "07011-020"});

  s.SetRow(4, 14, {"CNPJ", "Tipo", "DDI", "DDD", "Número", "Ramal"});
  s.SetRow(5, 14, {p.branchCampinas, "T", 55.0, 19.0, "3255-1200"});
  s.SetRow(6, 14, {p.branchCampinas, "F", 55.0, 19.0, "3255-1299"});
  s.SetRow(7, 14, {p.branchSantos, "T", 55.0, 13.0, "3284-7700"});
  s.SetRow(8, 14, {p.branchSantos, "T", 55.0, 13.0, "3284-7701", 12.0});
  s.SetRow(9, 14, {p.postGuarulhos, "T", 55.0, 11.0, "2408-3300"});
}

}  // namespace

void AddCadastralSheets(Workbook& wb) {
  const Parties p;
  AddDadosCadastrais(wb["Dados Cadastrais"], p);
  AddListas(wb["Listas"]);
  AddAdministradores(wb["Administradores"], p);
  AddRepresentantes(wb["Representantes"], p);
  AddAcionistas(wb["Acionistas"], p);
  AddControladas(wb["Controladas"], p);
  AddDependencias(wb["Dependências"], p);
}

}  // namespace voske::sample
