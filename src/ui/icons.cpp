#include "ui/icons.h"

#include <QHash>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace stallora {
namespace {

QPixmap Blank() {
  QPixmap p(32, 32);
  p.fill(Qt::transparent);
  return p;
}

void House(QPainter& p, QColor wall, QColor roof) {
  p.setPen(QPen(QColor(60, 40, 20), 1.5));
  p.setBrush(wall);
  p.drawRect(6, 14, 20, 14);
  QPainterPath r;
  r.moveTo(3, 15);
  r.lineTo(16, 4);
  r.lineTo(29, 15);
  r.closeSubpath();
  p.setBrush(roof);
  p.drawPath(r);
  p.setBrush(QColor(70, 45, 25));
  p.drawRect(13, 19, 6, 9);
}

void HorseHead(QPainter& p, QColor coat) {
  QPainterPath h;
  h.moveTo(10, 29);
  h.cubicTo(8, 20, 9, 12, 14, 7);
  h.lineTo(15, 2);
  h.lineTo(18, 6);
  h.cubicTo(23, 8, 27, 14, 28, 21);
  h.cubicTo(28.5, 24, 25, 25, 23, 22);
  h.cubicTo(21, 20, 19, 19, 18, 22);
  h.lineTo(20, 29);
  h.closeSubpath();
  p.setPen(QPen(QColor(40, 25, 10), 1.2));
  p.setBrush(coat);
  p.drawPath(h);
  p.setBrush(Qt::black);
  p.drawEllipse(QPointF(19, 11), 1.4, 1.4);
  p.setPen(QPen(QColor(40, 25, 10), 2.5));
  p.drawLine(QPointF(14, 8), QPointF(11, 20));  // mane
}

void Sheet(QPainter& p, QColor fill, QColor lines) {
  p.setPen(QPen(QColor(80, 80, 80), 1.2));
  p.setBrush(fill);
  p.drawRoundedRect(6, 3, 20, 26, 2, 2);
  p.setPen(QPen(lines, 2));
  for (int y = 9; y <= 23; y += 4) p.drawLine(10, y, 22, y);
}

void Dot(QPainter& p, QColor c) {
  p.setPen(QPen(c.darker(150), 1.5));
  p.setBrush(c);
  p.drawEllipse(6, 6, 20, 20);
}

void Letter(QPainter& p, QColor bg, const QString& text) {
  p.setPen(Qt::NoPen);
  p.setBrush(bg);
  p.drawRoundedRect(3, 3, 26, 26, 6, 6);
  QFont f("DejaVu Sans", 14, QFont::Bold);
  p.setFont(f);
  p.setPen(Qt::white);
  p.drawText(QRect(3, 3, 26, 26), Qt::AlignCenter, text);
}

QPixmap Draw(IconKind kind) {
  QPixmap pm = Blank();
  QPainter p(&pm);
  p.setRenderHint(QPainter::Antialiasing);
  switch (kind) {
    case IconKind::Stable: House(p, QColor(196, 140, 80), QColor(150, 40, 30)); break;
    case IconKind::ModelStable: House(p, QColor(140, 190, 120), QColor(40, 110, 60)); break;
    case IconKind::Horse: HorseHead(p, QColor(150, 95, 50)); break;
    case IconKind::ModelHorse: HorseHead(p, QColor(120, 170, 110)); break;
    case IconKind::FeedList: Sheet(p, QColor(250, 245, 215), QColor(120, 150, 60)); break;
    case IconKind::FeedMix: Sheet(p, QColor(230, 240, 255), QColor(60, 100, 170)); break;
    case IconKind::GuaranteeList: Sheet(p, QColor(255, 235, 200), QColor(200, 120, 20)); break;
    case IconKind::NewStable:
      House(p, QColor(196, 140, 80), QColor(150, 40, 30));
      p.setPen(QPen(QColor(0, 140, 0), 3));
      p.drawLine(24, 2, 24, 12);
      p.drawLine(19, 7, 29, 7);
      break;
    case IconKind::NewHorse:
      HorseHead(p, QColor(150, 95, 50));
      p.setPen(QPen(QColor(0, 140, 0), 3));
      p.drawLine(6, 2, 6, 12);
      p.drawLine(1, 7, 11, 7);
      break;
    case IconKind::Find:
      p.setPen(QPen(QColor(50, 50, 50), 3));
      p.drawEllipse(5, 5, 15, 15);
      p.drawLine(18, 18, 27, 27);
      break;
    case IconKind::Help: Letter(p, QColor(40, 100, 190), "?"); break;
    case IconKind::SaveAll: Letter(p, QColor(60, 130, 60), "\u2713"); break;
    case IconKind::Formulas: Letter(p, QColor(110, 70, 150), "f"); break;
    case IconKind::Close: Letter(p, QColor(170, 40, 40), "\u00d7"); break;
    case IconKind::Print: Letter(p, QColor(90, 90, 90), "P"); break;
    case IconKind::Back: Letter(p, QColor(90, 110, 140), "\u2190"); break;
    case IconKind::Forward: Letter(p, QColor(90, 110, 140), "\u2192"); break;
    case IconKind::Mail: Letter(p, QColor(200, 130, 30), "@"); break;
    case IconKind::Save: Letter(p, QColor(60, 130, 60), "S"); break;
    case IconKind::Delete: Letter(p, QColor(170, 40, 40), "\u2212"); break;
    case IconKind::Vet: Letter(p, QColor(200, 40, 40), "+"); break;
    case IconKind::Worm: Letter(p, QColor(140, 100, 60), "O"); break;
    case IconKind::Vacc: Letter(p, QColor(40, 120, 190), "V"); break;
    case IconKind::Shoe: Letter(p, QColor(100, 100, 110), "U"); break;
    case IconKind::Repro: Letter(p, QColor(200, 80, 150), "R"); break;
    case IconKind::OtherTreatment: Letter(p, QColor(100, 140, 100), "\u2026"); break;
    case IconKind::Overdue: Dot(p, QColor(0xFF, 0x66, 0x33)); break;
    case IconKind::DueSoon: Dot(p, QColor(0xFF, 0xFF, 0x66)); break;
    case IconKind::PlannedLater: Dot(p, QColor(0x99, 0xFF, 0x00)); break;
    case IconKind::Ban: Letter(p, QColor(200, 0, 0), "!"); break;
  }
  return pm;
}

// Roughage green, concentrate ochre, supplements blue, group 11 grey.
QColor GroupColour(int offset) {
  static const QColor colours[4] = {QColor(90, 160, 60), QColor(210, 160, 40), QColor(60, 120, 200),
                                    QColor(130, 130, 130)};
  return colours[offset & 3];
}

QPixmap DrawNumbered(int number) {
  QPixmap pm = Blank();
  QPainter p(&pm);
  p.setRenderHint(QPainter::Antialiasing);
  if (number >= 22 && number <= 33) {
    const QColor c = GroupColour((number - 22) % 4);
    p.setPen(QPen(c.darker(150), 2));
    if (number < 26) {  // commercial: filled
      p.setBrush(c);
      p.drawEllipse(7, 7, 18, 18);
    } else if (number < 30) {  // generic: a ring
      p.setBrush(Qt::NoBrush);
      p.drawEllipse(8, 8, 16, 16);
    } else {  // own: a square
      p.setBrush(c.lighter(130));
      p.drawRoundedRect(7, 7, 18, 18, 3, 3);
    }
  } else if (number >= 35 && number <= 38) {
    Sheet(p, GroupColour(number - 35).lighter(160), GroupColour(number - 35).darker(120));
  } else if (number == 34) {
    Dot(p, QColor(190, 190, 190));
  } else if (number == 46) {
    p.setPen(QPen(QColor(190, 60, 40), 2));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(8, 8, 16, 16);
    p.drawLine(11, 21, 21, 11);
  }
  return pm;
}

}  // namespace

QIcon ImageListIcon(int number) {
  if (number == 20) return Icon(IconKind::FeedList);
  if (number == 39) return Icon(IconKind::FeedMix);
  if (!((number >= 22 && number <= 38) || number == 46)) return {};
  static QHash<int, QIcon> cache;
  auto it = cache.find(number);
  if (it != cache.end()) return *it;
  QIcon icon(DrawNumbered(number));
  cache.insert(number, icon);
  return icon;
}

QIcon Icon(IconKind kind) {
  static QHash<int, QIcon> cache;
  auto it = cache.find(static_cast<int>(kind));
  if (it != cache.end()) return *it;
  QIcon icon(Draw(kind));
  cache.insert(static_cast<int>(kind), icon);
  return icon;
}

}  // namespace stallora
