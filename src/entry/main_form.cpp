#include "entry/main_form.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QAbstractItemView>
#include <QComboBox>
#include <QCompleter>
#include <QFileDialog>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QStatusBar>
#include <QToolButton>

#include "entry/component_names.h"
#include "entry/file_picker.h"
#include "entry/icons.h"
#include "entry/proxy_dialog.h"
#include "entry/ui_fonts.h"

namespace voske {

namespace {

constexpr int kClientWidth = 649;
constexpr int kClientHeight = 285;
constexpr int kToolbarHeight = 36;
constexpr int kStatusBarHeight = 19;
constexpr int kLabelRight = 178;  // the field labels end here, right-aligned
constexpr int kEditHeight = 21;

// Our icon of that kind, sized for a 28-pixel tool-bar button.
QIcon Glyph(int kind) { return QIcon(VoskeIconPixmap(kind)); }

QToolButton* ToolbarButton(QWidget* parent, const char* name, const QString& caption, int iconKind, QRect bounds) {
  auto* b = new QToolButton(parent);
  b->setObjectName(QString::fromLatin1(name));
  b->setAutoRaise(true);  // flat until the mouse is over it
  // Reached with Tab like every control, so that a run needs no mouse;
  // a click leaves the focus where it was.
  b->setFocusPolicy(Qt::TabFocus);
  b->setIcon(Glyph(iconKind));
  b->setIconSize(QSize(20, 20));
  if (!caption.isEmpty()) {
    b->setText(caption);
    b->setFont(ToolbarFont());
    b->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
  } else {
    b->setToolButtonStyle(Qt::ToolButtonIconOnly);
  }
  b->setGeometry(bounds);
  return b;
}

QLabel* FieldLabel(QWidget* parent, const char* name, const QString& caption, int y) {
  auto* l = new QLabel(caption, parent);
  l->setObjectName(QString::fromLatin1(name));
  l->setAlignment(Qt::AlignRight | Qt::AlignTop);
  const QSize size = l->sizeHint();
  l->setGeometry(kLabelRight - size.width(), y, size.width(), size.height());
  return l;
}

QComboBox* Choice(QWidget* parent, const char* name, const QStringList& items, int y) {
  auto* c = new QComboBox(parent);
  c->setObjectName(QString::fromLatin1(name));
  c->setEditable(true);                        // the user may type a text that is no item
  c->setInsertPolicy(QComboBox::NoInsert);     // typing never adds an item
  c->addItems(items);
  c->setGeometry(182, y, 145, kEditHeight);
  // The edit's own inner margins would cut "Geração do arquivo XML" by a few
  // pixels in the 145-pixel box; the frame leaves room enough without them.
  c->lineEdit()->setTextMargins(-2, 0, -2, 0);
  return c;
}

QLineEdit* PathEdit(QWidget* parent, const char* name, int y) {
  auto* e = new QLineEdit(parent);
  e->setObjectName(QString::fromLatin1(name));
  e->setGeometry(182, y, 372, kEditHeight);
  return e;
}

QToolButton* Ellipsis(QWidget* parent, const char* name, int y) {
  auto* b = new QToolButton(parent);
  b->setObjectName(QString::fromLatin1(name));
  b->setText(QStringLiteral("..."));
  b->setFocusPolicy(Qt::TabFocus);
  b->setGeometry(560, y, 23, 22);
  return b;
}

}  // namespace

void HideCompletionLists(QWidget& dialog) {
  for (QCompleter* completer : dialog.findChildren<QCompleter*>()) {
    if (QAbstractItemView* list = completer->popup(); list && list->isVisible()) list->hide();
  }
}

TForm_VOSKE_XML::TForm_VOSKE_XML(TransmissionPort& transmission, GenerationServices services, QWidget* parent)
    : QDialog(parent) {
  setObjectName(QStringLiteral("Form_VOSKE_XML"));
  setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                 Qt::WindowCloseButtonHint);
  setFont(DialogFont());
  setFixedSize(kClientWidth, kClientHeight);
  // The program's own picture in the title bar and the task switcher; the
  // dialogs it owns show it too.
  setWindowIcon(ProgramIcon());

