// The operator's kind (B26, B27 and the period year of B3) picks the element
// under which the body hangs and the sections it holds.
#include <gtest/gtest.h>

#include <algorithm>

#include "registration_run.h"

namespace voske::support {
namespace {

struct KindCase {
  const char* kindCode;     // B26 as typed
  const char* subKindCode;  // B27 as typed
  int year;                 // of the period in B3
  const char* kindElement;  // nullptr: the kind is refused
};

std::ostream& operator<<(std::ostream& os, const KindCase& k) {
  return os << "\"" << k.kindCode << "\"/\"" << k.subKindCode << "\" in " << k.year;
}

sample::Workbook WorkbookOfKind(const KindCase& k) {
  sample::Workbook wb = sample::MakeSampleWorkbook();
  sample::Sheet& dc = wb["Dados Cadastrais"];
  dc.SetDate("B3", k.year, 10, 1);
  if (*k.kindCode) dc.Set("B26", k.kindCode);
  else dc.Clear("B26");
  if (*k.subKindCode) dc.Set("B27", k.subKindCode);
  else dc.Clear("B27");
  return wb;
}

// The sections each kind receives, as the regulator's layouts give them.
std::vector<std::string> ExpectedSections(const std::string& kind) {
  const bool insurer = kind == "oxr:seguradora";
  const bool sponsoredSelfManaged = kind == "oxr:autogMultiPatrocinada" || kind == "oxr:autogPatrocinadaSing";
  const bool noShareholders = kind == "oxr:coopMedica" || kind == "oxr:coopOdontologica" ||
                              kind == "oxr:autogNaoPatrocinada" || kind == "oxr:autoGSemMantenedor" ||
                              kind == "oxr:autoGComMantenedor" || sponsoredSelfManaged;
  std::vector<std::string> s{"oxr:cadastro"};
  if (!insurer) s.push_back("oxr:enquadramento");
  if (!sponsoredSelfManaged) s.push_back("oxr:dadosBasicos");
  s.insert(s.end(), {"oxr:administradores", "oxr:representante", "oxr:represRN117"});
  if (!noShareholders) s.push_back("oxr:acionQuotistas");
  s.insert(s.end(), {"oxr:controlColigadas", "oxr:dependencias"});
  return s;
}

class KindTables : public ::testing::TestWithParam<KindCase> {};

TEST_P(KindTables, KindElementAndItsSections) {
  const KindCase& k = GetParam();
  auto run = RunCadastral(WorkbookOfKind(k));

  if (k.kindElement == nullptr) {
    EXPECT_EQ(run->Errors(), std::vector<Text>{Ansi("Enquadramento inválido. Verifique na planilha Dados Cadastrais.")});
    EXPECT_TRUE(run->generationFailed());
    EXPECT_TRUE(run->Files().empty());
    return;
  }
  ASSERT_TRUE(run->Errors().empty()) << ToUtf8(run->Errors().front());
  ASSERT_TRUE(run->document);
  EXPECT_TRUE(HashMatchesContent(*run->document));
  const XmlNode kind = run->Kind();
  ASSERT_EQ(std::string(kind.name()), k.kindElement);
  EXPECT_EQ(ChildNames(kind), ExpectedSections(k.kindElement));

  // The segmentation is the sub-kind code upper-cased, for every kind.
  if (kind.child("oxr:enquadramento")) {
    EXPECT_EQ(std::string(kind.child("oxr:enquadramento").child("oxr:segmentacao").child_value()),
              UpperAscii(k.subKindCode));
  }

  // An administrator has no actuarial responsible; technical responsibles
  // come with the basic data.
  const XmlNode basic = kind.child("oxr:dadosBasicos");
  if (basic) {
    std::vector<std::string> responsibles{"oxr:respContabilidade", "oxr:respAuditoria"};
    if (std::string(k.kindElement) != "oxr:administradora")
      responsibles.insert(responsibles.begin() + 1, "oxr:respAtuaria");
    EXPECT_EQ(ChildNames(basic), responsibles);
  }
  EXPECT_EQ(Children(kind.child("oxr:administradores"), "oxr:respTecnico").size(), basic ? 2u : 0u);
  EXPECT_EQ(Children(kind.child("oxr:administradores"), "oxr:administrador").size(), 3u);
}

INSTANTIATE_TEST_SUITE_P(
    BothTables, KindTables,
    ::testing::Values(
        KindCase{"ODGRP", "SOM", 2011, "oxr:odontologiaGrupo"}, KindCase{"ODGRP", "SOM", 2012, "oxr:odontologiaGrupo"},
        KindCase{"MEGRP", "SPP", 2011, "oxr:medicinaGrupo"}, KindCase{"MEGRP", "SPP", 2024, "oxr:medicinaGrupo"},
        KindCase{"SEGUR", "SSS", 2011, "oxr:seguradora"}, KindCase{"SEGUR", "SSS", 2013, "oxr:seguradora"},
        KindCase{"SGSAU", "SSS", 2010, "oxr:seguradora"}, KindCase{"SGSAU", "SSS", 2012, "oxr:seguradora"},
        KindCase{"FILAN", "ST", 2011, "oxr:filantropia"}, KindCase{"FILAN", "ST", 2012, "oxr:filantropia"},
        KindCase{"COOPM", "SPP", 2011, "oxr:coopMedica"}, KindCase{"COOPM", "SPP", 2012, "oxr:coopMedica"},
        KindCase{"COOPO", "SOM", 2011, "oxr:coopOdontologica"}, KindCase{"COOPO", "SOM", 2012, "oxr:coopOdontologica"},
        KindCase{"ADMIN", "ADMPL", 2011, "oxr:administradora"}, KindCase{"ADMIN", "ADMSV", 2012, "oxr:administradora"},
        KindCase{"AUTOG", "NPATR", 2011, "oxr:autogNaoPatrocinada"}, KindCase{"AUTOG", "NPATR", 2012, nullptr},
        KindCase{"AUTOG", "PATRM", 2011, "oxr:autogMultiPatrocinada"}, KindCase{"AUTOG", "PATRM", 2012, nullptr},
        KindCase{"AUTOG", "PATRS", 2011, "oxr:autogPatrocinadaSing"}, KindCase{"AUTOG", "PATRS", 2012, nullptr},
        KindCase{"AUTOG", "AUTSM", 2011, "oxr:autogNaoPatrocinada"}, KindCase{"AUTOG", "AUTSM", 2012, "oxr:autoGSemMantenedor"},
        KindCase{"AUTOG", "AUTMN", 2011, "oxr:autogMultiPatrocinada"}, KindCase{"AUTOG", "AUTMN", 2012, "oxr:autoGComMantenedor"},
        KindCase{"AUTOG", "AUTRH", 2011, "oxr:autogMultiPatrocinada"}, KindCase{"AUTOG", "AUTRH", 2012, nullptr},
        // Codes are upper-cased but not trimmed.
        KindCase{"megrp", "spp", 2024, "oxr:medicinaGrupo"}, KindCase{"autog", "autmn", 2024, "oxr:autoGComMantenedor"},
        KindCase{"MEGRP ", "SPP", 2024, nullptr}, KindCase{"AUTOG", "AUTMN ", 2024, nullptr},
        // Unknown codes, and a kind without its sub-kind, are refused even
        // where the sub-kind would not be written.
        KindCase{"OUTRA", "SPP", 2024, nullptr}, KindCase{"", "SPP", 2024, nullptr},
        KindCase{"SEGUR", "", 2024, nullptr}, KindCase{"MEGRP", "", 2024, nullptr}));

}  // namespace
}  // namespace voske::support
