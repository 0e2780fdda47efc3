#pragma once
// The checks the main button runs before it asks for the password: one
// message for the first failing check, in a fixed order. The command line
// runs the same checks on its options.
#include <optional>
#include <string>

#include "port/document_kind.h"
#include "port/front_end.h"

namespace voske {

// What one press of the main button does.
enum class RunAction { Generate, Send };

// The main window's choices at the moment of the press. A choice is none
// when the user typed a text that is no item of its list.
struct RunChoices {
  std::optional<DocumentKind> documentKind = DocumentKind::Cadastral;
  std::optional<RunAction> action = RunAction::Generate;
  std::string workbookPath;       // the workbook, as typed
  std::string destinationFolder;  // the destination (or receipt) folder, as typed
  std::string xmlFilePath;        // the XML file to send, as typed
};

// Shows the message of the first failing check as an error and returns
// false; returns true when every check passes. In order: a document kind,
// an action, a workbook path and an existing workbook file (generation only;
// double quotes removed for the existence test), a destination folder that
// is not blank and exists, and for sending an XML file name.
bool CheckRunChoices(const RunChoices& choices, FrontEnd& frontEnd);

}  // namespace voske
