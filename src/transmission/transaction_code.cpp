#include "transmission/transaction_code.h"

#include "xml/document_reader.h"

namespace voske {

Text ReadTransactionCode(const std::string& path) {
  TUtilXML reader;
  reader.LoadFromFile(path);
  reader.SelectElements("oxr:identificador");
  return reader.ChildValue("oxr:transacao");
}

}  // namespace voske
