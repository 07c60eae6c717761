#pragma once

#include <array>

#include "app/child_window.h"

class QLineEdit;

namespace sumaris {

class BitBox;
class InjectionTable;

// The "Set Injection" window: the injection bits of every rounding mode as
// two boxes per row ("UP" INJ_UP, "Down" INJ_DOWN, "Zero" INJ_ZERO, "NE"
// INJ_NE, each box with its index 0 or 1 in the property "index"). A box
// accepts only "1". The window minimises itself when it loses the focus and
// comes back to its normal state when it gets it.
class SetInjection : public ChildWindow {
  Q_OBJECT

 public:
  explicit SetInjection(InjectionTable& table, QWidget* parent = nullptr);

  // Shows the window in its normal state, in front, with the focus.
  void Open();
  // Re-reads the boxes from the table.
  void Refresh();

  void Activated() override;    // Form_GotFocus
  void Deactivated() override;  // Form_LostFocus

  QLineEdit* Box(int row, int index) const;

 protected:
  void changeEvent(QEvent* event) override;
  void showEvent(QShowEvent* event) override;

 private:
  void BoxEdited(int row, int index, const QString& text);
  // Inside the main window another sub-window took the focus: minimise once
  // that has settled, and leave the focus where the user put it.
  void LostFocusInside();
  void Minimise();
  void Restore();

  InjectionTable& table_;
  std::array<std::array<BitBox*, 2>, 4> boxes_{};
  bool followingSubWindow_ = false;
  bool adjusting_ = false;  // our own minimising moves the activation about
};

}  // namespace sumaris
