#include "entry/icons.h"

#include <QFont>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <QtMath>

namespace voske {

namespace {

using Draw = void (*)(QPainter&);

void Letter(QPainter& p, const QRectF& box, const QString& text, int pixels, QColor color, bool bold = true) {
  QFont f(QStringLiteral("Liberation Sans"));
  f.setPixelSize(pixels);
  f.setBold(bold);
  p.setFont(f);
  p.setPen(color);
  p.drawText(box, Qt::AlignCenter, text);
}

void Disc(QPainter& p, QColor fill) {
  p.setPen(QPen(fill.darker(150), 1.5));
  p.setBrush(fill);
  p.drawEllipse(QRectF(2, 2, 28, 28));
}

// 1: a red octagonal stop sign with the word STOP.
void Stop(QPainter& p) {
  QPolygonF octagon;
  for (int i = 0; i < 8; ++i) {
    const double a = qDegreesToRadians(22.5 + 45.0 * i);
    octagon << QPointF(16 + 14.5 * std::cos(a), 16 + 14.5 * std::sin(a));
  }
  p.setPen(QPen(Qt::white, 1.5));
  p.setBrush(QColor(204, 0, 0));
  p.drawPolygon(octagon);
  Letter(p, QRectF(0, 0, 32, 32), QStringLiteral("STOP"), 9, Qt::white);
}

// 2: a yellow warning triangle.
void Warning(QPainter& p) {
  QPolygonF t;
  t << QPointF(16, 2) << QPointF(30.5, 29) << QPointF(1.5, 29);
  p.setPen(QPen(QColor(90, 70, 0), 1.5));
  p.setBrush(QColor(255, 204, 0));
  p.drawPolygon(t);
  Letter(p, QRectF(0, 8, 32, 22), QStringLiteral("!"), 18, Qt::black);
}

// 3: a question on a blue disc.
void Question(QPainter& p) {
  Disc(p, QColor(0, 90, 200));
  Letter(p, QRectF(0, 0, 32, 32), QStringLiteral("?"), 20, Qt::white);
}

// 4: a white "i" on a blue disc.
void Information(QPainter& p) {
  Disc(p, QColor(0, 70, 210));
  p.setPen(Qt::NoPen);
  p.setBrush(Qt::white);
  p.drawEllipse(QRectF(14, 7, 4.5, 4.5));
  p.drawRect(QRectF(14, 13.5, 4.5, 11.5));
  p.drawRect(QRectF(12, 23, 8.5, 2.5));
}

// 5: a green check mark on a disc.
void Check(QPainter& p) {
  Disc(p, QColor(20, 150, 40));
  p.setPen(QPen(Qt::white, 3.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  p.drawPolyline(QPolygonF() << QPointF(9, 17) << QPointF(14, 22) << QPointF(23, 10));
}

// 6: a white cross on a red disc.
void Cross(QPainter& p) {
  Disc(p, QColor(200, 20, 20));
  p.setPen(QPen(Qt::white, 3.5, Qt::SolidLine, Qt::RoundCap));
  p.drawLine(QPointF(11, 11), QPointF(21, 21));
  p.drawLine(QPointF(21, 11), QPointF(11, 21));
}

// 7: an hourglass, for waiting.
void Hourglass(QPainter& p) {
  p.setPen(QPen(QColor(80, 50, 20), 1.5));
  p.setBrush(QColor(250, 230, 160));
  p.drawPolygon(QPolygonF() << QPointF(8, 4) << QPointF(24, 4) << QPointF(16, 16) << QPointF(24, 28) << QPointF(8, 28)
                            << QPointF(16, 16));
  p.setBrush(QColor(200, 150, 40));
  p.drawPolygon(QPolygonF() << QPointF(11, 27) << QPointF(21, 27) << QPointF(16, 21));
}

// 8: a folder.
void Folder(QPainter& p) {
  p.setPen(QPen(QColor(150, 110, 0), 1.2));
  p.setBrush(QColor(255, 210, 90));
  p.drawPolygon(QPolygonF() << QPointF(2, 8) << QPointF(12, 8) << QPointF(14, 11) << QPointF(30, 11) << QPointF(30, 27)
                            << QPointF(2, 27));
}

// 9: an XML document.
void XmlDocument(QPainter& p) {
  p.setPen(QPen(QColor(60, 60, 60), 1.2));
  p.setBrush(Qt::white);
  p.drawPolygon(QPolygonF() << QPointF(6, 2) << QPointF(21, 2) << QPointF(27, 8) << QPointF(27, 30) << QPointF(6, 30));
  Letter(p, QRectF(4, 12, 25, 12), QStringLiteral("XML"), 8, QColor(0, 90, 160));
}

// 10: an envelope, for sending.
void Envelope(QPainter& p) {
  p.setPen(QPen(QColor(70, 70, 70), 1.2));
  p.setBrush(QColor(245, 245, 235));
  p.drawRect(QRectF(3, 8, 26, 17));
  p.drawPolyline(QPolygonF() << QPointF(3, 8) << QPointF(16, 18) << QPointF(29, 8));
}

// 11: a receipt.
void Receipt(QPainter& p) {
  p.setPen(QPen(QColor(70, 70, 70), 1.2));
  p.setBrush(Qt::white);
  p.drawRect(QRectF(7, 3, 18, 26));
  for (int y = 9; y <= 21; y += 4) p.drawLine(QPointF(10, y), QPointF(22, y));
}

// 12: a key, for the password.
void Key(QPainter& p) {
  p.setPen(QPen(QColor(120, 90, 0), 2.5));
  p.setBrush(Qt::NoBrush);
  p.drawEllipse(QRectF(4, 10, 11, 11));
  p.drawLine(QPointF(15, 15.5), QPointF(28, 15.5));
  p.drawLine(QPointF(24, 15.5), QPointF(24, 20));
  p.drawLine(QPointF(27, 15.5), QPointF(27, 19));
}

// 13: a globe, for the proxy.
void Globe(QPainter& p) {
  Disc(p, QColor(40, 130, 200));
  p.setPen(QPen(Qt::white, 1.2));
  p.setBrush(Qt::NoBrush);
  p.drawEllipse(QRectF(10, 2, 12, 28));
  p.drawLine(QPointF(2, 16), QPointF(30, 16));
  p.drawLine(QPointF(16, 2), QPointF(16, 30));
}

// 14: a gear.
void Gear(QPainter& p) {
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(110, 110, 120));
  for (int i = 0; i < 8; ++i) {
    p.save();
    p.translate(16, 16);
    p.rotate(45.0 * i);
    p.drawRect(QRectF(-2.5, -15, 5, 8));
    p.restore();
  }
  p.drawEllipse(QRectF(6, 6, 20, 20));
  p.setBrush(Qt::white);
  p.drawEllipse(QRectF(12, 12, 8, 8));
}

// 15: a padlock.
void Padlock(QPainter& p) {
  p.setPen(QPen(QColor(90, 90, 90), 2.5));
  p.setBrush(Qt::NoBrush);
  p.drawArc(QRectF(9, 3, 14, 16), 0, 180 * 16);
  p.drawLine(QPointF(9, 11), QPointF(9, 15));
  p.drawLine(QPointF(23, 11), QPointF(23, 15));
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(200, 160, 30));
  p.drawRect(QRectF(6, 14, 20, 15));
}

// 16: an exit door.
void Exit(QPainter& p) {
  p.setPen(QPen(QColor(80, 50, 30), 1.2));
  p.setBrush(QColor(160, 100, 50));
  p.drawRect(QRectF(8, 3, 16, 26));
  p.setBrush(QColor(240, 200, 60));
  p.drawEllipse(QRectF(19, 15, 3, 3));
}

// 0: the program's own large picture: an XML document with the OXR mark.
void Program(QPainter& p) {
  p.scale(2.0, 2.0);
  XmlDocument(p);
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(0, 110, 60));
  p.drawEllipse(QRectF(16, 19, 14, 12));
  Letter(p, QRectF(16, 19, 14, 12), QStringLiteral("OXR"), 5, Qt::white);
}

// A kind without an icon of its own: a plain grey frame.
void Plain(QPainter& p) {
  p.setPen(QPen(QColor(130, 130, 130), 1.5));
  p.setBrush(QColor(235, 235, 235));
  p.drawRoundedRect(QRectF(3, 3, 26, 26), 4, 4);
}

constexpr Draw kIcons[kIconCount] = {Program, Stop,     Warning,  Question, Information, Check, Cross, Hourglass, Folder,
                                     XmlDocument, Envelope, Receipt, Key,     Globe,       Gear,  Padlock, Exit};

}  // namespace

