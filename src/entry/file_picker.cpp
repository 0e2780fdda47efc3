#include "entry/file_picker.h"

#include <QAbstractItemView>
#include <QDateTime>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QHeaderView>
#include <QStyledItemDelegate>
#include <QLineEdit>
#include <QLocale>
#include <QSplitter>
#include <QTimer>
#include <QTreeView>

#include "entry/component_names.h"

#include <algorithm>

namespace voske {

namespace {

// The widest name a user looks for in the picker: a generated document's.
const char kLongestName[] = "418723_FINANCEIRO_2026-12-10_135738.xml";
// The widest date and size the columns must show whole.
const char kWidestDate[] = "30/12/2026 23:59";
const char kWidestSize[] = "999,99 MB";
const char kWidestType[] = "Planilha do Microsoft Excel";

// Columns of the size, the kind and the modification date in the picker's list.
constexpr int kSizeColumn = 1;
constexpr int kKindColumn = 2;
constexpr int kDateColumn = 3;

// Shows each cell of the list through FileListText.
class LocaleCells : public QStyledItemDelegate {
 public:
  using QStyledItemDelegate::QStyledItemDelegate;

 protected:
  void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override {
    QStyledItemDelegate::initStyleOption(option, index);
    if (const auto* files = qobject_cast<const QFileSystemModel*>(index.model()))
      option->text = FileListText(*files, index);
  }
};

}  // namespace

QString FileListText(const QFileSystemModel& files, const QModelIndex& index) {
  if (index.column() == kDateColumn) {
    const QDateTime modified = files.lastModified(index);
    if (modified.isValid()) return QLocale().toString(modified, QStringLiteral("dd/MM/yyyy HH:mm"));
  }
  if (index.column() == kSizeColumn && !files.isDir(index)) return QLocale().formattedDataSize(files.size(index));
  return files.data(index, Qt::DisplayRole).toString();
}

namespace {

// The list's columns and the dialog's size. Qt makes the dialog's widgets
// only once it is shown on some desktops, and brings back the column widths
// the user last left: this runs at every opening, once the widgets exist.
void FitTheList(QFileDialog& picker) {
  auto* list = picker.findChild<QTreeView*>(QStringLiteral("treeView"));
  if (!list) return;
  const QFontMetrics metrics(list->font());
  QHeaderView* header = list->header();
  header->setStretchLastSection(false);
  // Icon, indentation and the cell's margins around the text.
  const int padding = list->iconSize().width() + 2 * list->indentation() + 16;
  header->resizeSection(0, metrics.horizontalAdvance(QString::fromLatin1(kLongestName)) + padding);
  header->resizeSection(kSizeColumn, metrics.horizontalAdvance(QString::fromUtf8(kWidestSize)) + 24);
  header->resizeSection(kKindColumn, metrics.horizontalAdvance(QString::fromUtf8(kWidestType)) + 24);
  header->resizeSection(kDateColumn, metrics.horizontalAdvance(QString::fromLatin1(kWidestDate)) + 24);
  if (!dynamic_cast<LocaleCells*>(list->itemDelegateForColumn(kDateColumn))) {
    auto* cells = new LocaleCells(list);
    list->setItemDelegateForColumn(kSizeColumn, cells);
    list->setItemDelegateForColumn(kDateColumn, cells);
  }
  int columns = 0;
  for (int c = 0; c <= kDateColumn; ++c) columns += header->sectionSize(c);
  // The side bar of places wide enough for "Computador" and a home folder's
  // name, rather than cut to their first letters.
  const int places = QFontMetrics(picker.font()).horizontalAdvance(QStringLiteral("Computador")) + 56;
  // The list's columns, the side bar, and the dialog's margins.
  const QSize wanted(columns + places + 60, 500);
  if (picker.width() < wanted.width() || picker.height() < wanted.height())
    picker.resize(picker.size().expandedTo(wanted));
  if (auto* split = picker.findChild<QSplitter*>(QStringLiteral("splitter")); split && split->count() == 2) {
    const int total = split->sizes().value(0) + split->sizes().value(1);
    if (split->sizes().value(0) < places) split->setSizes({places, std::max(total - places, columns)});
  }
}

void StartIn(QFileDialog& picker, const QString& folder) {
  picker.setDirectory(folder);
  if (auto* name = picker.findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))) name->clear();
  // The picker is made once and opened again and again: a line still
  // highlighted from an earlier opening would be taken by "Abrir" ahead of
  // what the user picks or types now (a folder there even turns "Abrir"
  // into a change of folder).
  for (auto* view : picker.findChildren<QAbstractItemView*>())
    if (view->selectionModel()) view->selectionModel()->clear();
}

}  // namespace

QFileDialog* MakeFilePicker(QWidget* owner) {
  auto* picker = new QFileDialog(owner);
  picker->setObjectName(QString::fromLatin1(component::kFileDialog));
  picker->setFileMode(QFileDialog::ExistingFile);
  picker->setAcceptMode(QFileDialog::AcceptOpen);
  // Qt's own dialog: the same on every desktop, and one the tests can drive.
  picker->setOption(QFileDialog::DontUseNativeDialog, true);
  picker->setViewMode(QFileDialog::Detail);
  return picker;
}

void PrepareFilePicker(QFileDialog& picker, const QString& filter, const QString& folder) {
  picker.setNameFilter(filter);
  StartIn(picker, folder);
  FitTheList(picker);
  // Again once the dialog is on screen, its widgets made and its saved
  // state restored.
  QTimer::singleShot(0, &picker, [&picker, folder] {
    StartIn(picker, folder);
    FitTheList(picker);
  });
}

}  // namespace voske
