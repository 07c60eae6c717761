#pragma once

// The Results window's "IEEE 754:" lines: what the standard gives for the
// addition the stages show, whether this adder agrees, and if not, which
// class of difference it is, why, and in which stage it arises.

#include <optional>
#include <string>
#include <string_view>

namespace sumaris {

class Session;

// How a read-out is to be shown: as any read-out, as an agreement, or as a
// difference.
enum class ReadoutTone { Plain, Agrees, Differs };

struct ReadoutText {
  std::string text;
  ReadoutTone tone = ReadoutTone::Plain;
};

// The text of the read-out Results::kIeeeResult ("0x3FD3333333333334
// 0.30000000000000004"), kIeeeVerdict ("same as this adder", "differs:
// <class>") or kIeeeCause (the class's one-sentence cause); empty before the
// first addition and for any other name.
ReadoutText IeeeReadout(const Session& session, std::string_view name);

// The slot of the stage where the difference on screen arises; none when
// the adder agrees with IEEE 754, nothing was computed yet, or the wires
// were edited since (the difference is then the edit's, not the design's).
std::optional<int> IeeeDifferenceSlot(const Session& session);

}  // namespace sumaris