bool HasVoskeIcon(int kind) { return kind >= 0 && kind < kIconCount; }

QPixmap VoskeIconPixmap(int kind) {
  const int size = kind == 0 ? 64 : 32;
  QPixmap pm(size, size);
  pm.fill(Qt::transparent);
  QPainter p(&pm);
  p.setRenderHint(QPainter::Antialiasing);
  p.setRenderHint(QPainter::TextAntialiasing);
  (HasVoskeIcon(kind) ? kIcons[kind] : Plain)(p);
  return pm;
}

QImage VoskeIconImage(int kind, int pixels) {
  QImage image(pixels, pixels, QImage::Format_ARGB32);
  image.fill(Qt::transparent);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  p.setRenderHint(QPainter::TextAntialiasing);
  if (kind == 0) {
    p.scale(pixels / 64.0, pixels / 64.0);  // the program's picture is drawn on 64 x 64
  } else {
    p.scale(pixels / 32.0, pixels / 32.0);
  }
  (HasVoskeIcon(kind) ? kIcons[kind] : Plain)(p);
  return image;
}

QImage ProgramIconImage(int pixels) {
  QImage image(pixels, pixels, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  p.setRenderHint(QPainter::TextAntialiasing);
  p.scale(pixels / 64.0, pixels / 64.0);  // the picture is drawn on 64 x 64
  Program(p);
  return image;
}

QIcon ProgramIcon() {
  QIcon icon;
  for (int pixels : {16, 24, 32, 48, 64, 128, 256}) icon.addPixmap(QPixmap::fromImage(ProgramIconImage(pixels)));
  return icon;
}

}  // namespace voske
