#include "transmission/sender.h"

#include "platform/file_system.h"
#include "platform/java_install.h"
#include "text/cp1252.h"
#include "text/error.h"

namespace voske {

namespace {

bool IsCadastral(const SendRequest& request) { return request.documentKind == DocumentKind::Cadastral; }

void CreateFolderQuietly(const std::string& folder) {
  platform::CreateFolder(folder);  // an existing or uncreatable folder is not an error here
}

Text WrongKindMessage(const SendRequest& request) {
  return Ansi(IsCadastral(request) ? "O arquivo selecionado não é de informações Cadastrais."
                                   : "O arquivo selecionado não é de informações Financeiras.") +
         CR + Ansi("Corrija o problema e tente novamente!");
}

Text MissingFileMessage(const SendRequest& request) {
  return Ansi(IsCadastral(request) ? "Não foi encontrado o arquivo XML Cadastral."
                                   : "Não foi encontrado o arquivo XML Financeiro.");
}

// A file that exists but cannot be read is not a file of the wrong kind: the
// user has to fix the file's access, not choose another document.
Text UnreadableFileMessage(const SendRequest& request, const Text& reason) {
  return Ansi(IsCadastral(request) ? "Não foi possível ler o arquivo XML Cadastral."
                                   : "Não foi possível ler o arquivo XML Financeiro.") +
         CR + reason;
}

Text AcceptedMessage(const SendRequest& request) {
  return Ansi("O recibo foi gerado na pasta: ") + FromUtf8(ReceiptFolder(request)) + CR +
         Ansi("Acompanhe o andamento na Página de Status do VOSKE-XML, no site da OXR.") + CR +
         Ansi("Havendo erros, corrija-os e envie as novas informações.");
}

// The regulator has the document: sending it again would file it twice. The
// user is told so, and why the receipt is missing.
Text ReceivedWithoutReceiptMessage(const SendRequest& request, const Text& reason) {
  return Ansi("O documento foi recebido pela OXR, mas o recibo não foi gravado na pasta: ") +
         FromUtf8(ReceiptFolder(request)) + CR + reason + CR +
         Ansi("Não envie o documento novamente: acompanhe o andamento na Página de Status do VOSKE-XML, "
              "no site da OXR.");
}

}  // namespace

// Concatenated with the system's separator, as the folder was typed.
std::string ReceiptFolder(const SendRequest& request) {
  return request.destinationFolder + platform::PathSeparator() + "Recibo";
}
std::string ImagesFolder(const SendRequest& request) {
  return ReceiptFolder(request) + platform::PathSeparator() + "Imagens";
}
std::string ReceiptArgument(const SendRequest& request) {
  return platform::ClientPathArgument(ReceiptFolder(request) + platform::PathSeparator());
}
Text KindWord(const SendRequest& request) { return IsCadastral(request) ? "Cadastral" : "Financeiro"; }
Text KindLabel(const SendRequest& request) { return "Voske " + KindWord(request); }
Text ExpectedTransactionCode(const SendRequest& request) { return TransactionCodeOf(request.documentKind); }

SendOutcome SendDocument(const SendRequest& request, ClientComponent& client, FrontEnd& frontEnd,
                         const TransactionCodeReader& readTransactionCode) {
  bool success = false;
  bool receivedOnly = false;
  Text kindLabel;
  Text result;
  try {
    CreateFolderQuietly(ReceiptFolder(request));

    if (!client.FindClientClass()) {
      frontEnd.ShowError(Ansi("Não foi possível encontrar a Classe JNIMain"));
      return SendOutcome::Failed;
    }
    bool clientFailed = false;
    if (request.useProxy) {
      if (!client.HasMethod(kConfigProxyMethod, kConfigProxySignature)) {
        frontEnd.ShowError(Ansi("Não foi possível encontrar o método \"configProxy\" da Classe JNIMain"));
        return SendOutcome::Failed;
      }
      client.ConfigProxy(ToUtf8(request.proxyServer), ToUtf8(request.proxyPort), ToUtf8(request.proxyUser),
                         ToUtf8(request.proxyPassword), ToUtf8(request.passwordUpper));
      // No further call may be made into the VM while its exception is
      // pending: the failure is reported as the communication error it is.
      clientFailed = client.ExceptionPending();
      if (clientFailed) kindLabel = KindLabel(request);
    }
    if (!clientFailed) {
      if (!client.HasMethod(kSendMethod, kSendSignature)) {
        frontEnd.ShowError(Ansi("Não foi possível encontrar o método \"send\" da Classe JNIMain"));
        return SendOutcome::Failed;
      }
      if (Trim(request.xmlPath).empty()) {
        frontEnd.ShowError(MissingFileMessage(request));
      } else {
        const TransactionCode code = readTransactionCode(request.xmlPath);
        kindLabel = KindLabel(request);
        if (code.outcome == TransactionCode::Outcome::Missing) {
          frontEnd.ShowError(MissingFileMessage(request));
        } else if (code.outcome == TransactionCode::Outcome::Unreadable) {
          frontEnd.ShowError(UnreadableFileMessage(request, code.reason));
        } else {
          if (UpperAscii(Trim(code.code)) != ExpectedTransactionCode(request))
            throw EGenerica(WrongKindMessage(request));
          // The client's text comes from the service: its control characters
          // are shown, never handed to a terminal to act on.
          result = ShownControlCharacters(client.Send(ReceiptArgument(request),
                                                      platform::ClientPathArgument(request.xmlPath),
                                                      ToUtf8(KindWord(request)), ToUtf8(request.passwordUpper)));
          success = result.empty();
          receivedOnly = !success && client.DocumentReceived();
        }
      }
    }
    if (client.ExceptionPending()) {
      frontEnd.ShowError(Ansi("Ocorreu um erro na comunicação com o WebService. (") + kindLabel + ")");
      client.ClearException();
      success = false;
    }
    if (success) {
      CreateFolderQuietly(ImagesFolder(request));
      frontEnd.ShowInformation(AcceptedMessage(request));
    }
    if (receivedOnly) {
      frontEnd.ShowInformation(ReceivedWithoutReceiptMessage(request, result));
      return SendOutcome::AcceptedWithoutReceipt;
    }
    if (!result.empty()) frontEnd.ShowError(Ansi("Erro no envio do ") + kindLabel + ": " + CR + result);
  } catch (const EVoske& e) {
    frontEnd.ShowError(Ansi("Erro: ") + e.Message());
    success = false;
  } catch (const std::exception& e) {
    frontEnd.ShowError(Ansi("Erro: ") + FromUtf8(e.what()));
    success = false;
  }
  return success ? SendOutcome::Accepted : SendOutcome::Failed;
}

}  // namespace voske
