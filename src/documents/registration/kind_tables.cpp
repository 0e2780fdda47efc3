#include "documents/registration/kind_tables.h"

#include <array>

namespace voske {

namespace {

struct KindRow {
  const char* kindCode;
  const char* subKindCode;    // nullptr: any sub-kind
  const char* before2012;     // nullptr: no kind
  const char* from2012;
};

// Kinds other than the self-managed ones ignore the sub-kind code.
constexpr std::array<KindRow, 14> kKinds{{
    {"ODGRP", nullptr, "oxr:odontologiaGrupo", "oxr:odontologiaGrupo"},
    {"MEGRP", nullptr, "oxr:medicinaGrupo", "oxr:medicinaGrupo"},
    {"SEGUR", nullptr, "oxr:seguradora", "oxr:seguradora"},
    {"SGSAU", nullptr, "oxr:seguradora", "oxr:seguradora"},
    {"FILAN", nullptr, "oxr:filantropia", "oxr:filantropia"},
    {"COOPM", nullptr, "oxr:coopMedica", "oxr:coopMedica"},
    {"COOPO", nullptr, "oxr:coopOdontologica", "oxr:coopOdontologica"},
    {"ADMIN", nullptr, "oxr:administradora", "oxr:administradora"},
    {"AUTOG", "NPATR", "oxr:autogNaoPatrocinada", nullptr},
    {"AUTOG", "PATRM", "oxr:autogMultiPatrocinada", nullptr},
    {"AUTOG", "PATRS", "oxr:autogPatrocinadaSing", nullptr},
    {"AUTOG", "AUTSM", "oxr:autogNaoPatrocinada", "oxr:autoGSemMantenedor"},
    {"AUTOG", "AUTMN", "oxr:autogMultiPatrocinada", "oxr:autoGComMantenedor"},
    {"AUTOG", "AUTRH", "oxr:autogMultiPatrocinada", nullptr},
}};

bool IsOneOf(const Text& value, std::initializer_list<const char*> names) {
  for (const char* n : names)
    if (value == n) return true;
  return false;
}

}  // namespace

Text KindElement(const Text& kindCode, const Text& subKindCode, int periodYear) {
  for (const KindRow& row : kKinds) {
    if (kindCode != row.kindCode) continue;
    if (row.subKindCode != nullptr && subKindCode != row.subKindCode) continue;
    const char* element = periodYear < 2012 ? row.before2012 : row.from2012;
    return element ? Text(element) : Text();
  }
  return Text();
}

SectionConditions ConditionsFor(const Text& kindElement) {
  SectionConditions c;
  c.writesClassification = kindElement != "oxr:seguradora";
  c.writesBasicData = !IsOneOf(kindElement, {"oxr:autogMultiPatrocinada", "oxr:autogPatrocinadaSing"});
  c.writesActuarialResponsible = kindElement != "oxr:administradora";
  c.writesShareholders =
      !IsOneOf(kindElement, {"oxr:coopMedica", "oxr:coopOdontologica", "oxr:autogNaoPatrocinada",
                             "oxr:autogMultiPatrocinada", "oxr:autogPatrocinadaSing", "oxr:autoGSemMantenedor",
                             "oxr:autoGComMantenedor"});
  return c;
}

}  // namespace voske
