#include "entry/findings_dialog.h"

#include <QFile>
#include <QFileDialog>
#include <QPushButton>

#include <string>

#include "entry/component_names.h"
#include "entry/ui_text.h"

namespace voske {

QStringList FindingsDetailLines(const FindingList& findings) {
  QStringList lines;
  const Text* heading = nullptr;
  for (const FindingList::Entry& e : findings.entries) {
    if (!heading || e.heading != *heading) lines << ToQString(e.heading);
    heading = &e.heading;
    lines << QStringLiteral("    ") + ToQString(e.line);
  }
  return lines;
}

std::unique_ptr<TMessageForm> BuildFindingsDialog(const QString& text, int iconKind, quint16 buttons,
                                                  const QString& caption, int defaultButton,
                                                  const FindingList& findings) {
  const QStringList lines = FindingsDetailLines(findings);
  std::unique_ptr<TMessageForm> form =
      BuildMessageDialog(text, iconKind, buttons, caption, defaultButton, false, lines.isEmpty() ? nullptr : &lines);
  // The lines above die here: the dialog shows its own copy.
  form->ownDetails = lines;
  form->details = lines.isEmpty() ? nullptr : &form->ownDetails;
  if (findings.save) {
    QPushButton* save = form->AddBottomButton(QStringLiteral("Salvar avisos..."), component::kSaveFindings);
    QObject::connect(save, &QPushButton::clicked, form.get(),
                     [owner = form.get(), findings] { SaveFindings(owner, findings); });
  }
  return form;
}

int ShowFindingsDialog(const QString& text, int iconKind, quint16 buttons, const QString& caption, int defaultButton,
                       const FindingList& findings) {
  std::unique_ptr<TMessageForm> form =
      BuildFindingsDialog(text.left(kMessageMaxChars), iconKind, buttons, caption, defaultButton, findings);
  return form->exec();
}

void SaveFindings(QWidget* owner, const FindingList& findings) {
  QFileDialog picker(owner, QStringLiteral("Salvar avisos"));
  picker.setObjectName(QString::fromLatin1(component::kFindingsFileDialog));
  picker.setAcceptMode(QFileDialog::AcceptSave);
  // Qt's own dialog, as the window's other pickers: the same everywhere.
  picker.setOption(QFileDialog::DontUseNativeDialog, true);
  picker.setNameFilter(QStringLiteral("Arquivo CSV (*.csv)"));
  picker.setDefaultSuffix(QStringLiteral("csv"));
  if (!findings.suggestedPath.empty()) picker.selectFile(QFile::decodeName(findings.suggestedPath.c_str()));
  if (picker.exec() != QDialog::Accepted || picker.selectedFiles().isEmpty()) return;
  const QString chosen = picker.selectedFiles().front();
  if (const std::optional<Text> failure = findings.save(QFile::encodeName(chosen).toStdString())) {
    ShowMessageDialog(ToQString(*failure), static_cast<int>(MessageIcon::Error), kButtonOk, QStringLiteral("Erro"));
    return;
  }
  ShowMessageDialog(QStringLiteral("Os avisos foram gravados em: ") + chosen,
                    static_cast<int>(MessageIcon::Information), kButtonOk, QStringLiteral("Informação"));
}

}  // namespace voske
