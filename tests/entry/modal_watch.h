#pragma once
// Answers the message dialogs a test provokes: every TMessageForm that opens
// is recorded (caption and text) and closed with its first button.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QTimer>

#include <functional>

#include "entry/message_dialog.h"
#include "entry/qt_app.h"

namespace voske::support {

struct SeenMessage {
  QString caption;
  QString text;
  QStringList details;  // the "Ver mais..." lines, when the dialog has them
  QStringList buttons;  // captions, in order
  QString status;       // the main window's status line while it was shown
  int iconKind = 0;
};

class MessageWatch : public QObject {
 public:
  MessageWatch() {
    EnsureApp();  // its timer needs the application
    timer_.setInterval(5);
    QObject::connect(&timer_, &QTimer::timeout, [this] { Poll(); });
    timer_.start();
  }
  QList<SeenMessage> seen;
  // The caption of the button to press ("&Não"); empty, or not shown: the first.
  QString answer;
  // Done with the first dialog before it is recorded and answered.
  std::function<void(TMessageForm&)> onFirst;
  // A dialog this watch leaves alone: another watch answers it.
  const TMessageForm* leave = nullptr;

 private:
  void Poll() {
    auto* form = qobject_cast<TMessageForm*>(QApplication::activeModalWidget());
    if (!form || form == leave || !form->isVisible() || form->buttons.empty()) return;
    if (onFirst) {
      // Once. A dialog it opens meanwhile needs a watch of its own: a timer
      // never fires again inside its own handler.
      const auto first = std::move(onFirst);
      onFirst = nullptr;
      first(*form);
    }
    SeenMessage message{form->windowTitle(), form->text->text(), {}, {}, {}, form->iconKind};
    for (QWidget* top : QApplication::topLevelWidgets())
      if (auto* status = top->findChild<QLabel*>(QStringLiteral("LB_Status"))) message.status = status->text();
    if (form->details) message.details = *form->details;
    QPushButton* press = form->buttons.front();
    for (QPushButton* b : form->buttons) {
      message.buttons << b->text();
      if (!answer.isEmpty() && b->text() == answer) press = b;
    }
    seen.append(message);
    press->click();
  }
  QTimer timer_;
};

// Runs `action` once the event loop of the next modal dialog is running. An
// assertion that fails inside `action` returns from it with the dialog still
// open; the dialog is then closed, so the test fails instead of hanging.
inline void WhenModal(std::function<void(QWidget*)> action) {
  auto* t = new QTimer;
  t->setInterval(5);
  QObject::connect(t, &QTimer::timeout, [t, action] {
    QWidget* w = QApplication::activeModalWidget();
    if (!w || !w->isVisible() || qobject_cast<TMessageForm*>(w)) return;
    t->stop();
    t->deleteLater();
    QPointer<QWidget> dialog(w);
    action(w);
    if (::testing::Test::HasFatalFailure() && dialog && dialog->isVisible()) {
      if (auto* d = qobject_cast<QDialog*>(dialog.data())) d->reject();
      else dialog->close();
    }
  });
  t->start();
}

}  // namespace voske::support