  BuildToolbar();
  BuildFields();
  BuildStatusBar();

  fileDialog_ = MakeFilePicker(this);
  // A full path typed and confirmed with Enter closes the picker while the
  // name field's completion list is still open. That list is a window of its
  // own that holds the mouse: left on screen, it would swallow the next click
  // on the main window. It goes with the picker.
  connect(fileDialog_, &QDialog::finished, this, [this] { HideCompletionLists(*fileDialog_); });

  frontEnd_.AttachStatus(statusLine_);
  presenter_ = std::make_unique<MainWindowPresenter>(*this, frontEnd_, transmission, std::move(services));
  ConnectEvents();
  presenter_->FormCreate();
  // The first field has the focus, as the window always opened.
  documentKind_->setFocus(Qt::OtherFocusReason);
}

TForm_VOSKE_XML::~TForm_VOSKE_XML() = default;

void TForm_VOSKE_XML::BuildToolbar() {
  toolbar_ = new QFrame(this);
  toolbar_->setObjectName(QString::fromLatin1(component::kToolbar));
  toolbar_->setFrameShape(QFrame::NoFrame);
  toolbar_->setGeometry(0, 0, kClientWidth, kToolbarHeight);
  toolbar_->setAutoFillBackground(true);
  QPalette pal = toolbar_->palette();
  pal.setColor(QPalette::Window, QColor(214, 214, 173));
  toolbar_->setPalette(pal);

  mainButton_ = ToolbarButton(toolbar_, component::kMainButton, QStringLiteral("Gerar arquivo"), 9, QRect(6, 4, 112, 28));
  statusPageButton_ =
      ToolbarButton(toolbar_, component::kStatusPageButton, QStringLiteral("Status da transmissão"), 13, QRect(118, 4, 156, 28));
  quitButton_ = ToolbarButton(toolbar_, component::kQuitButton, QString(), 16, QRect(274, 4, 28, 28));
  quitButton_->setToolTip(QStringLiteral("Sair"));
}

void TForm_VOSKE_XML::BuildFields() {
  fields_ = new QFrame(this);
  fields_->setObjectName(QString::fromLatin1(component::kFieldsPanel));
  fields_->setFrameShape(QFrame::NoFrame);
  fields_->setGeometry(0, kToolbarHeight, kClientWidth, kClientHeight - kToolbarHeight - kStatusBarHeight);

  documentLabel_ = FieldLabel(fields_, component::kDocumentLabel, QStringLiteral("Arquivo a ser gerado:"), 45);
  actionLabel_ = FieldLabel(fields_, component::kActionLabel, QStringLiteral("Ação a ser gerada:"), 73);
  workbookLabel_ = FieldLabel(fields_, component::kWorkbookLabel, QStringLiteral("Arquivo Excel (Planilha Padrão):"), 102);
  destinationLabel_ = FieldLabel(fields_, component::kDestinationLabel, QStringLiteral("Pasta de destino:"), 130);
  xmlFileLabel_ = FieldLabel(fields_, component::kXmlFileLabel, QStringLiteral("Arquivo XML a enviar:"), 158);

  documentKind_ = Choice(fields_, component::kDocumentKind, {QStringLiteral("Dados cadastrais"), QStringLiteral("Dados financeiros")}, 42);
  action_ =
      Choice(fields_, component::kAction, {QStringLiteral("Geração do arquivo XML"), QStringLiteral("Envio para a OXR")}, 70);

  useProxy_ = new QCheckBox(QStringLiteral("Utilizar Proxy ao Enviar"), fields_);
  useProxy_->setObjectName(QString::fromLatin1(component::kUseProxy));
  useProxy_->move(341, 69);
  useProxy_->adjustSize();

  workbookPath_ = PathEdit(fields_, component::kWorkbookPath, 99);
  destinationFolder_ = PathEdit(fields_, component::kDestinationFolder, 127);
  xmlFilePath_ = PathEdit(fields_, component::kXmlFilePath, 155);
  pickWorkbook_ = Ellipsis(fields_, component::kPickWorkbook, 99);
  pickDestination_ = Ellipsis(fields_, component::kPickDestination, 127);
  pickXmlFile_ = Ellipsis(fields_, component::kPickXmlFile, 155);

  statusLine_ = new QLabel(QStringLiteral("Status:"), fields_);
  statusLine_->setObjectName(QString::fromLatin1(component::kStatusLine));
  // Wide enough for the longest step of a generation.
  statusLine_->setGeometry(185, 183, kClientWidth - 185 - 8, statusLine_->sizeHint().height());

  // Reading order: the toolbar, then each field followed by its "..." button.
  const QWidget* order[] = {mainButton_,   statusPageButton_,  quitButton_,        documentKind_,
                            action_,       useProxy_,          workbookPath_,      pickWorkbook_,
                            destinationFolder_, pickDestination_, xmlFilePath_, pickXmlFile_};
  for (std::size_t i = 0; i + 1 < std::size(order); ++i)
    setTabOrder(const_cast<QWidget*>(order[i]), const_cast<QWidget*>(order[i + 1]));
}

