#pragma once
// The two documents the regulator accepts. One enum for every layer: the
// window's choice, the command line's --documento, the generation, the
// envelope and the sending all speak of a document by it.
namespace voske {

enum class DocumentKind { Cadastral, Financeiro };

}  // namespace voske
