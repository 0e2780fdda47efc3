#include "generation/output_name.h"

#include <cstdio>

#include "text/cp1252.h"
#include "text/error.h"

namespace voske {

Text FileTimestamp(const std::tm& when) {
  char buf[64];
  std::snprintf(buf, sizeof buf, "%04d-%02d-%02d_%02d%02d%02d", when.tm_year + 1900, when.tm_mon + 1, when.tm_mday,
                when.tm_hour, when.tm_min, when.tm_sec);
  return buf;
}

Text OutputFileName(DocumentKind document, const Text& registrationCell, const std::tm& when) {
  // Control characters pasted into the cell are left out, as they are from
  // the document: a line break or an escape sequence in a file name would
  // break the scripts that list the folder and act on the terminal that
  // shows its path.
  const Text number = RemoveAll(WithoutAnyControlCharacter(registrationCell), '-');
  if (number.find_first_of("/\\") != Text::npos)
    throw EGenerica(Ansi("O registro na OXR \"") + number +
                    Ansi("\" (célula B5 de Dados Cadastrais) não pode fazer parte do nome do arquivo XML."));
  const char* middle = document == DocumentKind::Cadastral ? "_CADASTRAL_" : "_FINANCEIRO_";
  return number + middle + FileTimestamp(when) + ".xml";
}

std::string OutputPathFor(const std::string& folder, const Text& fileName) { return folder + "/" + ToUtf8(fileName); }

}  // namespace voske
