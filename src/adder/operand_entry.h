#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "adder/injection_table.h"
#include "core/cell.h"

namespace sumaris {

enum class Operand { A, B };

// The operation: option buttons Option5 "Add" and Option6 "Sub".
enum class Operation { Add, Subtract };

// The rounding mode, numbered as its option buttons Option1 .. Option4:
// "Round UP", "Round DOWN", "Round To Zero", "Round to NE".
enum class Rounding { Up = 1, Down, TowardZero, NearestEven };

// The rows of bit boxes of the operand entry. Exponent boxes are indexed by
// bit weight (box 10 most significant), fraction boxes by position after the
// binary point (box 0 the hidden bit, box 52 the least significant).
enum class BoxRow { Ea, EB, Fa, FB };

// The operand entry: the two operands as bit boxes and decimal texts, the
// operation, the rounding mode and the two injection bits. The stages pull
// their inputs straight from these boxes. Writing a box behaves like writing
// a text box of the window: when the text changes, the box's change event
// runs at once (check the bit, recompute the hidden bit, move the focus).
class OperandEntry {
 public:
  static constexpr int kExponentBoxes = 11;
  static constexpr int kFractionBoxes = 53;

  OperandEntry();

  // --- the boxes (read freely; write through the setters below) -----------
  Cell Sa;                              // sign of A: "1" negative
  Cell SB;                              // sign of B
  std::array<Cell, kExponentBoxes> Ea;  // exponent bit i of A in box i
  std::array<Cell, kExponentBoxes> EB;
  std::array<Cell, kFractionBoxes> Fa;  // hidden bit in box 0, then 2^-1 .. 2^-52
  std::array<Cell, kFractionBoxes> FB;
  std::string OperandA = "0";  // the decimal boxes
  std::string OperandB = "0";
  std::array<Cell, 2> INJ;      // injection bits, INJ[0] the more significant
  bool Disabledisplay = false;  // while set, bits-to-decimal does nothing
  InjectionTable injection;     // the "Set Injection" window's table

  // --- the option buttons: one operation and one rounding mode selected ---
  void SelectOperation(Operation operation);
  void SelectRounding(Rounding rounding);
  Operation operation() const { return operation_; }
  Rounding rounding() const { return rounding_; }
  bool IsAdd() const { return operation_ == Operation::Add; }

  // --- writing boxes as the window and the batch runner do ----------------
  // Writes box `index` of `row`, then runs the row's change event at once
  // (LabelCollectionChange, SetHidden, focus), whether or not the text
  // changed: the window calls it for every key typed into a bit box.
  void SetBox(BoxRow row, int index, std::string_view text);
  void SetSign(Operand op, std::string_view text);
  void SetDecimal(Operand op, std::string_view text);
  // Writes "0" into boxes from..to of a row (the panel's reset).
  void ClearBoxes(BoxRow row, int from, int to);

  std::array<Cell, kExponentBoxes>& Exponent(Operand op) { return op == Operand::A ? Ea : EB; }
  std::array<Cell, kFractionBoxes>& Fraction(Operand op) { return op == Operand::A ? Fa : FB; }
  const std::array<Cell, kExponentBoxes>& Exponent(Operand op) const {
    return op == Operand::A ? Ea : EB;
  }
  const std::array<Cell, kFractionBoxes>& Fraction(Operand op) const {
    return op == Operand::A ? Fa : FB;
  }

