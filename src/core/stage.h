#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "core/wire.h"

namespace sumaris {

// One block of the adder. A stage owns its wires (its only memory), copies
// its inputs from earlier stages or the operand entry in Pull, and computes
// its outputs from its own wires in Calculate. Showing a stage is the
// windows' business; the model never shows anything.
class Stage {
 public:
  Stage(std::string name, int slot, std::string displayName);
  virtual ~Stage() = default;
  Stage(const Stage&) = delete;
  Stage& operator=(const Stage&) = delete;

  // The stage's own name ("R1Medium"), its slot in the step table (1 .. 25)
  // and the display name it hands the Wire Bits Editor ("R1 Medium"; empty
  // for the stages whose buttons pass names of their own).
  const std::string& name() const { return name_; }
  int slot() const { return slot_; }
  const std::string& displayName() const { return displayName_; }

  virtual void Pull() = 0;
  virtual void Calculate() = 0;
  // Does nothing in every stage; there so that all stages answer alike.
  void ClearAll() {}

  // Texts that a stage shows apart from its wires (the Results read-outs).
  virtual std::string Readout(std::string_view /*name*/) const { return {}; }

  const std::vector<Wire*>& wires() const { return wires_; }
  Wire* FindWire(std::string_view wireName) const;

 private:
  friend class Wire;
  void RegisterWire(Wire* wire) { wires_.push_back(wire); }

  std::string name_;
  int slot_;
  std::string displayName_;
  std::vector<Wire*> wires_;
};

}  // namespace sumaris
