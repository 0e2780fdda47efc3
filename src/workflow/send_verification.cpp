#include "workflow/send_verification.h"

#include "text/cp1252.h"
#include "verification/document_file.h"
#include "verification/finding.h"

namespace voske {

bool VerifyBeforeSending(const std::string& xmlPath, FrontEnd& frontEnd, bool strict) {
  const FileVerification verified = VerifyDocumentFile(xmlPath);
  if (!verified.read || verified.findings.empty()) return true;
  const Text count = FindingCountLine(verified.findings.size());
  const std::vector<Text> details = FindingDetails(verified.findings);
  if (strict) {
    frontEnd.ShowMessageWithDetails(
        Ansi("O documento não foi enviado: ") + count + Ansi(" (valores que o esquema da OXR recusa)."),
        MessageIcon::Error, Ansi("Erro"), details);
    return false;
  }
  return frontEnd.Confirm(Ansi("O documento tem ") + count + Ansi(": valores que o esquema da OXR recusa.") + CR +
                              Ansi("Enviar mesmo assim?"),
                          Ansi("Confirmação"), details);
}

}  // namespace voske
