// The Wire Bits Editor's model: geometry, loading a wire into the boxes,
// typing, Apply with its recomputation, Cancel, and the odd requests.
#include "wires/wire_editor.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "input/operand_entry.h"
#include "session/adder.h"
#include "session/session.h"
#include "wires/platform.h"
#include "wires/wire.h"

namespace sumaris {
namespace {

// ---------------------------------------------------------------- geometry

TEST(WireEditorGeometry, WindowWidthFollowsTheWireLength) {
  // n / 8 + 1 groups of 100 twips, the quotient kept exact: (n + 8) * 12.5.
  for (int n : {0, 1, 7, 8, 32, 33, 52, 53, 56, 57, 64, 118}) {
    double expected = 0;
    if (n * 185 <= 6000) {
      expected = 6200;
    } else if (n <= 52) {
      expected = 185.0 * n + 400 + (n + 8) * 12.5;
    } else {
      expected = 11300 + (n + 8) * 12.5;
    }
    EXPECT_DOUBLE_EQ(WireEditor::WindowWidth(n), expected) << "n = " << n;
  }
  // A few worked by hand: the fractions are kept.
  EXPECT_DOUBLE_EQ(WireEditor::WindowWidth(33), 7017.5);
  EXPECT_DOUBLE_EQ(WireEditor::WindowWidth(53), 12062.5);
  EXPECT_DOUBLE_EQ(WireEditor::WindowWidth(118), 12875);
}

// Box positions walked box by box as the design describes them.
std::vector<TwipPoint> WalkBoxes() {
  std::vector<TwipPoint> at{{120, 1320}};
  for (int i = 1; i < WireEditor::kBoxes; ++i) {
    TwipPoint p = at.back();
    if (i == 56) {
      p = {120, 1320 + 330 + 400};
    } else {
      p.left += 185 + (i % 8 == 0 ? 100 : 0);
    }
    at.push_back(p);
  }
  return at;
}

TEST(WireEditorGeometry, BoxesRunInTwoRowsGroupedByEight) {
  const std::vector<TwipPoint> walked = WalkBoxes();
  for (int i = 0; i < WireEditor::kBoxes; ++i) {
    EXPECT_EQ(WireEditor::BoxPlace(i), walked[static_cast<std::size_t>(i)]) << "box " << i;
    const TwipPoint label = WireEditor::LabelPlace(i);
    EXPECT_EQ(label.left, walked[static_cast<std::size_t>(i)].left);
    EXPECT_EQ(label.top, walked[static_cast<std::size_t>(i)].top - 240);
  }
  // The ends of the rows, worked by hand.
  EXPECT_EQ(WireEditor::BoxPlace(55), (TwipPoint{120 + 55 * 185 + 6 * 100, 1320}));
  EXPECT_EQ(WireEditor::BoxPlace(56), (TwipPoint{120, 2050}));
  EXPECT_EQ(WireEditor::BoxPlace(117), (TwipPoint{120 + 61 * 185 + 7 * 100, 2050}));
}

TEST(WireEditorGeometry, WindowsWiderThanOneRowHoldEveryBox) {
  // From 33 boxes on, the width rule leaves room for the rightmost box of
  // either row; shorter wires get the fixed 6200.
  for (int n : {33, 52, 53, 56, 57, 64, 118}) {
    int right = 0;
    for (int i = 0; i < n; ++i)
      right = std::max(right, WireEditor::BoxPlace(i).left + 180);
    EXPECT_LT(right, WireEditor::WindowWidth(n)) << "n = " << n;
  }
  for (int n : {1, 7, 8}) {
    EXPECT_LT(WireEditor::BoxPlace(n - 1).left + 180, WireEditor::WindowWidth(n)) << n;
  }
}

// ---------------------------------------------------------------- loading

struct RecordingDialogs final : UserDialogs {
  std::vector<std::string> messages;
  void Message(std::string_view text) override { messages.emplace_back(text); }
  bool AskYesNo(std::string_view) override { return true; }
  void Beep() override {}
};

std::vector<std::string> VisibleLabels(const WireEditor& ed) {
  std::vector<std::string> out;
  for (int i = 0; i < WireEditor::kBoxes; ++i) {
    if (ed.labelVisible(i)) out.push_back(ed.labelText(i));
  }
  return out;
}

int VisibleBoxes(const WireEditor& ed) {
  int n = 0;
  for (int i = 0; i < WireEditor::kBoxes; ++i)
    n += ed.boxVisible(i) ? 1 : 0;
  return n;
}

// An irregular pattern of bits, so a box showing the wrong cell shows up.
void FillPattern(Wire& w) {
  for (int p = 0; p < w.size(); ++p)
    w[p] = ((p * 7 + 3) % 5 < 2) ? "1" : "0";
}

TEST(WireEditorInit, ShowsOneBoxPerBitWithTheNumbersOfTheRange) {
  struct Case {
    int first, last;         // the wire's own range
    int start, endb;         // what the button passes
    int boxes;               // boxes shown
    std::vector<int> shown;  // box positions whose labels are visible
  } cases[] = {
      {6, 0, 6, 0, 7, {0, 6}},  // EA[6:0]
      {-1, 116, -1, 116, 118, {0, 8, 16, 24, 32, 40, 48, 56, 64, 72, 80, 88, 96, 104, 112, 117}},
      {5, 5, 5, 5, 1, {0}},  // one bit
      {0, 52, 0, 52, 53, {0, 8, 16, 24, 32, 40, 48, 52}},
      {10, 0, 10, 7, 4, {0, 3}},  // leftmost cells only
      {-2, 52, -2, 52, 55, {0, 8, 16, 24, 32, 40, 48, 54}},
  };
  for (const Case& c : cases) {
    Wire w("w", "w", c.first, c.last);
    FillPattern(w);
    WireEditor ed;
    ed.LoadParams(&w, c.start, c.endb, "Stage", "w[..]", false);
    const int step = c.start <= c.endb ? 1 : -1;
    ASSERT_EQ(VisibleBoxes(ed), c.boxes) << c.start << ":" << c.endb;
    std::vector<std::string> expected;
    for (int i : c.shown)
      expected.push_back(std::to_string(c.start + i * step));
    EXPECT_EQ(VisibleLabels(ed), expected) << c.start << ":" << c.endb;
    for (int i = 0; i < c.boxes; ++i) {
      EXPECT_TRUE(ed.boxVisible(i));
      EXPECT_EQ(ed.boxText(i), w[i].text()) << "box " << i;  // cell i, whatever the range
      EXPECT_EQ(ed.labelText(i), std::to_string(c.start + i * step));
    }
    EXPECT_EQ(ed.step(), step);
    EXPECT_DOUBLE_EQ(ed.width(), WireEditor::WindowWidth(c.start == c.endb ? 0 : c.boxes));
    EXPECT_FALSE(ed.loading());
  }
}

TEST(WireEditorInit, NamesTheRangeAsTitled) {
  Wire ea("Ea", "EA[6:0]", 6, 0);
  WireEditor ed;
  ed.LoadParams(&ea, 6, 0, "R1 Medium", "EA[6:0]", false);
  EXPECT_EQ(ed.formName(), "R1 Medium");
  EXPECT_EQ(ed.wireName(), "EA[6:0]");
  EXPECT_EQ(ed.count(), 7);
  EXPECT_EQ(ed.labelText(0), "6");
  EXPECT_EQ(ed.labelText(6), "0");
  EXPECT_TRUE(ed.labelVisible(0) && ed.labelVisible(6));
  EXPECT_FALSE(ed.boxVisible(7));

  Wire bit("b", "SIGN_MED", 0, 0);
  ed.LoadParams(&bit, 0, 0, "R1 Large", "SIGN_MED", false);
  EXPECT_EQ(ed.count(), 0);  // one bit counts as 0, shown as one box
  EXPECT_EQ(VisibleBoxes(ed), 1);
  EXPECT_EQ(VisibleLabels(ed), std::vector<std::string>{"0"});
}

TEST(WireEditorInit, AShorterWireAfterALongOneHidesTheRest) {
  Wire longWire("l", "l", -1, 116);
  Wire shortWire("s", "s", 6, 0);
  WireEditor ed;
  ed.LoadParams(&longWire, -1, 116, "X", "l", true);
  ed.ClickBox(3);  // makes label 3 visible until the next Init
  EXPECT_TRUE(ed.labelVisible(3));
  ed.Cancel();
  ed.LoadParams(&shortWire, 6, 0, "X", "s", false);
  EXPECT_EQ(VisibleBoxes(ed), 7);
  EXPECT_EQ(VisibleLabels(ed), (std::vector<std::string>{"6", "0"}));
  for (int i = 7; i < WireEditor::kBoxes; ++i)
    EXPECT_FALSE(ed.labelVisible(i)) << i;
}

// ---------------------------------------------------------------- typing

TEST(WireEditorTyping, WalksTheFocusAndTurnsAnythingElseIntoZero) {
  struct Case {
    const char* typed;
    const char* kept;
  } cases[] = {{"1", "1"}, {"0", "0"}, {"a", "0"}, {"", "0"}, {"10", "0"}, {"2", "0"}, {" 1", "0"}};
  for (const Case& c : cases) {
    Wire ea("Ea", "EA[6:0]", 6, 0);
    WireEditor ed;
    ed.LoadParams(&ea, 6, 0, "R1 Medium", "EA[6:0]", false);
    std::vector<int> focusCalls;
    ed.onFocus = [&](int i) { focusCalls.push_back(i); };
    ed.Activate();
    EXPECT_EQ(ed.focusedBox(), 0);
    EXPECT_EQ(ed.selectedBox(), 0);
    ed.TypeIntoBox(2, c.typed);
    EXPECT_EQ(ed.boxText(2), c.kept) << "typed '" << c.typed << "'";
    EXPECT_EQ(ed.focusedBox(), 3);
    EXPECT_EQ(ed.selectedBox(), 3);  // the next key replaces box 3's bit
    EXPECT_EQ(focusCalls, (std::vector<int>{0, 3}));
    EXPECT_EQ(ea.Text(), "0000000");  // nothing reaches the wire before Apply
  }
}

TEST(WireEditorTyping, TheLastBoxKeepsTheFocus) {
  struct Case {
    int first, last, lastBox;
  } cases[] = {{6, 0, 6}, {0, 0, 0}, {-1, 116, 117}, {52, 54, 2}};
  for (const Case& c : cases) {
    Wire w("w", "w", c.first, c.last);
    WireEditor ed;
    ed.LoadParams(&w, c.first, c.last, "S", "w", false);
    ed.Activate();
    ed.TypeIntoBox(c.lastBox, "1");
    EXPECT_EQ(ed.focusedBox(), c.lastBox);
    EXPECT_EQ(ed.selectedBox(), c.lastBox);
    EXPECT_EQ(ed.boxText(c.lastBox), "1");
  }
}

TEST(WireEditorTyping, TypingAWholeWireLeftToRight) {
  Wire ea("Ea", "EA[6:0]", 6, 0);
  WireEditor ed;
  ed.LoadParams(&ea, 6, 0, "R1 Medium", "EA[6:0]", false);
  ed.Activate();
  const std::string bits = "1011x01";
  for (char ch : bits)
    ed.TypeIntoBox(ed.focusedBox(), std::string(1, ch));
  std::string shown;
  for (int i = 0; i < 7; ++i)
    shown += ed.boxText(i);
  EXPECT_EQ(shown, "1011001");
  EXPECT_EQ(ed.focusedBox(), 6);
  EXPECT_EQ(ea.Text(), "0000000");
  // Activation re-reads the wire: the typed bits are gone.
  ed.Activate();
  for (int i = 0; i < 7; ++i)
    EXPECT_EQ(ed.boxText(i), "0") << i;
  EXPECT_EQ(ed.focusedBox(), 0);
}

TEST(WireEditorTyping, ClickShowsTheBitLabelUntilTheNextInit) {
  Wire w("w", "w", 0, 52);
  WireEditor ed;
  ed.LoadParams(&w, 0, 52, "S", "w", false);
  EXPECT_FALSE(ed.labelVisible(5));
  ed.ClickBox(5);
  EXPECT_TRUE(ed.labelVisible(5));
  EXPECT_EQ(ed.selectedBox(), 5);
  ed.TypeIntoBox(9, "1");
  EXPECT_TRUE(ed.labelVisible(5));  // stays through typing
  ed.Init();
  EXPECT_FALSE(ed.labelVisible(5));
}

TEST(WireEditorTyping, DoubleClickTellsTheBoxPosition) {
  Wire ea("Ea", "EA[6:0]", 6, 0);
  RecordingDialogs dialogs;
  WireEditor ed;
  ed.SetDialogs(&dialogs);
  ed.LoadParams(&ea, 6, 0, "R1 Medium", "EA[6:0]", false);
  ed.Activate();
  ed.DoubleClickBox(5);  // bit 1, position 5
  ed.DoubleClickBox(0);
  EXPECT_EQ(dialogs.messages, (std::vector<std::string>{"5", "0"}));
  EXPECT_EQ(ed.focusedBox(), 0);
  EXPECT_EQ(ea.Text(), "0000000");
}

// ---------------------------------------------------------------- Apply

// IEEE 754 binary64 helpers on the host.
std::uint64_t BitsOf(double x) {
  std::uint64_t u = 0;
  std::memcpy(&u, &x, sizeof u);
  return u;
}
double FromBits(std::uint64_t u) {
  double x = 0;
  std::memcpy(&x, &u, sizeof x);
  return x;
}
std::string BitString(double x) {
  const std::uint64_t u = BitsOf(x);
  std::string s;
  for (int k = 63; k >= 0; --k)
    s += ((u >> k) & 1) != 0 ? '1' : '0';
  return s;
}

void SetOperand(Adder& adder, Operand op, double x) {
  std::array<unsigned char, 8> bytes{};
  const std::uint64_t u = BitsOf(x);
  for (int i = 0; i < 8; ++i)
    bytes[static_cast<std::size_t>(i)] = static_cast<unsigned char>(u >> (8 * i));
  BytesToBoxes(bytes, adder.input, op);
}

// The result as the Results stage shows it: sign, exponent, 52 fraction bits.
std::string ResultBits(const Adder& adder) {
  const Results& r = adder.results;
  std::string s = r.Sa[0].str();
  for (int i = 0; i <= 10; ++i)
    s += r.Ea[i].str();
  for (int i = 1; i <= 52; ++i)
    s += r.Fa[i].str();
  return s;
}

std::string AllResults(const Adder& adder) {
  return adder.results.Sa.Text() + "|" + adder.results.Ea.Text() + "|" + adder.results.Fa.Text() +
         "|" + adder.results.Label1;
}

// Every wire of every stage, to see that nothing moved.
std::map<std::string, std::string> Snapshot(Adder& adder) {
  std::map<std::string, std::string> out;
  for (int slot = 1; slot <= Session::kSlots; ++slot) {
    const Stage* stage = adder.StageInSlot(slot);
    for (const Wire* w : stage->wires())
      out[stage->name() + "." + w->name()] = w->Text();
  }
  return out;
}

// A with its exponent's low seven bits replaced.
double WithLowExponent(double a, int low7) {
  std::uint64_t u = BitsOf(a);
  u &= ~(std::uint64_t{0x7F} << 52);
  u |= static_cast<std::uint64_t>(low7) << 52;
  return FromBits(u);
}

std::string Low7(int v) {
  std::string s;
  for (int b = 6; b >= 0; --b)
    s += ((v >> b) & 1) != 0 ? '1' : '0';
  return s;
}

struct Pipeline {
  Adder adder;
  Session session{adder};
  Pipeline(double a, double b) {
    session.FillStepTable();
    SetOperand(adder, Operand::A, a);
    SetOperand(adder, Operand::B, b);
    session.Run();
  }
};

constexpr double kA = 0.1875;  // 1.5 * 2^-3, biased exponent 1020
constexpr double kB = 40.0;    // 1.25 * 2^5, biased exponent 1028

TEST(WireEditorApply, EditingEaOfTheFirstStageGivesTheSumOfTheEditedOperand) {
  // New low exponent bits of A; A stays the smaller operand in every case,
  // so every later stage sees the edit only through the exponent difference.
  for (int low : {0b1111110, 0b1111111, 0b0000000, 0b1110001}) {
    Pipeline p(kA, kB);
    ASSERT_EQ(ResultBits(p.adder), BitString(kA + kB));
    const std::string before = AllResults(p.adder);
    p.session.Activate(1);  // the user is at R1Medium
    WireEditor ed;
    ed.LoadParams(&p.adder.r1Medium.Ea, 6, 0, "R1 Medium", "EA[6:0]", false);
    ed.Activate();
    for (char ch : Low7(low))
      ed.TypeIntoBox(ed.focusedBox(), std::string(1, ch));
    EXPECT_EQ(p.adder.r1Medium.Ea.Text(), "1111100");  // untouched until Apply
    EXPECT_EQ(AllResults(p.adder), before);
    EXPECT_FALSE(p.session.inconsistent());

    ed.Apply(p.session);
    EXPECT_EQ(p.adder.r1Medium.Ea.Text(), Low7(low));
    EXPECT_TRUE(p.session.inconsistent());
    EXPECT_FALSE(ed.shown());

    // A second adder that is handed the edited operand from the start.
    const double edited = WithLowExponent(kA, low);
    Pipeline fresh(edited, kB);
    EXPECT_EQ(AllResults(p.adder), AllResults(fresh.adder)) << Low7(low);
    EXPECT_EQ(ResultBits(p.adder), BitString(edited + kB)) << Low7(low);
    EXPECT_NE(AllResults(p.adder), before);
  }
}

TEST(WireEditorApply, RecomputesFromTheCounterAsItStoodWhenApplyWasPressed) {
  // Hiding the editor brings another window forward, whose activation moves
  // the counter; the sweep must still start where the user pressed Apply.
  Pipeline p(kA, kB);
  p.session.Activate(1);
  WireEditor ed;
  ed.LoadParams(&p.adder.r1Medium.Ea, 6, 0, "R1 Medium", "EA[6:0]", false);
  ed.onChanged = [&] {
    if (!ed.shown()) p.session.Activate(25);
  };
  ed.Activate();
  for (char ch : Low7(0b1111111))
    ed.TypeIntoBox(ed.focusedBox(), std::string(1, ch));
  ed.Apply(p.session);
  EXPECT_EQ(p.session.stepCounter(), 25);
  EXPECT_EQ(ResultBits(p.adder), BitString(WithLowExponent(kA, 0b1111111) + kB));
}

TEST(WireEditorApply, AfterAnotherStageWasActivatedRecomputesFromThatStage) {
  Pipeline p(kA, kB);
  p.session.Activate(1);
  WireEditor ed;
  ed.LoadParams(&p.adder.r1Medium.Ea, 6, 0, "R1 Medium", "EA[6:0]", false);
  ed.Activate();
  for (char ch : Low7(0b1111111))
    ed.TypeIntoBox(ed.focusedBox(), std::string(1, ch));

  const auto before = Snapshot(p.adder);
  p.session.Activate(2);  // the user clicked R1Large meanwhile
  // Spoil an output of R1Large and the result: a sweep from slot 2 puts
  // them right again.
  p.adder.r1Large.MAG_LRG.SetText("11111");
  p.adder.results.Ea.SetText("00000000000");
  ed.Apply(p.session);

  auto after = Snapshot(p.adder);
  EXPECT_EQ(after["R1Medium.Ea"], Low7(0b1111111));
  after["R1Medium.Ea"] = before.at("R1Medium.Ea");
  // R1Medium was not recalculated: its outputs still belong to the old
  // exponent, so everything downstream is what it was.
  EXPECT_EQ(after, before);
  EXPECT_EQ(ResultBits(p.adder), BitString(kA + kB));
  EXPECT_TRUE(p.session.inconsistent());
}

TEST(WireEditorApply, WritesExactlyTheCellsOfTheRange) {
  struct Case {
    int first, last;  // the wire
    int start, endb;  // the request
    std::string typed;
    std::string after;
  } cases[] = {
      {6, 0, 6, 0, "1010101", "1010101"},
      {10, 0, 10, 7, "0000", "00001111111"},  // leftmost four cells only
      {0, 0, 0, 0, "0", "0"},                 // one bit: cell 0
      {7, 7, 7, 7, "x", "0"},
      {0, 2, 0, 5, "000000", "000"},  // range past the wire's end
      {-1, 116, -1, 116, "00", "00" + std::string(116, '1')},
  };
  for (const Case& c : cases) {
    Pipeline p(kA, kB);
    const auto before = Snapshot(p.adder);
    Wire w("w", "w", c.first, c.last, "1");
    WireEditor ed;
    ed.LoadParams(&w, c.start, c.endb, "S", "w", false);
    ed.Activate();
    for (char ch : c.typed)
      ed.TypeIntoBox(ed.focusedBox(), std::string(1, ch));
    ed.Apply(p.session);
    EXPECT_EQ(w.Text(), c.after) << c.start << ":" << c.endb;
    EXPECT_EQ(w.size(), std::abs(c.last - c.first) + 1);
    EXPECT_EQ(Snapshot(p.adder), before);  // recomputed from 25: nothing moves
  }
}

// ---------------------------------------------------------------- Cancel

TEST(WireEditorCancel, LeavesWiresAndTheFlagAsTheyWere) {
  for (bool flag : {false, true}) {
    Pipeline p(kA, kB);
    p.session.Activate(1);
    p.session.SetInconsistent(flag);
    const auto before = Snapshot(p.adder);
    WireEditor ed;
    ed.LoadParams(&p.adder.r1Medium.Ea, 6, 0, "R1 Medium", "EA[6:0]", false);
    ed.Activate();
    for (int i = 0; i < 7; ++i)
      ed.TypeIntoBox(i, "1");
    ed.Cancel();
    EXPECT_EQ(Snapshot(p.adder), before);
    EXPECT_EQ(p.session.inconsistent(), flag);
    EXPECT_FALSE(ed.shown());
    EXPECT_TRUE(ed.applyEnabled());
  }
}

TEST(WireEditorCancel, ViewOnlyStaysWithoutApplyUntilCancel) {
  Pipeline p(kA, kB);
  p.session.Activate(9);
  Wire& fsopa = p.adder.r1BigMux.FSOPA;
  const std::string text = fsopa.Text();
  const auto before = Snapshot(p.adder);
  WireEditor ed;
  ed.LoadParams(&fsopa, -1, 116, "R1 BigMux", "FSOPA[-1:116]", true);
  EXPECT_FALSE(ed.applyEnabled());
  EXPECT_EQ(VisibleBoxes(ed), 118);
  ed.Activate();
  ed.TypeIntoBox(0, text[0] == '1' ? "0" : "1");
  ed.Apply(p.session);  // disabled: nothing happens
  EXPECT_TRUE(ed.shown());
  EXPECT_FALSE(p.session.inconsistent());
  EXPECT_EQ(Snapshot(p.adder), before);

  // An Edit button pressed while the view-only editor is open does not
  // bring Apply back; only Cancel does.
  ed.LoadParams(&p.adder.r1Medium.Ea, 6, 0, "R1 Medium", "EA[6:0]", false);
  EXPECT_FALSE(ed.applyEnabled());
  ed.Cancel();
  EXPECT_TRUE(ed.applyEnabled());
  ed.LoadParams(&p.adder.r1Medium.Ea, 6, 0, "R1 Medium", "EA[6:0]", false);
  EXPECT_TRUE(ed.applyEnabled());
  EXPECT_EQ(Snapshot(p.adder), before);
}

// ---------------------------------------------------------------- no wire

TEST(WireEditorNoWire, ShowsEmptyBoxesAndChangesNothing) {
  Pipeline p(kA, kB);
  p.session.Activate(15);
  const auto before = Snapshot(p.adder);
  const std::string result = AllResults(p.adder);
  RecordingDialogs dialogs;
  WireEditor ed;
  ed.SetDialogs(&dialogs);
  ed.LoadParams(nullptr, 0, 1, "Rounding Deceision", "RI RN", false);
  EXPECT_EQ(ed.wireName(), "RI RN");
  EXPECT_EQ(VisibleBoxes(ed), 2);
  EXPECT_EQ(ed.boxText(0), "");
  EXPECT_EQ(ed.boxText(1), "");
  EXPECT_EQ(VisibleLabels(ed), (std::vector<std::string>{"0", "1"}));
  EXPECT_FALSE(ed.applyEnabled());

  ed.Activate();
  ed.TypeIntoBox(0, "1");
  ed.ClickBox(1);
  ed.DoubleClickBox(1);
  ed.Apply(p.session);
  EXPECT_EQ(Snapshot(p.adder), before);
  EXPECT_EQ(AllResults(p.adder), result);
  EXPECT_FALSE(p.session.inconsistent());
  EXPECT_EQ(p.session.stepCounter(), 15);
  ed.Cancel();
  EXPECT_TRUE(ed.applyEnabled());
  EXPECT_FALSE(ed.shown());
  EXPECT_EQ(dialogs.messages, std::vector<std::string>{"1"});
}

TEST(WireEditorNoWire, ARangeBeyondEveryBoxIsCutAtTheLastBox) {
  Wire w("w", "w", 0, 2);
  w.SetText("101");
  WireEditor ed;
  ed.LoadParams(&w, 0, 300, "S", "w", false);
  EXPECT_EQ(ed.count(), 301);
  EXPECT_EQ(VisibleBoxes(ed), WireEditor::kBoxes);
  EXPECT_EQ(ed.boxText(0), "1");
  EXPECT_EQ(ed.boxText(3), "");
  EXPECT_EQ(ed.labelText(118), "118");
  EXPECT_TRUE(ed.labelVisible(118));
  ed.TypeIntoBox(118, "1");
  EXPECT_EQ(ed.focusedBox(), 118);
  EXPECT_EQ(w.Text(), "101");
}

}  // namespace
}  // namespace sumaris
