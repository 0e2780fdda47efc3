#pragma once
// The checks the main button runs before it asks for the password: one
// message for the first failing check, in a fixed order. The command line
// runs the same checks on its options.
#include <string>

#include "port/front_end.h"

namespace voske {

// The main window's choices at the moment of the press.
struct RunChoices {
  int documentKind = 0;           // ComboBox1: 0 "Dados cadastrais", 1 "Dados financeiros", -1 typed text
  int action = 0;                 // ComboBox2: 0 generation, 1 sending, -1 typed text
  std::string workbookPath;       // FilenameEdit1, as typed
  std::string destinationFolder;  // DirectoryEdit1, as typed
  std::string xmlFilePath;        // fneArquivoXML, as typed
};

inline constexpr int kActionGenerate = 0;
inline constexpr int kActionSend = 1;

// Shows the message of the first failing check as an error and returns
// false; returns true when every check passes. In order: a document kind,
// an action, a workbook path and an existing workbook file (generation only;
// double quotes removed for the existence test), a destination folder that
// is not blank and exists, and for sending an XML file name.
bool CheckRunChoices(const RunChoices& choices, FrontEnd& frontEnd);

}  // namespace voske
