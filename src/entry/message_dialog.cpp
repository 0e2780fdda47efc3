#include "entry/message_dialog.h"

#include <QApplication>
#include <QFontMetrics>
#include <QEvent>
#include <QLabel>
#include <QPalette>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QStyle>

#include <algorithm>

#include "entry/component_names.h"
#include "entry/icons.h"
#include "entry/ui_fonts.h"

namespace voske {

const std::array<MessageButtonEntry, 11>& MessageButtonTable() {
  static const std::array<MessageButtonEntry, 11> table = {{
      {"&Sim", 6, ButtonRole::Default, true},
      {"&Não", 7, ButtonRole::Cancel, true},
      {"&OK", 1, ButtonRole::Default, true},
      {"&Cancelar", 2, ButtonRole::Cancel, true},
      {"&Abortar", 3, ButtonRole::None, true},
      {"&Tentar", 4, ButtonRole::None, true},
      {"&Ignorar", 5, ButtonRole::None, true},
      {"&Todos", 8, ButtonRole::None, true},
      {"", 0, ButtonRole::None, true},
      {"", 0, ButtonRole::None, true},
      {"&Ajuda", 0, ButtonRole::None, false},
  }};
  return table;
}

namespace {

QStyle::StandardPixmap GlyphOf(int entry) {
  switch (entry) {
    case 0: return QStyle::SP_DialogYesButton;
    case 1: return QStyle::SP_DialogNoButton;
    case 2: return QStyle::SP_DialogOkButton;
    case 3: return QStyle::SP_DialogCancelButton;
    case 4: return QStyle::SP_DialogAbortButton;
    case 5: return QStyle::SP_DialogRetryButton;
    case 6: return QStyle::SP_DialogIgnoreButton;
    case 7: return QStyle::SP_DialogYesToAllButton;
    case 10: return QStyle::SP_DialogHelpButton;
    default: return QStyle::SP_CustomBase;
  }
}

struct ExtraRoom {
  int width = 0, top = 0, height = 0;
};

ExtraRoom ExtraFor(bool large) { return large ? ExtraRoom{300, 30, 50} : ExtraRoom{}; }

// Messages break lines with a lone carriage return; Qt breaks on line feeds.
QString DisplayText(const QString& text) {
  QString t = text;
  t.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  t.replace(QChar('\r'), QChar('\n'));
  return t;
}

}  // namespace

MessageDialogGeometry ComputeMessageGeometry(QSize iconSize, QSize textSize, int buttonCount, bool large) {
  const ExtraRoom extra = ExtraFor(large);
  MessageDialogGeometry g;
  g.icon = QRect(6, 20, iconSize.width(), iconSize.height());
  g.text = QRect(iconSize.width() + 15, 15, textSize.width(), textSize.height());
  const int textBottom = 15 + textSize.height();

  const int totalButtons = buttonCount * kMessageButtonWidth;
  g.clientWidth = std::max(iconSize.width() + 20 + textSize.width() + extra.width,
                           totalButtons + (buttonCount + 1) * kMessageButtonGap);

  int x = (g.clientWidth - totalButtons - (buttonCount - 1) * kMessageButtonGap) / 2;
  const int top = std::max(textBottom, iconSize.height() + 20) + 15 + extra.top;
  for (int i = 0; i < buttonCount; ++i) {
    g.buttons.emplace_back(x, top, kMessageButtonWidth, kMessageButtonHeight);
    x += kMessageButtonWidth + kMessageButtonGap;
  }
  g.clientHeight = std::max(textSize.height() + 15, iconSize.height() + 20) + kMessageButtonHeight + 20 + extra.height;
  return g;
}

QRect MeasureMessageText(const QString& text, int iconWidth, int screenWidth) {
  // The text is measured with the default 8-point interface font, not the
  // dialog's Arial: that is how the dialog has always sized itself.
  QFont measuring = QApplication::font();
  measuring.setPointSize(8);
  const QFontMetrics fm(measuring);
  const int left = iconWidth + 15;
  const int right = screenWidth / 2;
  const QRect needed = fm.boundingRect(QRect(left, 15, std::max(0, right - left), 0),
                                       Qt::TextWordWrap | Qt::AlignLeft | Qt::AlignTop, DisplayText(text));
  return QRect(left, 15, needed.width(), needed.height());
}

TMessageForm::TMessageForm(QWidget* parent) : QDialog(parent) {}

bool TMessageForm::eventFilter(QObject* watched, QEvent* event) {
  if (watched == moreLink && event->type() == QEvent::MouseButtonRelease) {
    ToggleDetails();
    return true;
  }
  return QDialog::eventFilter(watched, event);
}

void TMessageForm::reject() {
  // Esc closes the dialog only through a cancel button, and the close box
  // only when there is one to stand for; otherwise both do nothing, as the
  // user must answer the message with one of its own buttons.
  const auto& table = MessageButtonTable();
  for (QPushButton* b : buttons) {
    const int entry = b->property("entry").toInt();
    if (table[static_cast<size_t>(entry)].role == ButtonRole::Cancel) {
      b->click();
      return;
    }
  }
  if (buttons.size() == 1) buttons.front()->click();
}

void TMessageForm::PlaceBottomControls() {
  // Both the link and the details box sit against the bottom edge, the box
  // lowest, spanning the whole width.
  int bottom = height();
  if (detailsBox) {
    detailsBox->setGeometry(0, bottom - 100, width(), 100);
    bottom -= 100;
  }
  int linkLeft = 0;
  int linkBottom = bottom;
  if (bottomButton) {
    // The row above the box: the button at the left, the link at the
    // right on the button's middle line, both well clear of the edge.
    const int top = bottom - kMessageBottomRow + (kMessageBottomRow - kMessageButtonHeight) / 2;
    const int w = std::max(120, bottomButton->sizeHint().width());
    bottomButton->setGeometry(kMessageButtonGap, top, w, kMessageButtonHeight);
    linkLeft = kMessageButtonGap + w;
    if (moreLink) linkBottom = top + (kMessageButtonHeight + moreLink->sizeHint().height()) / 2;
  }
  if (moreLink) {
    const int h = moreLink->sizeHint().height();
    moreLink->setGeometry(linkLeft, linkBottom - h, width() - linkLeft - (bottomButton ? kMessageButtonGap : 0), h);
  }
}

QPushButton* TMessageForm::AddBottomButton(const QString& caption, const char* objectName) {
  bottomButton = new QPushButton(caption, this);
  bottomButton->setObjectName(QString::fromLatin1(objectName));
  bottomButton->setAutoDefault(false);
  setFixedHeight(height() + kMessageBottomRow);
  PlaceBottomControls();
  return bottomButton;
}

void TMessageForm::ToggleDetails() {
  if (!moreLink) return;
  if (moreLink->property("tag").toInt() == 0) {
    setFixedHeight(height() + 115);
    moreLink->setText(QStringLiteral("Ocultar detalhes..."));
    moreLink->setProperty("tag", 1);
    detailsBox = new QPlainTextEdit(this);
    detailsBox->setObjectName(QString::fromLatin1(component::kDetailsBox));
    detailsBox->setReadOnly(true);
    detailsBox->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    detailsBox->setFrameShape(QFrame::NoFrame);
    QPalette p = detailsBox->palette();
    p.setColor(QPalette::Base, palette().color(QPalette::Button));
    detailsBox->setPalette(p);
    detailsBox->clear();
    if (details) detailsBox->setPlainText(details->join(QChar('\n')));
    detailsBox->show();
  } else {
    setFixedHeight(height() - 115);
    moreLink->setText(QStringLiteral("Ver mais..."));
    moreLink->setProperty("tag", 0);
    delete detailsBox;
    detailsBox = nullptr;
  }
  PlaceBottomControls();
}

std::unique_ptr<TMessageForm> BuildMessageDialog(const QString& text, int iconKind, quint16 buttons,
                                                 const QString& caption, int defaultButton, bool large,
                                                 const QStringList* details) {
  static const QStringList kNoDetails;
  if (!details) details = &kNoDetails;
  QApplication::beep();

  auto form = std::make_unique<TMessageForm>();
  form->setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowStaysOnTopHint);
  form->setWindowTitle(caption);
  // Owned by no window: it shows the program's picture itself.
  form->setWindowIcon(ProgramIcon());
  form->setFont(DialogFont());
  form->setWindowModality(Qt::ApplicationModal);

