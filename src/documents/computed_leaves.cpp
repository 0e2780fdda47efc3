#include "documents/computed_leaves.h"

#include <algorithm>
#include <string_view>

namespace voske {

namespace {

struct ComputedLeaf {
  std::string_view element;
  std::string_view within;  // the ancestor it stands in
  std::string_view why;     // what writes it
};

constexpr ComputedLeaf kComputedLeaves[] = {
    {"oxr:transacao", "oxr:identificador", "the document's kind"},
    {"oxr:hashPwd", "oxr:identificador", "the hash of the password typed for the run"},
    {"oxr:apTrans", "oxr:identificador", "the program's version"},
    {"oxr:hash", "oxr:epilogo", "the hash of every value before it"},
    {"oxr:numLancamentos", "oxr:balancete", "the count of a trial-balance section's entries"},
    {"oxr:todosMunicipios", "oxr:enquadramento", "\"S\" for an area line whose municipality is TODOS"},
    {"oxr:tipoCobertura", "oxr:intercambioEventual", "the cover of the worksheet's column block (H or O)"},
    {"oxr:tipo", "oxr:lancCoberturaAssistencial", "the kind of cover of the worksheet's row block"},
    {"oxr:cobertura", "oxr:lancCoberturaAssistencial", "the coverage of the worksheet's row block"},
    {"oxr:plano", "oxr:lancCoberturaAssistencial", "the plan type of the worksheet's row block"},
    {"oxr:tipoImposto", "oxr:contaCorrenteCooperado", "the kind of tax of the worksheet's row block"},
    {"oxr:proprio", "oxr:ativoVinculado", "S for the operator's own worksheet, N for its sponsor's"},
};

}  // namespace

bool IsComputedLeaf(TextView name, const std::vector<Text>& ancestors) {
  for (const ComputedLeaf& leaf : kComputedLeaves) {
    if (leaf.element != name) continue;
    if (std::find(ancestors.begin(), ancestors.end(), leaf.within) != ancestors.end()) return true;
  }
  return false;
}

}  // namespace voske
