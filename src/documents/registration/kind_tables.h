#pragma once
// The operator's kind, as the registration worksheet codes it in B26 (kind)
// and B27 (sub-kind), decides the element under which the whole registration
// body hangs and which sections that body holds.
#include "text/text.h"

namespace voske {

// The kind element for the upper-cased kind and sub-kind codes. The codes of
// self-managed operators ("AUTOG") changed in 2012, so the period year picks
// the table. Empty when the codes name no kind in that year's table.
Text KindElement(const Text& kindCode, const Text& subKindCode, int periodYear);

// Which of the optional sections a kind of operator receives.
struct SectionConditions {
  bool writesClassification = false;         // oxr:enquadramento
  bool writesBasicData = false;              // oxr:dadosBasicos and oxr:respTecnico
  bool writesActuarialResponsible = false;   // oxr:respAtuaria inside oxr:dadosBasicos
  bool writesShareholders = false;           // oxr:acionQuotistas
};

SectionConditions ConditionsFor(const Text& kindElement);

}  // namespace voske
