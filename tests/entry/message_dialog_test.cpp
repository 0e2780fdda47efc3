#include "entry/message_dialog.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QFontMetrics>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QTimer>

#include "entry/icons.h"
#include "entry/qt_app.h"

namespace voske {
namespace {

class MessageDialogTest : public ::testing::Test {
 protected:
  void SetUp() override { support::EnsureApp(); }
  static int ScreenWidth() { return QApplication::primaryScreen()->geometry().width(); }
};

TEST_F(MessageDialogTest, ButtonTableIsTheFixedElevenEntries) {
  const auto& t = MessageButtonTable();
  ASSERT_EQ(t.size(), 11u);
  EXPECT_STREQ(t[0].caption, "&Sim");
  EXPECT_EQ(t[0].result, 6);
  EXPECT_EQ(t[0].role, ButtonRole::Default);
  EXPECT_STREQ(t[1].caption, "&Não");
  EXPECT_EQ(t[1].role, ButtonRole::Cancel);
  EXPECT_STREQ(t[2].caption, "&OK");
  EXPECT_EQ(t[2].result, 1);
  EXPECT_STREQ(t[3].caption, "&Cancelar");
  EXPECT_EQ(t[3].result, 2);
  EXPECT_STREQ(t[7].caption, "&Todos");
  EXPECT_EQ(t[7].result, 8);
  EXPECT_STREQ(t[8].caption, "");
  EXPECT_STREQ(t[10].caption, "&Ajuda");
  EXPECT_FALSE(t[10].closes);
}

TEST_F(MessageDialogTest, GeometryOfAOneLineErrorWithOk) {
  const MessageDialogGeometry g = ComputeMessageGeometry(QSize(32, 32), QSize(150, 13), 1, false);
  EXPECT_EQ(g.text.left(), 47);
  EXPECT_EQ(g.text.top(), 15);
  EXPECT_EQ(g.clientWidth, std::max(32 + 20 + 150, 80 + 16));
  EXPECT_EQ(g.clientHeight, std::max(13 + 15, 52) + 47);
  ASSERT_EQ(g.buttons.size(), 1u);
  EXPECT_EQ(g.buttons[0], QRect((202 - 80) / 2, std::max(15 + 13, 52) + 15, 80, 27));
}

TEST_F(MessageDialogTest, GeometryOfTwoButtonsAndOfNarrowText) {
  // Narrow text: the buttons decide the width.
  const MessageDialogGeometry g = ComputeMessageGeometry(QSize(32, 32), QSize(20, 13), 2, false);
  EXPECT_EQ(g.clientWidth, 160 + 3 * 8);
  EXPECT_EQ(g.buttons[0].left(), (g.clientWidth - 168) / 2);
  EXPECT_EQ(g.buttons[1].left(), g.buttons[0].left() + 88);
  // Wide text: the buttons are centred under it, rounding toward zero.
  const MessageDialogGeometry w = ComputeMessageGeometry(QSize(32, 32), QSize(301, 100), 2, false);
  EXPECT_EQ(w.clientWidth, 353);
  EXPECT_EQ(w.buttons[0].left(), (353 - 168) / 2);
  EXPECT_EQ(w.buttons[0].top(), 15 + 100 + 15);  // below a text taller than the icon
  EXPECT_EQ(w.clientHeight, 115 + 47);
}

TEST_F(MessageDialogTest, GeometryOfTheLargeVariant) {
  const MessageDialogGeometry g = ComputeMessageGeometry(QSize(32, 32), QSize(100, 13), 1, true);
  EXPECT_EQ(g.clientWidth, 32 + 20 + 100 + 300);
  EXPECT_EQ(g.buttons[0].top(), 52 + 15 + 30);
  EXPECT_EQ(g.clientHeight, 52 + 47 + 50);
}

TEST_F(MessageDialogTest, BuiltDialogFollowsTheGeometryWithTheSameFontMetrics) {
  const QString text = QStringLiteral("Arquivo não encontrado.");
  auto form = BuildMessageDialog(text, 1, kButtonOk, QStringLiteral("Erro"), 0, false, nullptr);
  QFont measuring = QApplication::font();
  measuring.setPointSize(8);
  const QRect needed = QFontMetrics(measuring).boundingRect(QRect(47, 15, ScreenWidth() / 2 - 47, 0),
                                                            Qt::TextWordWrap | Qt::AlignLeft | Qt::AlignTop, text);
  const MessageDialogGeometry g = ComputeMessageGeometry(QSize(32, 32), needed.size(), 1, false);
  EXPECT_EQ(form->windowTitle(), QStringLiteral("Erro"));
  EXPECT_EQ(form->size(), QSize(g.clientWidth, g.clientHeight));
  EXPECT_EQ(form->text->objectName(), QStringLiteral("M"));
  EXPECT_EQ(form->text->geometry(), g.text);
  EXPECT_EQ(form->icon->objectName(), QStringLiteral("Icone"));
  EXPECT_EQ(form->icon->geometry(), QRect(6, 20, 32, 32));
  ASSERT_EQ(form->buttons.size(), 1u);
  EXPECT_EQ(form->buttons[0]->text(), QStringLiteral("&OK"));
  EXPECT_EQ(form->buttons[0]->geometry(), g.buttons[0]);
  EXPECT_TRUE(form->windowFlags() & Qt::WindowStaysOnTopHint);
  EXPECT_EQ(form->moreLink, nullptr);  // no details, no link
}

TEST_F(MessageDialogTest, LongTextWrapsAtHalfTheScreen) {
  const QString text = QString(QStringLiteral("palavra ")).repeated(200);
  auto form = BuildMessageDialog(text, 1, kButtonOk, QStringLiteral("Erro"), 0, false, nullptr);
  EXPECT_LE(form->text->geometry().right(), ScreenWidth() / 2);
  EXPECT_GT(form->text->height(), QFontMetrics(QApplication::font()).height() * 3);
}

TEST_F(MessageDialogTest, CarriageReturnsBreakLines) {
  auto one = BuildMessageDialog(QStringLiteral("Linha um"), 1, kButtonOk, QStringLiteral("Erro"), 0, false, nullptr);
  auto two = BuildMessageDialog(QStringLiteral("Linha um\rLinha dois"), 1, kButtonOk, QStringLiteral("Erro"), 0,
                                false, nullptr);
  EXPECT_GT(two->text->height(), one->text->height());
  EXPECT_FALSE(two->text->text().contains(QChar('\r')));
}

TEST_F(MessageDialogTest, DefaultButtonGetsTheFirstFocus) {
  auto form = BuildMessageDialog(QStringLiteral("Continuar?"), 3, (1u << 2) | (1u << 3), QStringLiteral("Pergunta"), 1,
                                 false, nullptr);
  ASSERT_EQ(form->buttons.size(), 2u);
  form->show();
  QApplication::processEvents();
  EXPECT_EQ(QApplication::focusWidget(), form->buttons[1]);
  EXPECT_EQ(form->buttons[1]->text(), QStringLiteral("&Cancelar"));
  form->hide();
}

TEST_F(MessageDialogTest, ButtonsCloseWithTheirResults) {
  auto form = BuildMessageDialog(QStringLiteral("?"), 3, (1u << 0) | (1u << 1) | (1u << 10), QStringLiteral("P"), 0,
                                 false, nullptr);
  ASSERT_EQ(form->buttons.size(), 3u);
  QTimer::singleShot(0, form.get(), [&] { form->buttons[1]->click(); });
  EXPECT_EQ(form->exec(), 7);
  // The help button never closes; Esc goes to the cancel button ("&Não").
  QTimer::singleShot(0, form.get(), [&] {
    form->buttons[2]->click();
    EXPECT_TRUE(form->isVisible());
    QTest::keyClick(form.get(), Qt::Key_Escape);
  });
  EXPECT_EQ(form->exec(), 7);
}

TEST_F(MessageDialogTest, ShowMessageDialogCutsAt1000CharactersAndReturnsOk) {
  QString seen;
  QTimer::singleShot(0, [&] {
    auto* form = qobject_cast<TMessageForm*>(QApplication::activeModalWidget());
    ASSERT_NE(form, nullptr);
    seen = form->text->text();
    form->buttons[0]->click();
  });
  EXPECT_EQ(ShowMessageDialog(QString(1001, QChar('x')), 4, kButtonOk, QStringLiteral("Informação")), 1);
  EXPECT_EQ(seen.size(), 1000);
}

TEST_F(MessageDialogTest, DetailsToggleGrowsAndShrinksByTheirBox) {
  const QStringList details{QStringLiteral("detalhe 1"), QStringLiteral("detalhe 2")};
  auto form = BuildMessageDialog(QStringLiteral("Falhou."), 1, kButtonOk, QStringLiteral("Erro"), 0, false, &details);
  ASSERT_NE(form->moreLink, nullptr);
  EXPECT_EQ(form->moreLink->objectName(), QStringLiteral("VM"));
  EXPECT_EQ(form->moreLink->text(), QStringLiteral("Ver mais..."));
  EXPECT_EQ(form->moreLink->alignment() & Qt::AlignRight, Qt::AlignRight);
  EXPECT_EQ(form->moreLink->geometry().bottom(), form->height() - 1);
  const int h = form->height();
  form->show();
  QTest::mouseClick(form->moreLink, Qt::LeftButton);
  EXPECT_EQ(form->height(), h + 115);
  EXPECT_EQ(form->moreLink->text(), QStringLiteral("Ocultar detalhes..."));
  ASSERT_NE(form->detailsBox, nullptr);
  EXPECT_EQ(form->detailsBox->objectName(), QStringLiteral("MemoVM"));
  EXPECT_TRUE(form->detailsBox->isReadOnly());
  EXPECT_EQ(form->detailsBox->height(), 100);
  EXPECT_EQ(form->detailsBox->toPlainText(), QStringLiteral("detalhe 1\ndetalhe 2"));
  QTest::mouseClick(form->moreLink, Qt::LeftButton);
  EXPECT_EQ(form->height(), h);
  EXPECT_EQ(form->detailsBox, nullptr);
  EXPECT_EQ(form->findChild<QPlainTextEdit*>(QStringLiteral("MemoVM")), nullptr);
  form->hide();
}

TEST_F(MessageDialogTest, IconsHaveTheirSizesAndUnknownKindsFallBack) {
  EXPECT_EQ(VoskeIconPixmap(0).size(), QSize(64, 64));
  for (int k = 1; k <= 16; ++k) {
    EXPECT_TRUE(HasVoskeIcon(k));
    EXPECT_EQ(VoskeIconPixmap(k).size(), QSize(32, 32));
  }
  EXPECT_FALSE(HasVoskeIcon(17));
  EXPECT_FALSE(HasVoskeIcon(-1));
  EXPECT_EQ(VoskeIconPixmap(99).size(), QSize(32, 32));
  // The stop sign is red at its centre-left; the information disc blue.
  const QImage stop = VoskeIconPixmap(1).toImage();
  EXPECT_GT(qRed(stop.pixel(4, 16)), 150);
  const QImage info = VoskeIconPixmap(4).toImage();
  EXPECT_GT(qBlue(info.pixel(6, 16)), 150);
  EXPECT_EQ(info.pixel(16, 18), QColor(Qt::white).rgba());
  // Different kinds are different pictures.
  EXPECT_NE(VoskeIconPixmap(1).toImage(), VoskeIconPixmap(4).toImage());
  EXPECT_NE(VoskeIconPixmap(99).toImage(), VoskeIconPixmap(4).toImage());
}

}  // namespace
}  // namespace voske
