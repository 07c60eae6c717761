#pragma once

#include <span>

#include "core/cell.h"
#include "core/wire.h"

namespace sumaris {

// The generic wire routines every stage uses. They address cells by position
// and know nothing about stages. The arithmetic routines read a cell's
// leading number (Cell::Value, or Cell::LeadingInt for a single bit or
// carry); the cellwise logic routines and MuxWires convert the text itself
// (Cell::Integer) and raise TypeMismatch on a text that is not a number.
// Positions outside a wire are the caller's error.

// Weighted sum of the cells from lsbCell to msbCell (either direction):
// with weight 1 and factor 2 the unsigned binary value, msbCell most significant.
double WireToNumber(const Wire& wire, int msbCell, int lsbCell, double weight, double factor);

// The same over a row of text boxes (the operand entry's bit boxes).
double BoxesToNumber(std::span<const Cell> boxes, int msbBox, int lsbBox, double weight,
                     double factor);

// Writes value (-32767 .. 32767) in two's complement from lsbCell towards
// msbCell; bits that do not fit are dropped. Anything else raises Overflow.
void NumberToWire(int value, Wire& wire, int msbCell, int lsbCell);

// Ripple-carry S = A + B + carryIn from lsbCell to msbCell; the final carry
// goes to cell 0 of carryOut when one is given.
void AddWires(const Wire& a, const Wire& b, int lsbCell, int msbCell, Wire& s, int carryIn,
              Wire* carryOut = nullptr);
void AddWires(const Wire& a, const Wire& b, int lsbCell, int msbCell, Wire& s, const Cell& carryIn,
              Wire* carryOut = nullptr);

void XorWires(const Wire& a, const Wire& b, int n, Wire& c);
void XnorWires(const Wire& a, const Wire& b, int n, Wire& c);
void OrWires(const Wire& a, const Wire& b, int n, Wire& c);
void AndWires(const Wire& a, const Wire& b, int n, Wire& c);
// C[p] = A[p] xor Bit[0].
void XorWireBit(const Wire& a, const Wire& bit, int n, Wire& c);
// C[0] = A[0] or ... or A[n-1]; "0" when n = 0. Always writes cell 0 of C.
void OrReduce(const Wire& a, int n, Wire& c);
void InvertWire(const Wire& a, int n, Wire& c);
// C := A over n cells when Sel[0] is 0, otherwise C := B.
void MuxWires(const Wire& a, const Wire& b, int n, const Wire& sel, Wire& c);
// Dest[p] := Src[p] for p = 0 .. n-1, texts unchanged (destination first).
void CopyWire(Wire& dest, const Wire& src, int n);

// The routines below address bits by number, not cells by position, so two
// wires of different ranges meet bit for bit. Dest and src are two wires.

// Dest.Bit(b) := src.Bit(b) for b = from .. to, texts unchanged: a signal
// handed on between wires that hold it at different positions (bits 54 ..
// 116 of the 118-bit FSOPA into a wire of just those bits).
void CopyBits(Wire& dest, const Wire& src, int from, int to);

// A shifter: dest.Bit(j) := src.Bit(j - shift) for every bit j of dest,
// texts unchanged, and fill where src has no bit j - shift. A positive shift
// moves the bits to higher bit numbers, which on a significand is to the
// right (towards the less significant end); a negative one to the left.
void ShiftBits(Wire& dest, const Wire& src, int shift, const Cell& fill = Cell());

// All cells as an unsigned binary number, cell 0 (the wire's first bit) the
// most significant: WireToNumber over the whole wire with weight 1, factor 2.
// A shift amount or a biased exponent, as the stages read them.
double UnsignedValue(const Wire& wire);

}  // namespace sumaris
