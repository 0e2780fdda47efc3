#include "transmission/transaction_code.h"

#include <cerrno>

#include "text/cp1252.h"
#include "xml/header_reader.h"

namespace voske {

namespace {

Text Reason(int error) {
  switch (error) {
    case EACCES:
    case EPERM: return Ansi("Acesso negado ao arquivo.");
    case EISDIR: return Ansi("O caminho indicado é uma pasta, não um arquivo.");
    case ENODEV: return Ansi("O caminho indicado não é um arquivo comum.");
    case ELOOP: return Ansi("O caminho indicado tem atalhos demais.");
    case ENAMETOOLONG: return Ansi("O nome do arquivo é longo demais.");
    case EIO: return Ansi("Erro de leitura do disco.");
    default: return Ansi("Erro do sistema ") + std::to_string(error) + ".";
  }
}

}  // namespace

TransactionCode ReadTransactionCode(const std::string& path) {
  const HeaderValue header = ReadHeaderValue(path, "oxr:identificador", "oxr:transacao");
  TransactionCode result(header.value);
  switch (header.outcome) {
    case HeaderValue::Outcome::Read: break;
    case HeaderValue::Outcome::Missing: result.outcome = TransactionCode::Outcome::Missing; break;
    case HeaderValue::Outcome::Unreadable:
      result.outcome = TransactionCode::Outcome::Unreadable;
      result.reason = Reason(header.error);
      break;
  }
  return result;
}

}  // namespace voske
