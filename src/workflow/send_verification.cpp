#include "workflow/send_verification.h"

#include "text/cp1252.h"
#include "verification/document_file.h"
#include "verification/finding.h"
#include "verification/finding_list.h"

namespace voske {

bool VerifyBeforeSending(const std::string& xmlPath, FrontEnd& frontEnd, bool strict, const FindingSink& stream,
                         std::vector<Finding>* kept, bool* read) {
  std::vector<Finding> own;
  std::vector<Finding>& findings = kept ? *kept : own;
  findings.clear();
  bool values = false, accounting = false;
  const FileVerification verified = VerifyDocumentFile(xmlPath, [&](const Finding& f) {
    (f.kind == Finding::Kind::Accounting ? accounting : values) = true;
    if (stream) stream(f);
    else findings.push_back(f);
  });
  if (read) *read = verified.read;
  // A folder, a device or a pipe is no document to send, and the sending
  // would wait on it or read it without end.
  if (verified.notAFile) {
    frontEnd.ShowError(verified.problem);
    return false;
  }
  if (!verified.read || verified.findingCount == 0) return true;
  const Text count = FindingCountLine(verified.findingCount);
  const FindingList listed = ListFindings(findings, xmlPath);
  if (strict) {
    frontEnd.ShowFindings(Ansi("O documento não foi enviado: ") + count + " (" + FindingsSubject(values, accounting) +
                              ").",
                          MessageIcon::Error, Ansi("Erro"), listed);
    return false;
  }
  return frontEnd.ConfirmFindings(Ansi("O documento tem ") + count + ": " + FindingsSubject(values, accounting) + "." +
                                      CR + Ansi("Enviar mesmo assim?"),
                                  Ansi("Confirmação"), listed);
}

}  // namespace voske
