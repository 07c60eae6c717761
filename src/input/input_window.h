#pragma once

#include "wires/child_window.h"

namespace sumaris {

class OperandEntry;

// The operand entry window "InputForm": both operands as bit boxes and
// decimal texts, the operation, the rounding mode and the injection bits.
class InputForm : public ChildWindow {
  Q_OBJECT

 public:
  explicit InputForm(OperandEntry& entry, QWidget* parent = nullptr);

  // Re-reads every box from the model (after Reset or a batch vector).
  void Refresh();
  void Activated() override;

 private:
  OperandEntry& entry_;
};

}  // namespace sumaris