  // --- procedures of the window --------------------------------------------
  // Box check and focus advance for box `index` of `row` that just changed.
  void LabelCollectionChange(BoxRow row, int index);
  // Hidden bit := 1 exactly when some exponent box reads 1.
  void SetHidden(Operand op);
  // Exponent factor of the operand's boxes; also writes the hidden bit.
  // An exponent of all ones shows "Exponent Overflow!", clears box 10 and
  // gives 2^0.
  double CalcExponent(Operand op);
  double CalcFraction(Operand op) const;
  // Bits to decimal ("->"): AbitChanged / BbitChanged.
  void AbitChanged() { BitsToDecimal(Operand::A); }
  void BbitChanged() { BitsToDecimal(Operand::B); }
  void BitsToDecimal(Operand op);
  // Decimal to bits ("<-"). Every press converts; it clears the
  // decimal-written flag. A text whose leading number lies beyond the
  // double range ("1e400") changes no bit; a message says so and why.
  void OperandChange(Operand op);
  // Whether the operand's bits are still those its decimal box was last
  // converted from or to (by "<-", "->" or a reset). Typed bits, a batch
  // vector or an edit of the boxes leave the decimal text standing beside
  // bits it no longer describes, until the next conversion.
  bool DecimalMatchesBits(Operand op) const;
  // Rounding injection: works out the result sign, writes it into the result
  // sign cell, and sets INJ from the rounding mode and that sign. Added below
  // the result's last bit (R2Sigadd), INJ makes every mode a truncation: 10,
  // half a unit, rounds to nearest; 11, just under a unit, rounds away from
  // zero (up for a positive result, down for a negative one); 00 rounds toward
  // zero.
  void SetINJ();

  // The panel's reset: operands "0", bit boxes cleared, "Add", "Round to NE".
  void Reset();

  // The decimal-written flag and the conversion flag, for the window tests.
  bool decimalWritten() const { return decimalWritten_; }
  bool converting() const { return converting_; }

  // --- connections -----------------------------------------------------------
  // The cell that receives the result sign (the Results window's Sa).
  void ConnectResultSign(Cell* cell) { resultSign_ = cell; }
  // Called with the text of a message box the entry raises ("Exponent
  // Overflow!"); nothing is shown without it.
  std::function<void(std::string_view text)> onMessage;
  // Called whenever a change event moves the focus to a box. A conversion
  // or a reset asks for many moves in a row; the last one counts.
  std::function<void(BoxRow, int)> onFocus;
  // Called after any box, decimal text or option changed, so a window can
  // refresh. A batch vector calls it a few hundred times: keep it cheap.
  std::function<void()> onChanged;

 private:
  std::array<Cell, kExponentBoxes>& ExponentRow(BoxRow row) {
    return (row == BoxRow::Ea) ? Ea : EB;
  }
  std::array<Cell, kFractionBoxes>& FractionRow(BoxRow row) {
    return (row == BoxRow::Fa) ? Fa : FB;
  }
  Cell& Box(BoxRow row, int index);
  void ChangeEvent(BoxRow row, int index);
  void Focus(BoxRow row, int index);
  void Changed();
  // The two forms of the operand agree now: its bits are remembered.
  void Agree(Operand op);

  Operation operation_ = Operation::Add;
  Rounding rounding_ = Rounding::NearestEven;
  bool converting_ = false;
  bool decimalWritten_ = false;
  Cell* resultSign_ = nullptr;
  // The bits of each operand when its two forms last agreed.
  std::array<std::uint64_t, 2> agreedBits_{};
};

// Writes the 64 bits of an IEEE 754 binary64 encoding into the boxes:
// encoding bit k goes to fraction box 52 - k (k = 0..51), exponent box
// k - 52 (k = 52..62) and the sign box (k = 63). The bytes are read least
// significant first, as the program copies them out of a double.
void BytesToBoxes(const std::array<unsigned char, 8>& bytes, OperandEntry& entry, Operand op);
// The binary64 encoding the operand's boxes hold: the sign box (a value
// other than 0 is negative), exponent boxes 10 .. 0 and fraction boxes
// 1 .. 52, a box a one bit when it holds "1". The hidden-bit box is not part
// of it. BytesToBoxes the other way round.
std::uint64_t OperandBits(const OperandEntry& entry, Operand op);

// Reads the text leniently as a number and writes its encoding into the
// boxes; a number beyond the double range writes nothing. Returns whether
// anything was written.
bool DecimalToBoxes(std::string_view text, OperandEntry& entry, Operand op);

// The decimal text of the bits-to-decimal conversion: the shortest text
// that reads back to the same double (ShortestDouble), a leading blank for a
// value that is not negative.
std::string OperandDecimalText(double value);

}  // namespace sumaris
