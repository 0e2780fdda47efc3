// Text helpers shared by the registration sections.
#include "documents/registration/cadastral_sections.h"

namespace voske {

Text FirstChars(const Text& text, std::size_t count) { return text.substr(0, count); }

}  // namespace voske
