#pragma once
// SendDocument: checks that the chosen file is a document of the chosen kind,
// hands the proxy settings and the file to the client component, and tells
// the user where the receipt is or why there is none.
#include <functional>
#include <string>

#include "port/front_end.h"
#include "transmission/client_component.h"
#include "port/transmission_port.h"
#include "transmission/transaction_code.h"

namespace voske {

enum class SendOutcome {
  Accepted,                // the client returned no error text: the receipt was written
  AcceptedWithoutReceipt,  // the regulator has the document, but its receipt could not be written
  Failed,                  // a message reported why not
};

// Reads the transaction code of a document: the code ("" when the file is not
// XML or has none), or that the file is missing or cannot be read.
using TransactionCodeReader = std::function<TransactionCode(const std::string& path)>;

// The values one sending derives from the request.
std::string ReceiptFolder(const SendRequest& request);  // destination + "/Recibo"
std::string ImagesFolder(const SendRequest& request);   // destination + "/Recibo/Imagens"
std::string ReceiptArgument(const SendRequest& request);  // the receipt folder and a separator, as the client takes paths
Text KindWord(const SendRequest& request);                // "Cadastral" or "Financeiro"
Text KindLabel(const SendRequest& request);               // "Voske Cadastral" or "Voske Financeiro"
Text ExpectedTransactionCode(const SendRequest& request);

SendOutcome SendDocument(const SendRequest& request, ClientComponent& client, FrontEnd& frontEnd,
                         const TransactionCodeReader& readTransactionCode);

}  // namespace voske
