#pragma once
// Answers the message dialogs a test provokes: every TMessageForm that opens
// is recorded (caption and text) and closed with its first button.
#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QTimer>

#include <functional>

#include "entry/message_dialog.h"
#include "entry/qt_app.h"

namespace voske::support {

struct SeenMessage {
  QString caption;
  QString text;
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

 private:
  void Poll() {
    auto* form = qobject_cast<TMessageForm*>(QApplication::activeModalWidget());
    if (!form || !form->isVisible() || form->buttons.empty()) return;
    seen.append({form->windowTitle(), form->_Label->text()});
    form->buttons.front()->click();
  }
  QTimer timer_;
};

// Runs `action` once the event loop of the next modal dialog is running.
inline void WhenModal(std::function<void(QWidget*)> action) {
  auto* t = new QTimer;
  t->setInterval(5);
  QObject::connect(t, &QTimer::timeout, [t, action] {
    QWidget* w = QApplication::activeModalWidget();
    if (!w || !w->isVisible() || qobject_cast<TMessageForm*>(w)) return;
    t->stop();
    t->deleteLater();
    action(w);
  });
  t->start();
}

}  // namespace voske::support
