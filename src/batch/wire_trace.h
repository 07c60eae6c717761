#pragma once

#include <iosfwd>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "adder/ieee754.h"
#include "batch/batch_runner.h"

namespace sumaris {

class Wire;

// Every wire of every stage before and after one addition, for a waveform
// viewer (Value Change Dump) or for scripts (JSON).
struct WireTrace {
  struct WireValues {
    std::string name;
    std::vector<std::string> before;  // cell texts of a fresh adder
    std::vector<std::string> after;   // cell texts once the addition has run
    bool digits = false;              // cells hold digits 0..2, not bits
  };
  struct StageValues {
    std::string name;
    int slot = 0;
    std::vector<WireValues> wires;
  };
  struct Readout {
    std::string caption;  // the caption the Results window shows, without its colon
    std::string text;     // the read-out exactly as shown
  };
  TestVector input;                       // operation, mode letter, A and B as 64 bit characters
  std::string resultBits;                 // the 64 bits the Results stage shows
  IeeeComparison ieee;                    // the result against IEEE 754
  std::vector<StageValues> stages;        // in step order, slot 1 first
  std::vector<Readout> readouts;          // the Results window's read-outs, top down
  std::string program = "sumaris-batch";  // who wrote the trace
  std::string comment;                    // a further sentence for the reader, or none
};

// An operand given as 64 bit characters ("1" or "|" a one, "0" a zero) or
// as 16 hexadecimal digits; nothing for any other text.
std::optional<std::string> OperandBits(std::string_view text);

// Runs one addition in a fresh adder, through the operand entry as the batch
// runner does, and records every wire. `op` and `mode` are read as in the
// vector file ("1" subtracts; N, U, D, Z; another letter keeps round to
// nearest even). A and B must be 64 bit characters.
WireTrace TraceAddition(const std::string& op, const std::string& mode, const std::string& a,
                        const std::string& b);

// The trace of an adder as it stands (the simulator's, after its last Run,
// with whatever the Wire Bits Editor changed since): its operands,
// operation and rounding mode from its operand entry, every wire's cells as
// they are now, the start-up values of a fresh adder before them, and
// `comment` for the reader. For an adder that ran these operands and was
// not edited, the trace is TraceAddition's for them.
WireTrace TraceOfAdder(const Adder& adder, std::string comment);

// The wires whose cells hold digit sums and carry statuses (0, 1 or 2)
// rather than bits: the N path's Sigma and PIE.
bool IsDigitWire(const Adder& adder, const Wire& wire);

// Value Change Dump: one scope per stage, one variable per wire with its
// width, the cells in the wire's own order (cell 0 leftmost). Time k is
// step k: at time 0 every wire holds its fresh value, at time k the wires of
// stage k take their values of this addition. A cell that holds anything
// but "0" or "1" is written "x". A digit wire takes two bits per cell (00 for
// 0, 01 for 1, 10 for 2, xx for anything else), so its width is twice its
// number of cells.
void WriteVcd(std::ostream& out, const WireTrace& trace);

// The same as JSON: {"operation", "mode", "a", "b", "result", "ieee":
// {"result", "same", "class", "cause", "stage"}, "readouts": {caption:
// text}, "stages": {stage: {wire: text of its cells joined}}}, stages and
// wires in order; the IEEE 754 result as 64 bit characters, class, cause and
// stage null where it is the same; a "comment" first when the trace has one.
void WriteTraceJson(std::ostream& out, const WireTrace& trace);

}  // namespace sumaris
