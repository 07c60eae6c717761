// The session: recomputation order, Step Next, Run and Reset.
#include "session/session.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <functional>
#include <map>
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
      all[static_cast<std::size_t>(i)] = {i + 1, "Spy", "", "", kStageDescriptors[i].overview, ""};
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

// What the windows are asked to do, in order.
class RecordingUi final : public SessionUi {
 public:
  std::vector<std::string> calls;
  void DoMe(int slot) override {
    calls.push_back("DoMe " + std::to_string(slot));
    SessionUi::DoMe(slot);
  }
  void ShowPath(PathBlock block) override {
    calls.push_back("ShowPath " + std::to_string(static_cast<int>(block)));
  }
  void InconsistencyChanged() override { calls.push_back("flag"); }
};

// Step Back mirrors Step Next: the stage before, with its path marked when
// the step crosses into another path; nothing at stage 1, nothing computed.
TEST(Session, StepBackAndJumpsShowTheStageAndMarkItsPath) {
  const std::string r1 = "ShowPath 0", r2 = "ShowPath 1", n = "ShowPath 2", result = "ShowPath 3";
  struct Case {
    int from;
    bool back;  // Step Back; otherwise a jump to `to`
    int to;
    std::vector<std::string> calls;
  } cases[] = {
      {19, true, 18, {r2, "DoMe 18"}},      // from the N path back into the second cycle
      {13, true, 12, {"DoMe 12"}},          // within the second cycle
      {12, true, 11, {r1, "DoMe 11"}},      // back into the first cycle
      {24, true, 23, {n, "DoMe 23"}},       // from the result back into the N path
      {1, true, 1, {}},                     // nothing before stage 1
      {17, false, 1, {r1, "DoMe 1"}},       // First stage
      {3, false, 25, {result, "DoMe 25"}},  // Last stage
      {3, false, 19, {"DoMe 19"}},          // the N path's first stage marks it itself
      {20, false, 21, {"DoMe 21"}},         // a jump within a path
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.from) + (c.back ? " back" : " to " + std::to_string(c.to)));
    SpySession s;
    RecordingUi ui;
    s.session.SetUi(&ui);
    s.session.Activate(c.from);
    ui.calls.clear();
    if (c.back) {
      s.session.StepBack();
    } else {
      s.session.GoToStage(c.to);
    }
    EXPECT_EQ(s.session.stepCounter(), c.to);
    EXPECT_EQ(ui.calls, c.calls);
    EXPECT_TRUE(s.log.empty()) << "stepping computes nothing";
    s.session.SetUi(nullptr);
  }
}

// The flag tells the windows whenever it changes, and only then.
TEST(Session, TheWindowsHearOfEveryChangeOfTheFlag) {
  test::AdderDriver d;
  RecordingUi ui;
  d.session().SetUi(&ui);
  d.session().SetInconsistent(true);
  d.session().SetInconsistent(true);
  d.session().Run();
  d.session().SetInconsistent(true);
  d.session().Reset();
  d.session().Reset();
  long flags = std::count(ui.calls.begin(), ui.calls.end(), "flag");
  EXPECT_EQ(flags, 4);  // on, off by Run, on, off by Reset
  d.session().SetUi(nullptr);
}

// A cell's text as the test reads it.
std::string CellText(const Wire& w, int p) {
  return std::string(w[p].text());
}

// After a Run with new operands and after an edit, exactly the cells whose
// text changed are reported, and the stages that hold them.
TEST(Session, MarksExactlyTheCellsTheLastRecomputationChanged) {
  test::AdderDriver d;
  Session& session = d.session();
  session.TrackChanges(true);
  d.Run(test::Bits(1.5), test::Bits(0.25), false);
  // An edit writes its wire, then recomputes from its stage: what changed
  // is what the recomputation changed, never the edited cell itself.
  const auto edit = [&](Wire& w, int p) {
    w[p] = w[p].Is('1') ? "0" : "1";
    session.Activate(d.adder().r1BigMux.slot());
  };
  struct Step {
    const char* what;
    std::function<void()> prepare;
    std::function<void()> act;
    int firstChangedSlot;  // no stage before it may change
  } steps[] = {
      {"a Run with new operands", [] {}, [&] { d.Run(test::Bits(-3.0), test::Bits(0.75), true); },
       1},
      {"the same Run again", [] {}, [&] { d.session().Run(); }, 26},
      {"an edit of FSOPA in R1BigMux", [&] { edit(d.adder().r1BigMux.FSOPA, 5); },
       [&] { session.RecomputeFrom(d.adder().r1BigMux.slot()); }, 9},
  };
  for (const Step& step : steps) {
    SCOPED_TRACE(step.what);
    step.prepare();
    std::map<const Wire*, std::vector<std::string>> beforeCells;
    for (int slot = 1; slot <= Session::kSlots; ++slot) {
      for (const Wire* w : d.adder().StageInSlot(slot)->wires()) {
        for (int p = 0; p < w->size(); ++p)
          beforeCells[w].push_back(CellText(*w, p));
      }
    }
    step.act();
    int marked = 0;
    for (int slot = 1; slot <= Session::kSlots; ++slot) {
      bool any = false;
      for (const Wire* w : d.adder().StageInSlot(slot)->wires()) {
        for (int p = 0; p < w->size(); ++p) {
          const bool changed = beforeCells[w][static_cast<std::size_t>(p)] != CellText(*w, p);
          EXPECT_EQ(session.CellChanged(*w, p), changed) << w->name() << " cell " << p;
          any = any || changed;
          marked += changed;
        }
      }
      EXPECT_EQ(session.StageChanged(slot), any) << "slot " << slot;
      if (slot < step.firstChangedSlot) {
        EXPECT_FALSE(any) << "slot " << slot;
      }
    }
    EXPECT_EQ(marked > 0, step.firstChangedSlot <= Session::kSlots);
  }
  session.TrackChanges(false);
  EXPECT_FALSE(session.CellChanged(d.adder().results.Fa, 1));
}

