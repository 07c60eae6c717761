#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "core/wire.h"

namespace sumaris {

// The four parts of the datapath, one path overview window each: the R path's
// first cycle (R1), its second cycle (R2), the N path (N1), and the path
// decision with the result (FINAL).
enum class PathBlock { R1, R2, N, Result };

// What the program knows of a stage besides its hardware: written once, in
// the adder's stage list, and read by the step table, the windows, the
// editor and the traces.
struct StageDescriptor {
  int slot;                      // place in the step table, 1 .. 25
  std::string_view name;         // "R1Medium": the stage's name and its window's
  std::string_view title;        // what the block does, for the title bar
  std::string_view displayName;  // handed to the Wire Bits Editor; empty where
                                 // the stage's buttons pass names of their own
  PathBlock overview;            // the overview that shows the stage
  std::string_view block;        // the object name of its block there ("Label3")
};

// One block of the adder. A stage owns its wires (its only memory), copies
// its inputs from earlier stages or the operand entry in Pull, and computes
// its outputs from its own wires in Calculate. Showing a stage is the
// windows' business; the model never shows anything.
class Stage {
 public:
  explicit Stage(const StageDescriptor& descriptor) : descriptor_(descriptor) {}
  virtual ~Stage() = default;
  Stage(const Stage&) = delete;
  Stage& operator=(const Stage&) = delete;

  const StageDescriptor& descriptor() const { return descriptor_; }
  std::string_view name() const { return descriptor_.name; }
  int slot() const { return descriptor_.slot; }
  std::string_view displayName() const { return descriptor_.displayName; }

  virtual void Pull() = 0;
  virtual void Calculate() = 0;
  // Does nothing in every stage; there so that all stages answer alike.
  void ClearAll() {}

  // Texts that a stage shows apart from its wires (the Results read-outs).
  virtual std::string Readout(std::string_view /*name*/) const { return {}; }

  const std::vector<Wire*>& wires() const { return wires_; }
  Wire* FindWire(std::string_view wireName);
  const Wire* FindWire(std::string_view wireName) const;

 private:
  friend class Wire;
  void RegisterWire(Wire* wire) { wires_.push_back(wire); }

  const StageDescriptor& descriptor_;
  std::vector<Wire*> wires_;
};

}  // namespace sumaris
