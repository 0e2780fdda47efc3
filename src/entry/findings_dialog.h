#pragma once
// The message dialog with a verification's findings: the findings as its
// details, each under the worksheet it came from, and beside "Ver mais..." a
// "Salvar avisos..." button that keeps them as the CSV the command line
// writes.
#include <QString>
#include <QStringList>

#include <memory>

#include "entry/message_dialog.h"
#include "port/front_end.h"

class QWidget;

namespace voske {

// The details' lines: each worksheet's name, then its findings indented.
QStringList FindingsDetailLines(const FindingList& findings);

// Builds the dialog without showing it (tests look at it as it is built).
// The dialog keeps its own copy of `findings` for saving.
std::unique_ptr<TMessageForm> BuildFindingsDialog(const QString& text, int iconKind, quint16 buttons,
                                                  const QString& caption, int defaultButton,
                                                  const FindingList& findings);

// Beeps, shows it modally and returns the result of the button that closed it.
int ShowFindingsDialog(const QString& text, int iconKind, quint16 buttons, const QString& caption, int defaultButton,
                       const FindingList& findings);

// Asks where to save the findings and saves them there, saying where they
// went or why they could not be saved.
void SaveFindings(QWidget* owner, const FindingList& findings);

}  // namespace voske
