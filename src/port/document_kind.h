#pragma once
// The two documents the regulator accepts. One enum for every layer: the
// window's choice, the command line's --documento, the generation, the
// envelope and the sending all speak of a document by it.
namespace voske {

enum class DocumentKind { Cadastral, Financeiro };

// The transaction code a document of that kind carries in its header, and by
// which a file is told to be of that kind before it is sent.
constexpr const char* TransactionCodeOf(DocumentKind kind) {
  return kind == DocumentKind::Financeiro ? "ENVIO_VOSKE_FINANCEIRO" : "ENVIO_VOSKE_CADASTRAL";
}

}  // namespace voske
