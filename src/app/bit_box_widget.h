#pragma once

#include <QLineEdit>

#include "app/style.h"

namespace sumaris {

// A one-character text box for one bit, drawn as a coloured cell with a thin
// border (dark blue while it has the focus). Its whole text is selected when
// it gets the focus and after every click, so the next key typed replaces
// the bit. The box's name and its index in its row are the object name and
// the dynamic property "index" (a row of boxes shares one name, as "Ea").
// The Left and Right keys step to the previous and next control, as
// Shift+Tab and Tab do.
class BitBox : public QLineEdit {
  Q_OBJECT

 public:
  // index < 0: a single box (a sign box), no "index" property.
  BitBox(const QString& name, int index, style::Fixed colour, QWidget* parent);

  int index() const { return index_; }

 protected:
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void paintEvent(QPaintEvent* event) override;

 private:
  int index_;
};

// The property that holds a box's index in its row.
inline constexpr char kIndexProperty[] = "index";

}  // namespace sumaris