// The operands differ from the last computed ones until the next Run.
TEST(Session, KnowsWhenTheOperandsChangedSinceTheLastRun) {
  test::AdderDriver d;
  Session& session = d.session();
  session.TrackChanges(true);
  EXPECT_FALSE(session.OperandsChanged()) << "nothing computed yet";
  d.Run(test::Bits(1.0), test::Bits(2.0), false);
  EXPECT_FALSE(session.OperandsChanged());
  struct Change {
    const char* what;
    std::function<void(OperandEntry&)> act;
  } changes[] = {
      {"a fraction bit", [](OperandEntry& e) { e.SetBox(BoxRow::FB, 7, "1"); }},
      {"an exponent bit", [](OperandEntry& e) { e.SetBox(BoxRow::EB, 0, "1"); }},
      {"a sign", [](OperandEntry& e) { e.SetSign(Operand::B, "1"); }},
      {"the operation", [](OperandEntry& e) { e.SelectOperation(Operation::Subtract); }},
      {"the rounding", [](OperandEntry& e) { e.SelectRounding(Rounding::Up); }},
  };
  for (const Change& c : changes) {
    SCOPED_TRACE(c.what);
    c.act(d.adder().input);
    EXPECT_TRUE(session.OperandsChanged());
    session.Run();
    EXPECT_FALSE(session.OperandsChanged());
  }
  d.adder().input.SetBox(BoxRow::FB, 9, "1");
  session.Reset();
  EXPECT_FALSE(session.OperandsChanged()) << "Reset computes its zero operands";
}

// At start-up the stages show the zero operands: a change from them counts.
TEST(Session, RemembersTheOperandsTheStagesShowBeforeAnyRun) {
  test::AdderDriver d;
  Session& session = d.session();
  session.TrackChanges(true);
  session.RememberOperands();
  EXPECT_FALSE(session.OperandsChanged());
  d.adder().input.SetBox(BoxRow::Ea, 3, "1");
  EXPECT_TRUE(session.OperandsChanged());
  d.adder().input.SetBox(BoxRow::Ea, 3, "0");
  EXPECT_FALSE(session.OperandsChanged()) << "back to what the stages show";
  session.TrackChanges(false);
  session.RememberOperands();
  d.adder().input.SetBox(BoxRow::Ea, 3, "1");
  EXPECT_FALSE(session.OperandsChanged()) << "not tracking";
}

}  // namespace
}  // namespace sumaris

namespace sumaris {
namespace {

// The comparison with IEEE 754 is of the addition that was computed, even
// when the boxes have changed since; none before the first Run or Reset.
TEST(Session, ComparesTheLastAdditionWithIeee) {
  test::AdderDriver d;
  Session& session = d.session();
  session.TrackChanges(true);
  EXPECT_FALSE(session.CompareResultWithIeee().has_value());
  struct Case {
    double a, b;
    bool subtract;
    Rounding rounding;
    const char* difference;  // null: the same as IEEE 754
  } cases[] = {
      {0.1, 0.2, false, Rounding::NearestEven, nullptr},
      {1.0, 1.0, true, Rounding::NearestEven, "exact cancellation"},
      {-2.5, 0x1p-60, false, Rounding::Up, nullptr},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.a) + (c.subtract ? " - " : " + ") + std::to_string(c.b));
    d.Run(test::Bits(c.a), test::Bits(c.b), c.subtract, c.rounding);
    d.adder().input.SetBox(BoxRow::FB, 3, d.adder().input.FB[3].Is('1') ? "0" : "1");
    const std::optional<IeeeComparison> cmp = session.CompareResultWithIeee();
    ASSERT_TRUE(cmp.has_value());
    const double host = c.subtract ? c.a - c.b : c.a + c.b;
    if (c.rounding == Rounding::NearestEven) {
      EXPECT_EQ(test::Hex(cmp->ieee.bits), test::Hex(test::Bits(host)));
    }
    EXPECT_EQ(cmp->same, c.difference == nullptr);
    if (c.difference != nullptr) {
      ASSERT_NE(cmp->difference, nullptr);
      EXPECT_EQ(cmp->difference->name, c.difference);
    }
  }
}

}  // namespace
}  // namespace sumaris
