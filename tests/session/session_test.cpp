// The session: step table, step counter, recomputation order, Run and Reset.
#include "session/session.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "session/adder.h"

namespace sumaris {
namespace {

// A stage that records every call into a shared log.
class SpyStage final : public Stage {
 public:
  SpyStage(Adder& adder, int slot, std::vector<std::string>& log)
      : Stage(adder, "Spy" + std::to_string(slot), slot, ""), log_(log) {}
  void Pull() override { log_.push_back("P" + std::to_string(slot())); }
  void Calculate() override { log_.push_back("C" + std::to_string(slot())); }

 private:
  std::vector<std::string>& log_;
};

// Records what the session asks of the windows; activating a stage sets the
// counter, as a real window's activation does.
class RecordingUi final : public SessionUi {
 public:
  void DoMe(int slot) override {
    calls.push_back("DoMe" + std::to_string(slot));
    SessionUi::DoMe(slot);
  }
  void ShowPath(PathBlock block) override {
    calls.push_back("Show" + std::to_string(static_cast<int>(block)));
  }
  void Switch2Results() override {
    calls.push_back("Switch2Results");
    SessionUi::Switch2Results();
  }
  std::vector<std::string> calls;
};

struct SpySession {
  Adder adder;
  Session session{adder};
  std::vector<std::string> log;
  std::vector<std::unique_ptr<SpyStage>> spies;
  explicit SpySession(std::initializer_list<int> emptySlots = {}) {
    for (int slot = 1; slot <= Session::kSlots; ++slot) {
      spies.push_back(std::make_unique<SpyStage>(adder, slot, log));
      session.SetSlot(slot, spies.back().get());
    }
    for (int slot : emptySlots) session.SetSlot(slot, nullptr);
  }
};

std::vector<std::string> Expected(int k, std::initializer_list<int> emptySlots = {}) {
  auto empty = [&](int slot) {
    for (int e : emptySlots) {
      if (e == slot) return true;
    }
    return false;
  };
  std::vector<std::string> calls;
  if (!empty(k)) calls.push_back("C" + std::to_string(k));
  for (int j = k + 1; j <= 25; ++j) {
    if (empty(j)) continue;
    calls.push_back("P" + std::to_string(j));
    calls.push_back("C" + std::to_string(j));
  }
  return calls;
}

TEST(Session, RecomputeFromCalculatesSlotKWithoutPullingThenSweepsOn) {
  for (int k : {1, 2, 11, 12, 24, 25}) {
    SpySession s;
    s.session.RecomputeFrom(k);
    EXPECT_EQ(s.log, Expected(k)) << k;
  }
}

TEST(Session, EmptySlotsAreSkipped) {
  SpySession s({3, 12, 25});
  s.session.RecomputeFrom(1);
  EXPECT_EQ(s.log, Expected(1, {3, 12, 25}));
}

TEST(Session, RunPullsStageOneRecomputesAndEndsAtTheResult) {
  SpySession s;
  RecordingUi ui;
  s.session.SetUi(&ui);
  s.session.SetInconsistent(true);
  s.session.Run();
  std::vector<std::string> expected = {"P1"};
  for (const std::string& call : Expected(1)) expected.push_back(call);
  EXPECT_EQ(s.log, expected);
  EXPECT_FALSE(s.session.inconsistent());
  EXPECT_EQ(s.session.stepCounter(), 25);
  EXPECT_EQ(ui.calls, (std::vector<std::string>{"Show3", "Switch2Results"}));
}

TEST(Session, ResetZeroesTheOperandsAndReturnsToStageOne) {
  Adder adder;
  Session session(adder);
  session.FillStepTable();
  OperandEntry& in = adder.input;
  in.SetDecimal(Operand::A, "3.5");
  in.OperandChange(Operand::A);
  in.SetSign(Operand::B, "1");
  in.SelectOption(6);
  in.SelectOption(2);
  session.Run();
  session.SetInconsistent(true);
  session.Reset();
  EXPECT_EQ(in.OperandA, "0");
  EXPECT_EQ(in.Sa.text(), "0");
  EXPECT_EQ(in.SB.text(), "0");
  for (const Cell& box : in.Ea) EXPECT_EQ(box.text(), "0");
  for (int i = 0; i <= 52; ++i) EXPECT_EQ(in.Fa[static_cast<std::size_t>(i)].text(), "0") << i;
  EXPECT_TRUE(in.Option(5));
  EXPECT_TRUE(in.Option(4));
  EXPECT_EQ(session.stepCounter(), 1);
  EXPECT_FALSE(session.inconsistent());
  // The sweep ran on zero operands: 0 + 0 comes out as +0 through the R path.
  EXPECT_EQ(adder.results.Readout("Label5"), "R path");
  EXPECT_EQ(adder.results.Ea.Text(), "00000000000");
}

TEST(Session, StepNextWalksTheTableAndStopsAtTheLastSlot) {
  SpySession s;
  RecordingUi ui;
  s.session.SetUi(&ui);
  s.session.Activate(1);
  for (int press = 1; press <= 24; ++press) {
    s.session.StepNext();
    EXPECT_EQ(s.session.stepCounter(), press + 1);
    EXPECT_EQ(ui.calls.back(), "DoMe" + std::to_string(press + 1));
  }
  const std::size_t callsAt25 = ui.calls.size();
  s.session.StepNext();
  EXPECT_EQ(s.session.stepCounter(), 25);
  EXPECT_EQ(ui.calls.size(), callsAt25);  // nothing shown, the counter never wraps
  EXPECT_TRUE(s.log.empty());              // stepping computes nothing
}

TEST(Session, StepNextContinuesFromTheLastActivatedStage) {
  SpySession s;
  s.session.Activate(23);  // e.g. a click on the NPost block
  s.session.StepNext();
  EXPECT_EQ(s.session.stepCounter(), 24);
}

TEST(Session, PullAndCalcActOnTheCurrentStageOnly) {
  SpySession s;
  s.session.Activate(7);
  s.session.PullCurrent();
  s.session.CalcCurrent();
  EXPECT_EQ(s.log, (std::vector<std::string>{"P7", "C7"}));
}

TEST(Session, AnEditedInputOfTheStartingStageSurvivesTheSweep) {
  Adder adder;
  Session session(adder);
  session.FillStepTable();
  adder.input.SetDecimal(Operand::A, "1");
  adder.input.OperandChange(Operand::A);
  adder.input.SetDecimal(Operand::B, "1");
  adder.input.OperandChange(Operand::B);
  session.Run();
  EXPECT_EQ(adder.r1ShiftR.MAG_MED.Text(), "000000");
  // Edit the shift amount of the alignment shifter to 5 and sweep from it.
  adder.r1ShiftR.MAG_MED.SetText("000101");
  session.RecomputeFrom(8);
  EXPECT_EQ(adder.r1ShiftR.MAG_MED.Text(), "000101");
  EXPECT_EQ(adder.r1Medium.MAG_MED.Text(), "000000");  // the earlier stage keeps its own
  // Five cells of seff (0, an addition) before the operand, and the big mux
  // passed the edited shift on.
  EXPECT_EQ(adder.r1ShiftR.FSOPAmed.Text().substr(0, 6), "000000");
  EXPECT_EQ(adder.r1ShiftR.FSOPAmed.Text().substr(5, 55), adder.r1ShiftR.FSOP.Text());
  EXPECT_EQ(adder.r2HA.FSOPA.Text(), adder.r1BigMux.FSOPA.Text().substr(0, 54));
}

}  // namespace
}  // namespace sumaris
