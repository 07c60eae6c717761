#pragma once

#include <QPointer>
#include <array>

#include "adder/operand_entry.h"
#include "app/child_window.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QRadioButton;

namespace sumaris {

class BitBox;
class SetInjection;
class UserDialogs;

// The operand entry window "InputForm": both operands as bit boxes and
// decimal texts, the operation, the rounding mode and the injection bits.
// The window only shows the OperandEntry and turns the user's actions into
// its calls; everything it shows is read back from the model.
//
// Controls carry the names of the program: "Sa", "SB", "OperandA",
// "DectoBitA", "Option5", ... A row of bit boxes shares one object name
// ("Ea", "EB", "Fa", "FB") and each box holds its index in the dynamic
// property "index", like the INJ labels ("INJ", index 0 and 1).
class InputForm : public ChildWindow {
  Q_OBJECT

 public:
  explicit InputForm(OperandEntry& entry, QWidget* parent = nullptr);
  ~InputForm() override;

  // Re-reads every box from the model (after Reset or a batch vector).
  // Only boxes whose text differs are written; cheap when nothing changed.
  void Refresh();
  // Form_Activate: places the boxes and rewrites both decimal texts.
  void Activated() override;
  // Where "Exponent Overflow!" is shown.
  void SetDialogs(UserDialogs* dialogs);

  // Box `index` of a row of bit boxes, a sign box, a decimal box.
  QLineEdit* Box(BoxRow row, int index) const;
  QLineEdit* SignBox(Operand op) const;
  QLineEdit* DecimalBox(Operand op) const;
  // The "Set Injection" window once the "INJ" button has opened it.
  SetInjection* injectionWindow() const;

  // The window's size at 1024x768: the width left of the control panel,
  // the panel's height, in twips.
  static constexpr int kDesignWidth = 9950;
  static constexpr int kDesignHeight = 3630;

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  struct OperandControls {
    BitBox* sign = nullptr;
    std::array<BitBox*, OperandEntry::kExponentBoxes> exponent{};
    std::array<BitBox*, OperandEntry::kFractionBoxes> fraction{};
    QLineEdit* decimal = nullptr;
    QLabel* eLabel = nullptr;
    QLabel* fLabel = nullptr;
    QLabel* hiddenLabel = nullptr;
    int top = 0;  // twips
  };

  void BuildOperand(Operand op, int top);
  void BuildOptions();
  void BuildInjection();
  // SetBoxes: exponent boxes 185 apart from box 10 rightwards, fraction
  // boxes 175 apart with 80 more before every eighth (in a slightly smaller
  // unit when the window is too narrow for the whole row).
  void SetBoxes();
  OperandControls& Controls(Operand op) { return op == Operand::A ? a_ : b_; }
  const OperandControls& Controls(Operand op) const { return op == Operand::A ? a_ : b_; }

  // Event handlers.
  void BitEdited(BoxRow row, int index, const QString& text);
  void SignEdited(Operand op, const QString& text);
  void DecimalEdited(Operand op, const QString& text);
  void DectoBit_Click(Operand op);
  void BittoDec_Click(Operand op);
  QRadioButton*& ButtonFor(Operation operation);
  QRadioButton*& ButtonFor(Rounding rounding);
  void Option_Click(Operation operation);
  void Option_Click(Rounding rounding);
  void Disabledisplay_Click(bool checked);
  void Command1_Click();

  // The model asks for the focus: honoured while the user works in this
  // window, so a reset or a batch run started elsewhere keeps its focus.
  void MoveFocus(BoxRow row, int index);
  void QueueRefresh();

  OperandEntry& entry_;
  OperandControls a_;
  OperandControls b_;
  std::array<QRadioButton*, 2> operationButtons_{};  // Option5, Option6 by Operation
  std::array<QRadioButton*, 5> roundingButtons_{};   // Option1 .. Option4 by Rounding
  std::array<QLabel*, 2> inj_{};
  QCheckBox* disabledisplay_ = nullptr;
  QPointer<SetInjection> injection_;
  bool refreshQueued_ = false;
};

}  // namespace sumaris
