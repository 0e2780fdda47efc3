#include "verification/accepted_values.h"

#include <initializer_list>
#include <string_view>

#include "verification/lexical_forms.h"

namespace voske {

namespace {

using sv = std::string_view;

struct AcceptedValue {
  sv element;                  // without prefix
  sv within;                   // the ancestor it stands in
  int position;                // that ancestor's position among its kind; 0: any
  std::initializer_list<sv> values;  // empty: any value there
  // The rule that writes it (for whoever maintains the list).
  sv rule;
};

const AcceptedValue kAcceptedValues[] = {
    {"dias", "oxr:idadeSaldo", 0, {"200", "300", "350", "400"},
     "The balance-ageing form names its lines, and the builder writes each line's code from its label: "
     "\"Faturamento Antecipado\" 200, \"Títulos descontados\" 300, \"Ajustes a valor presente\" 350, "
     "\"PPSC\" 400. The ageing codes of the tables stop at 00-999 brackets."},
    {"segmentacao", "oxr:autogNaoPatrocinada", 0, {"AUTSM"},
     "A self-managed operator's segmentation is the sub-kind of \"Dados Cadastrais\" B27, which also chose "
     "the kind element: AUTSM is a kind without sponsor."},
    {"segmentacao", "oxr:autogMultiPatrocinada", 0, {"AUTMN", "AUTRH"},
     "As above: AUTMN and AUTRH are the sub-kinds written under the multi-sponsored kind element."},
    {"conta", "oxr:lucroPrejuizo", 8, {},
     "The profit-or-loss form has eight lines and the tables seven codes: the eighth line carries the form's "
     "own code, whatever it is."},
};

bool SameValue(sv listed, TextView value) {
  return listed == value || (IsSchemaInteger(listed) && IsSchemaInteger(value) && SameInteger(listed, value));
}

}  // namespace

bool AcceptedByRule(TextView leafName, TextView value, const ElementPath& path) {
  sv name = leafName;
  if (name.substr(0, 4) == "oxr:") name.remove_prefix(4);
  for (const AcceptedValue& accepted : kAcceptedValues) {
    if (accepted.element != name) continue;
    const int position = path.PositionOf(accepted.within);
    if (position == 0 || (accepted.position != 0 && position != accepted.position)) continue;
    if (accepted.values.size() == 0) return true;
    for (sv v : accepted.values)
      if (SameValue(v, value)) return true;
  }
  return false;
}

}  // namespace voske
