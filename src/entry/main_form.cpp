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
  b->setFocusPolicy(Qt::NoFocus);
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
  b->setFocusPolicy(Qt::NoFocus);
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

  BuildToolbar();
  BuildFields();
  BuildStatusBar();

  OpenDialog1 = new QFileDialog(this);
  OpenDialog1->setObjectName(QStringLiteral("OpenDialog1"));
  OpenDialog1->setFileMode(QFileDialog::ExistingFile);
  OpenDialog1->setAcceptMode(QFileDialog::AcceptOpen);
  // Qt's own dialog: the same on every desktop, and one the tests can drive.
  OpenDialog1->setOption(QFileDialog::DontUseNativeDialog, true);
  // A full path typed and confirmed with Enter closes the picker while the
  // name field's completion list is still open. That list is a window of its
  // own that holds the mouse: left on screen, it would swallow the next click
  // on the main window. It goes with the picker.
  connect(OpenDialog1, &QDialog::finished, this, [this] { HideCompletionLists(*OpenDialog1); });

  frontEnd_.AttachStatus(LB_Status);
  presenter_ = std::make_unique<MainWindowPresenter>(*this, frontEnd_, transmission, std::move(services));
  ConnectEvents();
  presenter_->FormCreate();
}

TForm_VOSKE_XML::~TForm_VOSKE_XML() = default;

void TForm_VOSKE_XML::BuildToolbar() {
  Panel1 = new QFrame(this);
  Panel1->setObjectName(QStringLiteral("Panel1"));
  Panel1->setFrameShape(QFrame::NoFrame);
  Panel1->setGeometry(0, 0, kClientWidth, kToolbarHeight);
  Panel1->setAutoFillBackground(true);
  QPalette pal = Panel1->palette();
  pal.setColor(QPalette::Window, QColor(214, 214, 173));
  Panel1->setPalette(pal);

  B_Gerar_Arquivo = ToolbarButton(Panel1, "B_Gerar_Arquivo", QStringLiteral("Gerar arquivo"), 9, QRect(6, 4, 112, 28));
  SpeedButton1 =
      ToolbarButton(Panel1, "SpeedButton1", QStringLiteral("Status da transmissão"), 13, QRect(118, 4, 156, 28));
  Sair = ToolbarButton(Panel1, "Sair", QString(), 16, QRect(274, 4, 28, 28));
  Sair->setToolTip(QStringLiteral("Sair"));
}

void TForm_VOSKE_XML::BuildFields() {
  Panel2 = new QFrame(this);
  Panel2->setObjectName(QStringLiteral("Panel2"));
  Panel2->setFrameShape(QFrame::NoFrame);
  Panel2->setGeometry(0, kToolbarHeight, kClientWidth, kClientHeight - kToolbarHeight - kStatusBarHeight);

  Label4 = FieldLabel(Panel2, "Label4", QStringLiteral("Arquivo a ser gerado:"), 45);
  Label5 = FieldLabel(Panel2, "Label5", QStringLiteral("Ação a ser gerada:"), 73);
  Label1 = FieldLabel(Panel2, "Label1", QStringLiteral("Arquivo Excel (Planilha Padrão):"), 102);
  Label2 = FieldLabel(Panel2, "Label2", QStringLiteral("Pasta de destino:"), 130);
  Label3 = FieldLabel(Panel2, "Label3", QStringLiteral("Arquivo XML a enviar:"), 158);

  ComboBox1 = Choice(Panel2, "ComboBox1", {QStringLiteral("Dados cadastrais"), QStringLiteral("Dados financeiros")}, 42);
  ComboBox2 =
      Choice(Panel2, "ComboBox2", {QStringLiteral("Geração do arquivo XML"), QStringLiteral("Envio para a OXR")}, 70);

  chkUtilizarProxy = new QCheckBox(QStringLiteral("Utilizar Proxy ao Enviar"), Panel2);
  chkUtilizarProxy->setObjectName(QStringLiteral("chkUtilizarProxy"));
  chkUtilizarProxy->move(341, 69);
  chkUtilizarProxy->adjustSize();

  FilenameEdit1 = PathEdit(Panel2, "FilenameEdit1", 99);
  DirectoryEdit1 = PathEdit(Panel2, "DirectoryEdit1", 127);
  fneArquivoXML = PathEdit(Panel2, "fneArquivoXML", 155);
  SpeedButton2 = Ellipsis(Panel2, "SpeedButton2", 99);
  SpeedButton4 = Ellipsis(Panel2, "SpeedButton4", 127);
  SpeedButton3 = Ellipsis(Panel2, "SpeedButton3", 155);

  LB_Status = new QLabel(QStringLiteral("Status:"), Panel2);
  LB_Status->setObjectName(QStringLiteral("LB_Status"));
  // Wide enough for the longest step of a generation.
  LB_Status->setGeometry(185, 183, kClientWidth - 185 - 8, LB_Status->sizeHint().height());

  setTabOrder(ComboBox1, ComboBox2);
  setTabOrder(ComboBox2, chkUtilizarProxy);
  setTabOrder(chkUtilizarProxy, FilenameEdit1);
  setTabOrder(FilenameEdit1, DirectoryEdit1);
  setTabOrder(DirectoryEdit1, fneArquivoXML);
}

void TForm_VOSKE_XML::BuildStatusBar() {
  StatusBar1 = new QStatusBar(this);
  StatusBar1->setObjectName(QStringLiteral("StatusBar1"));
  StatusBar1->setSizeGripEnabled(false);
  StatusBar1->setGeometry(0, kClientHeight - kStatusBarHeight, kClientWidth, kStatusBarHeight);
  const struct {
    const char* text;
    int width;
  } panels[] = {{"Versão 2013-06.01", 120}, {"", 50}, {"", 50}, {"", 50}};
  int i = 0;
  for (const auto& p : panels) {
    auto* panel = new QLabel(QString::fromUtf8(p.text), StatusBar1);
    panel->setObjectName(QStringLiteral("Panels%1").arg(i++));
    panel->setFixedWidth(p.width);
    StatusBar1->addWidget(panel);
  }
}

void TForm_VOSKE_XML::ConnectEvents() {
  MainWindowPresenter* p = presenter_.get();
  connect(B_Gerar_Arquivo, &QToolButton::clicked, this, [p] { p->B_Gerar_ArquivoClick(); });
  connect(SpeedButton1, &QToolButton::clicked, this, [p] { p->SpeedButton1Click(); });
  connect(SpeedButton2, &QToolButton::clicked, this, [p] { p->SpeedButton2Click(); });
  connect(SpeedButton3, &QToolButton::clicked, this, [p] { p->SpeedButton3Click(); });
  connect(SpeedButton4, &QToolButton::clicked, this, [p] { p->SpeedButton4Click(); });
  connect(Sair, &QToolButton::clicked, this, [p] { p->SairClick(); });
  // Every change of the action's text, picked from the list or typed.
  connect(ComboBox2, &QComboBox::currentTextChanged, this, [p] { p->ComboBox2Change(); });
  connect(chkUtilizarProxy, &QCheckBox::clicked, this, [p] { p->chkUtilizarProxyClick(); });
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
  QDialog::keyPressEvent(event);
}

}  // namespace voske
