// The session: recomputation order, Step Next, Run and Reset.
#include "session/session.h"

#include <gtest/gtest.h>

#include <array>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "adder/adder.h"
#include "support/adder_driver.h"

namespace sumaris {
namespace {

// Descriptors for stand-in stages, one a slot.
const StageDescriptor& Descriptor(int slot) {
  static const std::array<StageDescriptor, Session::kSlots> kSpies = [] {
    std::array<StageDescriptor, Session::kSlots> all{};
    for (int i = 0; i < Session::kSlots; ++i)
      all[static_cast<std::size_t>(i)] = {i + 1, "Spy", "", "", PathBlock::R1, ""};
    return all;
  }();
  return kSpies[static_cast<std::size_t>(slot - 1)];
}

// A stage that records every call into a shared log.
class SpyStage final : public Stage {
 public:
  SpyStage(int slot, std::vector<std::string>& log) : Stage(Descriptor(slot)), log_(log) {}
  void Pull() override { log_.push_back("P" + std::to_string(slot())); }
  void Calculate() override { log_.push_back("C" + std::to_string(slot())); }

 private:
  std::vector<std::string>& log_;
};

struct SpySession {
  Adder adder;
  Session session{adder};
  std::vector<std::string> log;
  std::vector<std::unique_ptr<SpyStage>> spies;
  explicit SpySession(const std::set<int>& emptySlots = {}) {
    for (int slot = 1; slot <= Session::kSlots; ++slot) {
      spies.push_back(std::make_unique<SpyStage>(slot, log));
      session.SetSlot(slot, emptySlots.count(slot) ? nullptr : spies.back().get());
    }
  }
};

TEST(Session, RecomputeFromCalculatesSlotKThenPullsAndCalculatesTheRest) {
  struct Case {
    int k;
    std::set<int> empty;
  } cases[] = {{1, {}}, {2, {}}, {12, {}}, {25, {}}, {1, {3, 12, 25}}, {11, {11, 13}}};
  for (const Case& c : cases) {
    SpySession s(c.empty);
    s.session.RecomputeFrom(c.k);
    std::vector<std::string> expected;
    if (!c.empty.count(c.k)) expected.push_back("C" + std::to_string(c.k));
    for (int j = c.k + 1; j <= 25; ++j) {
      if (c.empty.count(j)) continue;
      expected.push_back("P" + std::to_string(j));
      expected.push_back("C" + std::to_string(j));
    }
    EXPECT_EQ(s.log, expected) << "from " << c.k;
  }
}

TEST(Session, StepNextWalksToTwentyFiveAndStopsWithoutComputing) {
  SpySession s;
  s.session.Activate(1);
  for (int press = 1; press <= 30; ++press) {
    s.session.StepNext();
    EXPECT_EQ(s.session.stepCounter(), std::min(press + 1, 25));
  }
  s.session.Activate(23);  // a click on a later block: Step Next goes on from there
  s.session.StepNext();
  EXPECT_EQ(s.session.stepCounter(), 24);
  EXPECT_TRUE(s.log.empty());
}

TEST(Session, RunAndResetClearTheFlagAndSetTheCounter) {
  test::AdderDriver d;
  Session& session = d.session();
  session.SetInconsistent(true);
  EXPECT_EQ(d.Run(test::Bits(3.5), test::Bits(-0.25), true, Rounding::Down), test::Bits(3.75));
  EXPECT_FALSE(session.inconsistent());
  EXPECT_EQ(session.stepCounter(), 25);
  session.SetInconsistent(true);
  session.Reset();
  EXPECT_FALSE(session.inconsistent());
  EXPECT_EQ(session.stepCounter(), 1);
  EXPECT_EQ(d.adder().input.operation(), Operation::Add);
  EXPECT_EQ(d.adder().input.rounding(), Rounding::NearestEven);
  EXPECT_EQ(d.Result(), 0u) << "the sweep ran on zero operands";
}

TEST(Session, AnEditedInputOfTheStartingStageSurvivesTheSweep) {
  test::AdderDriver d;
  Adder& adder = d.adder();
  d.Run(test::Bits(1.0), test::Bits(1.0), false, Rounding::NearestEven);
  ASSERT_EQ(adder.r1ShiftR.MAG_MED.Text(), "000000");
  adder.r1ShiftR.MAG_MED.SetText("000101");  // shift the operand by 5 instead
  d.session().RecomputeFrom(8);
  EXPECT_EQ(adder.r1ShiftR.MAG_MED.Text(), "000101");
  EXPECT_EQ(adder.r1Medium.MAG_MED.Text(), "000000");  // the earlier stage keeps its own
  // Five cells of seff (0, an addition) before the operand, and the big mux
  // passed the shifted operand on.
  EXPECT_EQ(adder.r1ShiftR.FSOPAmed.Text().substr(0, 6), "000000");
  EXPECT_EQ(adder.r1ShiftR.FSOPAmed.Text().substr(5, 55), adder.r1ShiftR.FSOP.Text());
  EXPECT_EQ(adder.r2HA.FSOPA.Text(), adder.r1BigMux.FSOPA.Text().substr(0, 54));
}

}  // namespace
}  // namespace sumaris
