#include "entry/folder_dialog.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QFileInfo>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QStyle>

#include <algorithm>

#include "entry/component_names.h"
#include "entry/icons.h"
#include "entry/screen_placement.h"
#include "entry/ui_fonts.h"

namespace voske {

namespace {

constexpr int kIndent = 3;  // blanks per level of the tree

// The folder list, as the keyboard works it: typing a name moves to the first
// folder whose name starts so (the names are indented, which the list's own
// search would not see past), and Enter on a highlighted folder opens it.
// Enter on the folder already open goes on to the dialog, whose default
// button is "Confirmar".
class FolderList : public QListWidget {
 public:
  FolderList(QWidget* parent, std::function<void(QListWidgetItem*)> open, std::function<bool(QListWidgetItem*)> isOpen)
      : QListWidget(parent), open_(std::move(open)), isOpen_(std::move(isOpen)) {}

  void keyboardSearch(const QString& search) override {
    if (!typing_.isValid() || typing_.elapsed() > QApplication::keyboardInputInterval()) typed_.clear();
    typing_.start();
    typed_ += search;
    // A first letter looks past the highlighted line, so the same letter
    // typed again goes to the next folder; more letters refine the same one.
    const int from = typed_.size() == 1 ? currentRow() + 1 : std::max(currentRow(), 0);
    for (int n = 0; n < count(); ++n) {
      QListWidgetItem* candidate = item((from + n) % count());
      if (candidate->text().trimmed().startsWith(typed_, Qt::CaseInsensitive)) {
        setCurrentItem(candidate);
        return;
      }
    }
  }

 protected:
  void keyPressEvent(QKeyEvent* event) override {
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (enter && currentItem() && !isOpen_(currentItem())) {
      event->accept();
      open_(currentItem());
      return;
    }
    if (enter) {
      event->ignore();  // to the dialog's default button
      return;
    }
    if (event->text().isEmpty()) typed_.clear();  // moved by arrows or Home: a new search
    QListWidget::keyPressEvent(event);
  }

 private:
  std::function<void(QListWidgetItem*)> open_;
  std::function<bool(QListWidgetItem*)> isOpen_;
  QString typed_;
  QElapsedTimer typing_;
};

}  // namespace

TForm_Pasta::TForm_Pasta(std::function<void(const QString&)> setDestination, const QString& startFolder,
                         QWidget* owner)
    : QDialog(owner), setDestination_(std::move(setDestination)) {
  setObjectName(QStringLiteral("Form_Pasta"));
  setWindowTitle(QStringLiteral("Escolha do diretório"));
  setWindowIcon(ProgramIcon());  // owned by no window, it shows the picture itself
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

  folders_ = new FolderList(
      this, [this](QListWidgetItem* item) { OpenItem(item); },
      [this](QListWidgetItem* item) { return item->data(Qt::UserRole).toString() == current_; });
  folders_->setObjectName(QString::fromLatin1(component::kFolderList));
  folders_->setGeometry(28, 42, 301, 212);
  folders_->setUniformItemSizes(true);
  folders_->setStyleSheet(QStringLiteral("QListWidget::item { height: 16px; }"));

  // What "Confirmar" takes, always in sight: the folder last opened, which
  // a merely highlighted line does not change.
  chosen_ = new QLabel(this);
  chosen_->setObjectName(QStringLiteral("chosenFolder"));
  chosen_->setGeometry(28, 258, 301, 22);

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
  const QString shown = QDir::toNativeSeparators(path);
  chosen_->setText(chosen_->fontMetrics().elidedText(QStringLiteral("Pasta escolhida: ") + shown, Qt::ElideMiddle,
                                                    chosen_->width()));
  chosen_->setToolTip(shown);
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