void TForm_VOSKE_XML::BuildStatusBar() {
  statusBar_ = new QStatusBar(this);
  statusBar_->setObjectName(QString::fromLatin1(component::kStatusBar));
  statusBar_->setSizeGripEnabled(false);
  statusBar_->setGeometry(0, kClientHeight - kStatusBarHeight, kClientWidth, kStatusBarHeight);
  const struct {
    const char* text;
    int width;
  } panels[] = {{"Versão 2013-06.01", 120}, {"", 50}, {"", 50}, {"", 50}};
  int i = 0;
  for (const auto& p : panels) {
    auto* panel = new QLabel(QString::fromUtf8(p.text), statusBar_);
    panel->setObjectName(QStringLiteral("Panels%1").arg(i++));
    panel->setFixedWidth(p.width);
    statusBar_->addWidget(panel);
  }
}

void TForm_VOSKE_XML::ConnectEvents() {
  MainWindowPresenter* p = presenter_.get();
  connect(mainButton_, &QToolButton::clicked, this, [p] { p->GenerateOrSend(); });
  connect(statusPageButton_, &QToolButton::clicked, this, [p] { p->OpenStatusPage(); });
  connect(pickWorkbook_, &QToolButton::clicked, this, [p] { p->PickWorkbook(); });
  connect(pickXmlFile_, &QToolButton::clicked, this, [p] { p->PickXmlFile(); });
  connect(pickDestination_, &QToolButton::clicked, this, [p] { p->PickDestinationFolder(); });
  connect(quitButton_, &QToolButton::clicked, this, [p] { p->Quit(); });
  // Every change of the action's text, picked from the list or typed.
  connect(action_, &QComboBox::currentTextChanged, this, [p] { p->ActionChanged(); });
  connect(useProxy_, &QCheckBox::clicked, this, [p] { p->ProxyBoxClicked(); });
}

void TForm_VOSKE_XML::closeEvent(QCloseEvent* event) {
  if (!presenter_->FormCloseQuery()) {
    event->ignore();
    return;
  }
  presenter_->FormClose();
  QDialog::closeEvent(event);
}

void TForm_VOSKE_XML::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Escape) {
    event->accept();
    return;
  }
  // Enter presses the focused toolbar or "..." button, as Space does.
  if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
    if (auto* button = qobject_cast<QToolButton*>(focusWidget()); button && button->isEnabled()) {
      event->accept();
      button->click();
      return;
    }
  }
  QDialog::keyPressEvent(event);
}

}  // namespace voske
