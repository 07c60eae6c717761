#pragma once

#include <stdexcept>

namespace sumaris {

// An error raised inside a stage computation. The program does not catch it
// while the user works (it ends the program with its message); the batch
// runner turns it into "I/O error!".
class StageError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// A cell text that is not a number reached a routine that converts the text
// itself (the cellwise logic routines, MuxWires).
class TypeMismatch : public StageError {
 public:
  TypeMismatch() : StageError("Type mismatch") {}
};

// A value that does not fit the 16-bit signed range of NumberToWire, or an
// integer conversion out of range.
class Overflow : public StageError {
 public:
  Overflow() : StageError("Overflow") {}
};

}  // namespace sumaris
