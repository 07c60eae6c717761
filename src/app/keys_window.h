#pragma once

#include "app/child_window.h"

class QTableWidget;

namespace sumaris {

// Help > Keys: every key of the program in one small table: the keys, the
// action they drive and what it does (KeyRows).
class KeysWindow : public ChildWindow {
  Q_OBJECT

 public:
  explicit KeysWindow(QWidget* parent = nullptr);

  QTableWidget* table() const { return table_; }

 private:
  QTableWidget* table_ = nullptr;
};

}  // namespace sumaris
