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

namespace {

// The number as the message quotes it: a NUL byte, which a message box would
// take for the end of the text and a terminal would not show, is written "\0".
Text Quoted(const Text& number) {
  Text shown;
  for (char c : number) {
    if (c == '\0') shown += "\\0";
    else shown += c;
  }
  return shown;
}

}  // namespace

Text OutputFileName(DocumentKind document, const Text& registrationCell, const std::tm& when) {
  const Text number = RemoveAll(registrationCell, '-');
  if (number.find_first_of(std::string("/\\\0", 3)) != Text::npos)
    throw EGenerica(Ansi("O registro na OXR \"") + Quoted(number) +
                    Ansi("\" (célula B5 de Dados Cadastrais) não pode fazer parte do nome do arquivo XML."));
  const char* middle = document == DocumentKind::Cadastral ? "_CADASTRAL_" : "_FINANCEIRO_";
  return number + middle + FileTimestamp(when) + ".xml";
}

std::string OutputPathFor(const std::string& folder, const Text& fileName) { return folder + "/" + ToUtf8(fileName); }

}  // namespace voske