  // Icon at the top left, in its own size.
  const QPixmap icon = VoskeIconPixmap(iconKind);
  form->iconKind = iconKind;
  form->icon = new QLabel(form.get());
  form->icon->setObjectName(QString::fromLatin1(component::kMessageIcon));
  form->icon->setPixmap(icon);
  form->icon->setGeometry(6, 20, icon.width(), icon.height());

  QScreen* screen = QApplication::primaryScreen();
  const int screenWidth = screen ? screen->geometry().width() : 1024;
  const QRect textRect = MeasureMessageText(text, icon.width(), screenWidth);

  int count = 0;
  for (int i = 0; i <= 10; ++i)
    if (buttons & (1u << i)) ++count;
  const MessageDialogGeometry g = ComputeMessageGeometry(icon.size(), textRect.size(), count, large);

  if (!details->isEmpty()) {
    form->details = details;
    form->moreLink = new QLabel(QStringLiteral("Ver mais..."), form.get());
    form->moreLink->setObjectName(QString::fromLatin1(component::kMoreLink));
    form->moreLink->setWordWrap(true);
    form->moreLink->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    // Blue and underlined: a link, plainly.
    form->moreLink->setStyleSheet(QStringLiteral("color: rgb(0,0,255); text-decoration: underline;"));
    form->moreLink->setCursor(Qt::PointingHandCursor);
    form->moreLink->setProperty("tag", 0);
    form->moreLink->installEventFilter(form.get());
  }

