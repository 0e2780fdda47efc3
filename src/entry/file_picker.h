#pragma once
// The main window's file-open dialog: Qt's own, in the detail view, wide
// enough that a document's name ("418723_CADASTRAL_2026-12-10_135738.xml"),
// its size and its date show whole, the dates written the Brazilian way.
#include <QString>

class QFileDialog;
class QFileSystemModel;
class QModelIndex;
class QWidget;

namespace voske {

// Makes the picker, owned by `owner`, with the component name the tests use.
QFileDialog* MakeFilePicker(QWidget* owner);

// Readies the picker for one opening: the filter ("Arquivo XML (*.xml)"), the
// folder it opens at, and no file name typed, so that "Abrir" takes only what
// the user picks this time.
void PrepareFilePicker(QFileDialog& picker, const QString& filter, const QString& folder);

// The text the picker's list shows in a cell: sizes and modification dates
// as the user's locale (Brazilian Portuguese) writes them; the file model
// would write them in the system's locale, which on a machine set up in
// English reads "10.26 KiB" and "12/10/26 1:57 PM".
QString FileListText(const QFileSystemModel& files, const QModelIndex& index);

}  // namespace voske
