// oxr:dependencias: the operator's branches and other dependent
// establishments, from "Dependências". Three tables stand side by side from
// row 5: the dependents (A:D), their addresses (F:L) and their phones (N:S);
// an address or phone row belongs to every dependent with its CNPJ.
#include "documents/registration/cadastral_sections.h"
#include "values/converters.h"

namespace voske {

namespace {

bool OwnedBy(const SheetView& dep, int row, int ownerColumn, const Text& dependentCnpj) {
  return ZeroPadCode(dep.TextAt(row, ownerColumn), 14) == dependentCnpj;
}

void WriteDependentAddress(CadastralContext& b, const SheetView& dep, const Text& cnpj) {
  for (int row = 5; !dep.TextAt(row, Col('F')).empty(); ++row) {
    if (!OwnedBy(dep, row, Col('F'), cnpj)) continue;
    b.gen.AddElement("oxr:enderecoDependente");
    WriteAddressBlock(b, {dep, {row, Col('G')}, {row, Col('H')}, {row, Col('I')}, {row, Col('J')}, {row, Col('K')},
                          {row, Col('L')}});
    b.gen.ReturnTo("oxr:empresaDependente");
    return;  // only the first address of a dependent
  }
}

void WriteDependentPhones(CadastralContext& b, const SheetView& dep, const Text& cnpj, const char* type,
                          const char* element) {
  for (int row = 5; !dep.TextAt(row, Col('N')).empty(); ++row) {
    if (UpperAscii(Trim(dep.TextAt(row, Col('O')))) != type || !OwnedBy(dep, row, Col('N'), cnpj)) continue;
    b.gen.AddElement(element);
    WritePhoneBlock(b, dep, {row, Col('P')});
    b.gen.ReturnTo("oxr:empresaDependente");
  }
}

}  // namespace

void WriteDependencias(CadastralContext& b) {
  const SheetView dep = b.Sheet(SheetId::Dependencias);
  b.gen.ReturnTo(b.kindElement);
  b.gen.AddElement("oxr:dependencias");
  b.Breathe();
  for (int row = 5; !dep.TextAt(row, Col('A')).empty(); ++row) {
    const Text cnpj = ZeroPadCode(dep.TextAt(row, Col('A')), 14);
    b.gen.AddElement("oxr:empresaDependente");
    const auto cell = [&](char column) { return OriginOf(dep, row, Col(column)); };
    b.gen.AddTextElement("oxr:tipo", CapitalizeFirst(dep.TextAt(row, Col('C'))), cell('C'));
    b.gen.AddTextElement("oxr:razaoSocial", FirstChars(dep.TextAt(row, Col('B')), 60), cell('B'));
    b.gen.AddTextElement("oxr:CNPJ", cnpj, cell('A'));
    b.Breathe();
    WriteDependentAddress(b, dep, cnpj);
    WriteDependentPhones(b, dep, cnpj, "T", "oxr:telefone");
    b.gen.ReturnTo("oxr:empresaDependente");
    WriteDependentPhones(b, dep, cnpj, "F", "oxr:fax");
    b.gen.ReturnTo("oxr:empresaDependente");
    const Text email = dep.TextAt(row, Col('D'));
    if (!email.empty()) b.gen.AddTextElement("oxr:eMail", email, cell('D'));
    b.gen.ReturnTo("oxr:dependencias");
  }
  b.Breathe();
}

}  // namespace voske
