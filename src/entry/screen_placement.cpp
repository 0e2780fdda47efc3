#include "entry/screen_placement.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace voske {

void CentreOnScreen(QWidget& dialog) {
  const QWidget* owner = dialog.parentWidget();
  QScreen* screen = owner ? owner->screen() : QGuiApplication::primaryScreen();
  if (!screen) return;
  const QRect area = screen->availableGeometry();
  const QSize size = dialog.size();
  dialog.move(area.x() + (area.width() - size.width()) / 2, area.y() + (area.height() - size.height()) / 2);
}

}  // namespace voske
