#pragma once

#include <QGuiApplication>
#include <QPolygonF>
#include <QRect>
#include <QScreen>
#include <cmath>

namespace sumaris {

// Positions and sizes of the windows are given in twips (1/1440 inch) and
// converted by the screen's logical DPI, so a layout keeps its proportions
// on any screen.
inline double LogicalDpi() {
  const QScreen* screen = QGuiApplication::primaryScreen();
  return screen != nullptr ? screen->logicalDotsPerInch() : 96.0;
}

inline int Tw(int twips) {
  return static_cast<int>(twips * LogicalDpi() / 1440.0 + 0.5);
}

inline QRect TwRect(int left, int top, int width, int height) {
  return QRect(Tw(left), Tw(top), Tw(width), Tw(height));
}

// The same for a drawing shown at `zoom` (1 as designed): pixels from twips
// times the zoom, rounded as Tw rounds.
inline int Tw(int twips, double zoom) {
  return static_cast<int>(twips * LogicalDpi() * zoom / 1440.0 + 0.5);
}

// Font sizes are in points, as the windows give them (8.25, 10, 20).
inline int ToTwips(int pixels) {
  return static_cast<int>(pixels * 1440.0 / LogicalDpi() + 0.5);
}

// The filled head of an arrow that runs from `from` to `tip`: a triangle
// `length` long and twice `halfWidth` wide at its back, all in the same
// units. A flow of no length points down.
inline QPolygonF ArrowHead(QPointF from, QPointF tip, double length, double halfWidth) {
  const double dx = tip.x() - from.x();
  const double dy = tip.y() - from.y();
  const double run = std::hypot(dx, dy);
  const QPointF unit = run > 0 ? QPointF(dx / run, dy / run) : QPointF(0, 1);
  const QPointF back = tip - unit * length;
  const QPointF side(-unit.y() * halfWidth, unit.x() * halfWidth);
  return QPolygonF() << tip << back + side << back - side;
}

}  // namespace sumaris
