#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

#include "adder/adder_stage.h"

namespace sumaris {

// Step 25: the result from the chosen path, as bits and as a decimal value.
// All its work is done by Pull; Calculate does nothing. Its sign cell Sa is
// written by the operand entry's SetINJ, not by this stage.
class Results final : public AdderStage {
 public:
  using AdderStage::AdderStage;
  void Pull() override;
  void Calculate() override {}
  std::string Readout(std::string_view name) const override;

  double CalcExponent() const;  // 2^(e - 1023), 2^-1022 for e = 0, -1 when it overflows
  double CalcFraction() const;
  void SetValue();
  void TempLablels();

  // The 64-character line of a double click on the decimal value: the sign,
  // the 11 exponent bits and the 52 fraction bits, "1" for a one and "@"
  // for a zero.
  std::string PadLine() const;
  // The 64 result bits as an encoding: the sign cell, exponent cells 0 .. 10
  // (bit 10 first) and fraction cells 1 .. 52, a cell a one when it holds
  // "1". The hidden-bit cell is not part of it.
  std::uint64_t Encoding() const;
  // Appends PadLine() to the file; false when it cannot be opened or written.
  bool AppendToPad(const std::filesystem::path& file) const;

  Wire Sa{this, "Sa", "s", 0, 0};
  Wire Ea{this, "Ea", "e", 10, 0};
  Wire Fa{this, "Fa", "f", 0, 52};

  // The 64 result bits as 16 hexadecimal digits after "0x"
  // ("0x3FD3333333333334"): the sign cell, the exponent and fraction bits 1
  // to 52, read as PadLine reads them.
  std::string HexValue() const;

  // The read-outs, each named as its label in the window.
  static constexpr std::string_view kDecimalValue = "Label1";
  static constexpr std::string_view kHexValue = "LabelHex";
  static constexpr std::string_view kUnbiasedExponent = "Label4";
  static constexpr std::string_view kChosenPath = "Label5";
  // Every read-out with the caption the window shows beside it, top down.
  struct ReadoutCaption {
    std::string_view name;
    std::string_view caption;
  };
  static constexpr std::array<ReadoutCaption, 4> kReadouts = {{
      {kDecimalValue, "Decimal value:"},
      {kHexValue, "Hex value:"},
      {kUnbiasedExponent, "ebias:"},
      {kChosenPath, "Chosen Path: "},
  }};

  // The read-outs below them that hold the result against IEEE 754 for the
  // addition the stages show; the session fills them (it knows the operands
  // of that addition, which the operand entry may no longer hold).
  static constexpr std::string_view kIeeeResult = "IeeeResult";    // hex and shortest decimal
  static constexpr std::string_view kIeeeVerdict = "IeeeVerdict";  // same, or differs: class
  static constexpr std::string_view kIeeeCause = "IeeeCause";      // why it differs

  // The decimal value is the shortest text that reads back to the result's
  // double (0.30000000000000004).
  std::string decimalValue;
  std::string unbiasedExponent;
  std::string chosenPath = "N Path ";
};

}  // namespace sumaris
