#include "verification/document_file.h"

#include <cerrno>
#include <cstring>
#include <system_error>

#include <pugixml.hpp>

#include "platform/file_reading.h"
#include "text/cp1252.h"
#include "verification/document_verifier.h"

namespace voske {

namespace {

// What went wrong in the XML, in the user's words.
const char* ParseProblem(pugi::xml_parse_status status) {
  switch (status) {
    case pugi::status_no_document_element:
      return "o arquivo não contém nenhum elemento XML";
    case pugi::status_end_element_mismatch:
      return "uma marca de fim não corresponde à marca aberta (o arquivo pode estar incompleto)";
    case pugi::status_out_of_memory:
      return "memória insuficiente para ler o arquivo";
    default:
      return "o conteúdo não é XML bem formado";
  }
}

// Line (1-based) of a byte offset.
std::size_t LineOf(const std::string& bytes, std::ptrdiff_t offset) {
  std::size_t line = 1;
  const std::size_t end = offset < 0 ? 0 : std::min(bytes.size(), static_cast<std::size_t>(offset));
  for (std::size_t i = 0; i < end; ++i)
    if (bytes[i] == '\n') ++line;
  return line;
}

}  // namespace

FileVerification VerifyDocumentFile(const std::string& path) {
  FileVerification result;
  const Text shown = "\"" + FromUtf8(path) + "\"";
  // Only a regular file opens: a folder, a pipe or a device is refused at
  // once instead of being read for ever.
  const platform::ReadOnlyFile file(path);
  if (!file.IsOpen()) {
    const int error = file.Error();
    result.problem = error == ENOENT ? Ansi("O arquivo ") + shown + Ansi(" não foi encontrado.")
                                     : Ansi("Não foi possível abrir o arquivo ") + shown + ": " +
                                           FromUtf8(std::generic_category().message(error)) + ".";
    return result;
  }
  std::string bytes(static_cast<std::size_t>(file.Size()), '\0');
  const std::ptrdiff_t got = file.ReadFullyAt(0, bytes.data(), bytes.size());
  if (got < 0) {
    result.problem = Ansi("Não foi possível ler o arquivo ") + shown + ".";
    return result;
  }
  bytes.resize(static_cast<std::size_t>(got));

  pugi::xml_document doc;
  // The default parse leaves document type declarations unread, so no
  // entity they declare is ever expanded nor anything outside fetched.
  const pugi::xml_parse_result parsed =
      doc.load_buffer(bytes.data(), bytes.size(), pugi::parse_default, pugi::encoding_auto);
  if (!parsed) {
    result.problem = Ansi("O arquivo ") + shown + Ansi(" não é um documento XML válido: ") +
                     Ansi(ParseProblem(parsed.status)) + " (linha " +
                     std::to_string(LineOf(bytes, parsed.offset)) + ").";
    return result;
  }
  const pugi::xml_node root = doc.document_element();
  result.rootName = root.name();
  if (result.rootName != "oxr:voskeCadastral" && result.rootName != "oxr:voskeFinanc") {
    result.problem = Ansi("O arquivo ") + shown +
                     Ansi(" não é um documento cadastral nem financeiro da OXR (elemento raiz \"") +
                     FromUtf8(result.rootName) + "\").";
    return result;
  }
  DocumentVerifier verifier;
  verifier.VerifyLoaded(root);
  result.read = true;
  result.findings = verifier.Findings();
  return result;
}

}  // namespace voske