  form->text = new QLabel(DisplayText(text), form.get());
  form->text->setObjectName(QString::fromLatin1(component::kMessageText));
  form->text->setWordWrap(true);
  form->text->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  form->text->setGeometry(textRect);
  form->text->setTextInteractionFlags(Qt::TextSelectableByMouse);
  if (large) {
    QFont f = form->text->font();
    f.setPointSize(14);
    f.setWeight(QFont::Bold);
    form->text->setFont(f);
  }

  const auto& table = MessageButtonTable();
  QStyle* style = QApplication::style();
  int shown = 0;
  for (int i = 0; i <= 10; ++i) {
    if (!(buttons & (1u << i))) continue;
    const MessageButtonEntry& entry = table[static_cast<size_t>(i)];
    auto* b = new QPushButton(QString::fromUtf8(entry.caption), form.get());
    b->setProperty("entry", i);
    b->setGeometry(g.buttons[static_cast<size_t>(shown)]);
    if (GlyphOf(i) != QStyle::SP_CustomBase) b->setIcon(style->standardIcon(GlyphOf(i)));
    b->setAutoDefault(true);
    if (entry.role == ButtonRole::Default) b->setDefault(true);
    if (entry.closes) {
      QObject::connect(b, &QPushButton::clicked, form.get(), [f = form.get(), r = entry.result] { f->done(r); });
    }
    form->buttons.push_back(b);
    ++shown;
    if (shown == defaultButton + 1) {
      b->setFocus(Qt::OtherFocusReason);
      b->setDefault(true);
    }
  }
  // The first focus goes to the chosen button even where another one is the
  // keyboard default.
  if (defaultButton > 0 && defaultButton < static_cast<int>(form->buttons.size())) {
    QWidget::setTabOrder(form->buttons[static_cast<size_t>(defaultButton)], form->buttons.front());
    form->buttons[static_cast<size_t>(defaultButton)]->setFocus(Qt::OtherFocusReason);
  }

  form->setFixedSize(g.clientWidth, g.clientHeight);
  if (form->moreLink) {
    const int h = form->moreLink->sizeHint().height();
    form->moreLink->setGeometry(0, g.clientHeight - h, g.clientWidth, h);
  }
  return form;
}

int ShowMessageDialog(const QString& text, int iconKind, quint16 buttons, const QString& caption, int defaultButton,
                      bool large, const QStringList* details) {
  std::unique_ptr<TMessageForm> form =
      BuildMessageDialog(text.left(kMessageMaxChars), iconKind, buttons, caption, defaultButton, large, details);
  return form->exec();
}

}  // namespace voske
