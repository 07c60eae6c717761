#include "app/bit_box_widget.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPalette>

#include "app/style.h"

namespace sumaris {

BitBox::BitBox(const QString& name, int index, style::Fixed colour, QWidget* parent)
    : QLineEdit(parent), index_(index) {
  setObjectName(name);
  if (index >= 0) setProperty(kIndexProperty, index);
  setFrame(false);
  setAlignment(Qt::AlignCenter);
  // A text box keeps a fixed margin of two pixels either side of its text,
  // more than a box one digit wide can spare: take it back.
  setTextMargins(-2, 0, -2, 0);
  setMaxLength(1);
  style::SetFixedColour(this, QPalette::Base, colour);
  style::SetFixedColour(this, QPalette::Text, style::Fixed::Ink);
  setText("0");
}

void BitBox::focusInEvent(QFocusEvent* event) {
  QLineEdit::focusInEvent(event);
  selectAll();
}

void BitBox::focusOutEvent(QFocusEvent* event) {
  QLineEdit::focusOutEvent(event);
  update();  // the border
}

void BitBox::keyPressEvent(QKeyEvent* event) {
  const bool plain = (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
  if (plain && (event->key() == Qt::Key_Left || event->key() == Qt::Key_Right)) {
    focusNextPrevChild(event->key() == Qt::Key_Right);
    return;
  }
  QLineEdit::keyPressEvent(event);
}

void BitBox::mouseReleaseEvent(QMouseEvent* event) {
  QLineEdit::mouseReleaseEvent(event);
  selectAll();
}

void BitBox::paintEvent(QPaintEvent* event) {
  QLineEdit::paintEvent(event);
  QPainter painter(this);
  painter.setPen(hasFocus() ? style::FocusFrameColor() : style::BoxFrameColor());
  painter.drawRect(rect().adjusted(0, 0, -1, -1));
}

}  // namespace sumaris
