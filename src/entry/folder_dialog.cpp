#include "entry/folder_dialog.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QStyle>

#include "entry/component_names.h"
#include "entry/screen_placement.h"
#include "entry/ui_fonts.h"

namespace voske {

namespace {
constexpr int kIndent = 3;  // blanks per level of the tree
}

TForm_Pasta::TForm_Pasta(std::function<void(const QString&)> setDestination, const QString& startFolder,
                         QWidget* owner)
    : QDialog(owner), setDestination_(std::move(setDestination)) {
  setObjectName(QStringLiteral("Form_Pasta"));
  setWindowTitle(QStringLiteral("Escolha do diretório"));
  setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                 Qt::WindowCloseButtonHint);
  setFont(DialogFont());
  setFixedSize(362, 327);

  caption_ = new QLabel(QStringLiteral("Pasta de destino onde será gerado o arquivo XML/Recibo"), this);
  caption_->setObjectName(QString::fromLatin1(component::kFolderCaption));
  QFont bold = caption_->font();
  bold.setBold(true);
  caption_->setFont(bold);
  caption_->move(21, 14);
  caption_->adjustSize();

  folders_ = new QListWidget(this);
  folders_->setObjectName(QString::fromLatin1(component::kFolderList));
  folders_->setGeometry(28, 42, 301, 232);
  folders_->setUniformItemSizes(true);
  folders_->setStyleSheet(QStringLiteral("QListWidget::item { height: 16px; }"));

  confirm_ = new QPushButton(QStringLiteral("Confirmar"), this);
  confirm_->setObjectName(QString::fromLatin1(component::kFolderConfirm));
  confirm_->setGeometry(231, 287, 99, 26);
  confirm_->setIcon(QApplication::style()->standardIcon(QStyle::SP_DialogApplyButton));
  confirm_->setDefault(true);

  setTabOrder(folders_, confirm_);

  connect(confirm_, &QPushButton::clicked, this, &TForm_Pasta::Confirm);
  connect(folders_, &QListWidget::itemDoubleClicked, this, &TForm_Pasta::OpenItem);

  OpenFolder(startFolder.isEmpty() ? QDir::currentPath() : startFolder);
  CentreOnScreen(*this);
}

void TForm_Pasta::OpenFolder(const QString& folder) {
  const QString path = QDir::cleanPath(QFileInfo(folder).absoluteFilePath());
  current_ = path;
  folders_->clear();

  // The path from the root down to the current folder, one level per line.
  QStringList chain;
  for (QDir d(path);; ) {
    chain.prepend(d.absolutePath());
    if (d.isRoot() || !d.cdUp()) break;
  }
  int level = 0;
  for (const QString& p : chain) {
    const QString name = QDir(p).isRoot() ? p : QFileInfo(p).fileName();
    auto* item = new QListWidgetItem(QString(level * kIndent, QChar(' ')) + name, folders_);
    item->setData(Qt::UserRole, p);
    item->setIcon(QApplication::style()->standardIcon(QStyle::SP_DirOpenIcon));
    ++level;
  }
  // Then its sub-folders, one level deeper.
  const QStringList subs =
      QDir(path).entryList(QDir::Dirs | QDir::NoDotAndDotDot | QDir::Readable, QDir::Name | QDir::IgnoreCase);
  for (const QString& s : subs) {
    auto* item = new QListWidgetItem(QString(level * kIndent, QChar(' ')) + s, folders_);
    item->setData(Qt::UserRole, QDir(path).absoluteFilePath(s));
    item->setIcon(QApplication::style()->standardIcon(QStyle::SP_DirClosedIcon));
  }
  folders_->setCurrentRow(static_cast<int>(chain.size()) - 1);
}

void TForm_Pasta::OpenItem(QListWidgetItem* item) {
  if (item) OpenFolder(item->data(Qt::UserRole).toString());
}

void TForm_Pasta::Confirm() {
  // The folder last opened, never one merely highlighted by a single click.
  if (setDestination_) setDestination_(current_);
  accept();
}

}  // namespace voske
