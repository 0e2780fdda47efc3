#pragma once
// TForm_Pasta: picks the destination folder, where the XML files are written
// and under which the "Recibo" folder is made.
#include <QDialog>
#include <QDir>

#include <functional>

class QLabel;
class QListWidget;
class QListWidgetItem;
class QPushButton;

namespace voske {

class TForm_Pasta : public QDialog {
  Q_OBJECT
 public:
  // `setDestination` receives the chosen folder (the main window's
  // destination field); the list opens at `startFolder` (the current directory
  // when empty).
  explicit TForm_Pasta(std::function<void(const QString&)> setDestination, const QString& startFolder = QString(),
                       QWidget* owner = nullptr);

  // The folder last opened by a double click (initially the start folder).
  QString CurrentFolder() const { return current_; }
  // Opens `folder`: lists the path from the root down to it, then its sub-folders.
  void OpenFolder(const QString& folder);

  // "Confirmar": hands the folder last opened to the main window and closes.
  void Confirm();

 private:
  // A double click opens the folder of that line.
  void OpenItem(QListWidgetItem* item);

  QLabel* caption_;
  QListWidget* folders_;
  QLabel* chosen_;  // the folder "Confirmar" takes
  QPushButton* confirm_;

  std::function<void(const QString&)> setDestination_;
  QString current_;
};

}  // namespace voske
