#pragma once
// ShowMessageDialog: the one window through which every message reaches the
// user. Built in code and sized to its text; Arial text, our own icons,
// Portuguese button captions, an optional "Ver mais..." block of details.
#include <QDialog>
#include <QRect>
#include <QSize>
#include <QStringList>

#include <array>
#include <memory>
#include <vector>

class QLabel;
class QPlainTextEdit;
class QPushButton;

namespace voske {

enum class ButtonRole { None, Default, Cancel };

// One entry of the fixed button table; bit i of a button set selects entry i.
struct MessageButtonEntry {
  const char* caption;  // UTF-8, "&" marks the accelerator
  int result;           // modal result
  ButtonRole role;
  bool closes;          // the help entry opens help instead of closing
};
const std::array<MessageButtonEntry, 11>& MessageButtonTable();

inline constexpr int kMessageButtonWidth = 80;
inline constexpr int kMessageButtonHeight = 27;
inline constexpr int kMessageButtonGap = 8;
inline constexpr int kMessageMaxChars = 1000;
inline constexpr quint16 kButtonOk = 1u << 2;
// The height of the row a bottom button adds.
inline constexpr int kMessageBottomRow = 35;

// Where everything goes, from the icon size, the measured text size, the
// number of buttons and the large switch. Kept apart from the widgets so that
// the arithmetic can be checked on its own.
struct MessageDialogGeometry {
  QRect icon;
  QRect text;
  std::vector<QRect> buttons;
  int clientWidth = 0;
  int clientHeight = 0;
};
MessageDialogGeometry ComputeMessageGeometry(QSize iconSize, QSize textSize, int buttonCount, bool large);

// The text rectangle before measuring: from the icon's right to half the
// screen width; the measurement shrinks or grows it to what the text needs.
QRect MeasureMessageText(const QString& text, int iconWidth, int screenWidth);

class TMessageForm : public QDialog {
  Q_OBJECT
 public:
  explicit TMessageForm(QWidget* parent = nullptr);

  QLabel* icon = nullptr;
  QLabel* text = nullptr;
  QLabel* moreLink = nullptr;
  const QStringList* details = nullptr;
  QStringList ownDetails;  // the lines, when the dialog keeps its own
  QPlainTextEdit* detailsBox = nullptr;
  std::vector<QPushButton*> buttons;  // the button table's, in order
  QPushButton* bottomButton = nullptr;
  int iconKind = 0;

  void ToggleDetails();
  // A button on a row of its own at the bottom, at the left of "Ver
  // mais...", which moves up into that row: the dialog grows by the row. It
  // closes nothing and never takes Enter.
  QPushButton* AddBottomButton(const QString& caption, const char* objectName);

 protected:
  void reject() override;  // Esc, or the window's close button
  bool eventFilter(QObject* watched, QEvent* event) override;  // clicks on the link

 private:
  void PlaceBottomControls();
};

// Builds the dialog without showing it (tests look at it as it is built).
std::unique_ptr<TMessageForm> BuildMessageDialog(const QString& text, int iconKind, quint16 buttons,
                                                 const QString& caption, int defaultButton, bool large,
                                                 const QStringList* details);

// Beeps, shows the dialog modally and returns the result of the button that closed it.
int ShowMessageDialog(const QString& text, int iconKind, quint16 buttons, const QString& caption,
                      int defaultButton = 0, bool large = false, const QStringList* details = nullptr);

}  // namespace voske
