#include "input/input_window.h"

#include "input/operand_entry.h"

namespace sumaris {

// Placeholder until the operand entry window is built.
InputForm::InputForm(OperandEntry& entry, QWidget* parent) : ChildWindow(parent), entry_(entry) {
  setObjectName("InputForm");
}

void InputForm::Refresh() {}
void InputForm::Activated() {}

}  // namespace sumaris
