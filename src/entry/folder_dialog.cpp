#include "entry/folder_dialog.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QStyle>

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

  Label1 = new QLabel(QStringLiteral("Pasta de destino onde será gerado o arquivo XML/Recibo"), this);
  Label1->setObjectName(QStringLiteral("Label1"));
  QFont bold = Label1->font();
  bold.setBold(true);
  Label1->setFont(bold);
  Label1->move(21, 14);
  Label1->adjustSize();

  DirectoryListBox1 = new QListWidget(this);
  DirectoryListBox1->setObjectName(QStringLiteral("DirectoryListBox1"));
  DirectoryListBox1->setGeometry(28, 42, 301, 232);
  DirectoryListBox1->setUniformItemSizes(true);
  DirectoryListBox1->setStyleSheet(QStringLiteral("QListWidget::item { height: 16px; }"));

  BitBtn3 = new QPushButton(QStringLiteral("Confirmar"), this);
  BitBtn3->setObjectName(QStringLiteral("BitBtn3"));
  BitBtn3->setGeometry(231, 287, 99, 26);
  BitBtn3->setIcon(QApplication::style()->standardIcon(QStyle::SP_DialogApplyButton));
  BitBtn3->setDefault(true);

  setTabOrder(DirectoryListBox1, BitBtn3);

  connect(BitBtn3, &QPushButton::clicked, this, &TForm_Pasta::BitBtn3Click);
  connect(DirectoryListBox1, &QListWidget::itemDoubleClicked, this, &TForm_Pasta::DirectoryListBox1DblClick);

  OpenFolder(startFolder.isEmpty() ? QDir::currentPath() : startFolder);
  CentreOnScreen(*this);
}

void TForm_Pasta::OpenFolder(const QString& folder) {
  const QString path = QDir::cleanPath(QFileInfo(folder).absoluteFilePath());
  current_ = path;
  DirectoryListBox1->clear();

  // The path from the root down to the current folder, one level per line.
  QStringList chain;
  for (QDir d(path);; ) {
    chain.prepend(d.absolutePath());
    if (d.isRoot() || !d.cdUp()) break;
  }
  int level = 0;
  for (const QString& p : chain) {
    const QString name = QDir(p).isRoot() ? p : QFileInfo(p).fileName();
    auto* item = new QListWidgetItem(QString(level * kIndent, QChar(' ')) + name, DirectoryListBox1);
    item->setData(Qt::UserRole, p);
    item->setIcon(QApplication::style()->standardIcon(QStyle::SP_DirOpenIcon));
    ++level;
  }
  // Then its sub-folders, one level deeper.
  const QStringList subs =
      QDir(path).entryList(QDir::Dirs | QDir::NoDotAndDotDot | QDir::Readable, QDir::Name | QDir::IgnoreCase);
  for (const QString& s : subs) {
    auto* item = new QListWidgetItem(QString(level * kIndent, QChar(' ')) + s, DirectoryListBox1);
    item->setData(Qt::UserRole, QDir(path).absoluteFilePath(s));
    item->setIcon(QApplication::style()->standardIcon(QStyle::SP_DirClosedIcon));
  }
  DirectoryListBox1->setCurrentRow(static_cast<int>(chain.size()) - 1);
}

void TForm_Pasta::DirectoryListBox1DblClick(QListWidgetItem* item) {
  if (item) OpenFolder(item->data(Qt::UserRole).toString());
}

void TForm_Pasta::BitBtn3Click() {
  // The folder last opened, never one merely highlighted by a single click.
  if (setDestination_) setDestination_(current_);
  accept();
}

}  // namespace voske
