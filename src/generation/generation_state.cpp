#include "generation/generation_state.h"

namespace voske {

void FailGeneration(GenerationState& state) { state.generationFailed = true; }

}  // namespace voske
