// The Wire Bits Editor's model: geometry, loading a wire into the boxes,
// typing, Apply with its recomputation, Cancel, and a request without a wire.
#include "session/wire_editor.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <map>
#include <string>
#include <vector>

#include "support/adder_driver.h"
#include "support/files.h"
#include "support/recording_platform.h"

namespace sumaris {
namespace {

using test::AdderDriver;
using test::Bits;

TEST(WireEditorGeometry, WidthAndBoxPlacesFollowTheDesign) {
  for (int n : {1, 7, 8, 32, 33, 52, 53, 56, 57, 64, 118}) {
    const double groups = (n / 8.0 + 1) * 100;  // n / 8 kept exact
    const double expected = n * 185 < 6001 ? 6200
                            : n < 53       ? n * 185 + 400 + groups
                                           : groups + 11300;
    EXPECT_DOUBLE_EQ(WireEditor::WindowWidth(n), expected) << "n = " << n;
  }
  EXPECT_DOUBLE_EQ(WireEditor::WindowWidth(33), 7017.5);  // worked by hand
  // Walk the boxes as the design places them: 185 apart, 100 more before
  // every eighth, box 56 back at the left 400 below the first row.
  TwipPoint at{120, 1320};
  for (int i = 0; i < WireEditor::kBoxes; ++i) {
    if (i == 56) {
      at = {120, 1320 + 330 + 400};
    } else if (i > 0) {
      at.left += 185 + (i % 8 == 0 ? 100 : 0);
    }
    EXPECT_EQ(WireEditor::BoxPlace(i), at) << "box " << i;
    EXPECT_EQ(WireEditor::LabelPlace(i), (TwipPoint{at.left, at.top - 240})) << "box " << i;
  }
  EXPECT_EQ(WireEditor::BoxPlace(55), (TwipPoint{120 + 55 * 185 + 6 * 100, 1320}));
  EXPECT_EQ(WireEditor::BoxPlace(117), (TwipPoint{120 + 61 * 185 + 7 * 100, 2050}));
}

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

// Box i shows cell i whatever the range; the bit numbers run from start
// towards endb and show at box 0, every eighth box and the last box.
TEST(WireEditorLoad, ShowsOneBoxPerCellWithTheBitNumbersOfTheRange) {
  struct Case {
    int first, last, start, endb;  // the wire's range, then what the button passes
    bool viewOnly;
  } cases[] = {{-1, 116, -1, 116, true},
               {6, 0, 6, 0, false},
               {5, 5, 5, 5, false},
               {0, 52, 0, 52, false},
               {10, 0, 10, 7, false}};
  WireEditor ed;  // one for every wire, as in the program: after the long wire the rest hides
  for (const Case& c : cases) {
    Wire w("w", "w", c.first, c.last);
    for (int p = 0; p < w.size(); ++p)
      w[p] = (p * 7 + 3) % 5 < 2 ? "1" : "0";
    ed.LoadParams(&w, c.start, c.endb, "Stage", "w[..]", c.viewOnly);
    const int boxes = std::abs(c.endb - c.start) + 1, step = c.start <= c.endb ? 1 : -1;
    std::vector<std::string> labels;
    for (int i = 0; i < boxes; ++i) {
      EXPECT_EQ(ed.boxText(i), w[i].text()) << "box " << i;
      if (i % 8 == 0 || i == boxes - 1) labels.push_back(std::to_string(c.start + i * step));
    }
    EXPECT_EQ(VisibleBoxes(ed), boxes);
    EXPECT_EQ(VisibleLabels(ed), labels);
    EXPECT_EQ(ed.applyEnabled(), !c.viewOnly);
    EXPECT_EQ(ed.formName() + "|" + ed.wireName(), "Stage|w[..]");
    ed.Cancel();
  }
  EXPECT_EQ(VisibleLabels(ed), (std::vector<std::string>{"10", "7"}));  // worked by hand
}

TEST(WireEditorTyping, WalksTheFocusTurnsOtherKeysIntoZeroAndKeepsTheWire) {
  Wire ea("Ea", "EA[6:0]", 6, 0);
  ea.SetText("0110010");
  WireEditor ed;
  std::vector<int> focusCalls;
  ed.onFocus = [&](int i) { focusCalls.push_back(i); };
  ed.LoadParams(&ea, 6, 0, "R1 Medium", "EA[6:0]", false);
  ed.Activate();
  EXPECT_EQ(ed.focusedBox(), 0);
  const char* keys[] = {"1", "0", "a", "1", "", "10", "1", "0"};  // the last one into box 6 again
  std::string shown;
  for (const char* key : keys)
    ed.TypeIntoBox(ed.focusedBox(), key);
  for (int i = 0; i < 7; ++i)
    shown += ed.boxText(i);
  EXPECT_EQ(shown, "1001000");
  EXPECT_EQ(focusCalls, (std::vector<int>{0, 1, 2, 3, 4, 5, 6, 6, 6}));
  EXPECT_EQ(ed.selectedBox(), 6);  // the next key replaces the last bit
  EXPECT_EQ(ea.Text(), "0110010");
  ed.Activate();  // activation re-reads the wire: the typing is gone
  for (int i = 0; i < 7; ++i)
    EXPECT_EQ(ed.boxText(i), ea[i].text());
}

// Every wire of every stage, to see what moved.
std::map<std::string, std::string> Snapshot(Adder& adder, int fromSlot = 1) {
  std::map<std::string, std::string> out;
  for (int slot = fromSlot; slot <= Session::kSlots; ++slot) {
    const Stage* stage = adder.StageInSlot(slot);
    for (const Wire* w : stage->wires())
      out[std::string(stage->name()) + "." + w->name()] = w->Text();
  }
  return out;
}

constexpr double kA = 0.1875;  // biased exponent 1020: low seven bits 1111100
constexpr double kB = 40.0;    // 1028

std::string Low7(int v) {
  return test::BitString(static_cast<std::uint64_t>(v) << 57).substr(0, 7);
}

TEST(WireEditorApply, WritesTheBoxesSetsTheFlagAndRecomputesFromTheCounterAtApply) {
  struct Case {
    int low7;
    int slot;  // the step counter when Apply is pressed
  } cases[] = {{0b1111111, 1}, {0b0000000, 1}, {0b1110001, 1}, {0b1111111, 2}};
  for (const Case& c : cases) {
    AdderDriver p;
    Adder& adder = p.adder();
    p.Run(Bits(kA), Bits(kB), false, Rounding::NearestEven);
    const auto before = Snapshot(adder);
    p.session().Activate(1);
    WireEditor ed;
    ed.LoadParams(&adder.r1Medium.Ea, 6, 0, "R1 Medium", "EA[6:0]", false);
    // Hiding the editor brings another window forward, whose activation moves the counter.
    ed.onChanged = [&] {
      if (!ed.shown()) p.session().Activate(25);
    };
    ed.Activate();
    for (char ch : Low7(c.low7))
      ed.TypeIntoBox(ed.focusedBox(), std::string(1, ch));
    EXPECT_EQ(Snapshot(adder), before) << "nothing changes before Apply";
    p.session().Activate(c.slot);
    adder.r1Large.MAG_LRG.SetText("11111");  // spoilt: a sweep from slot 1 or 2 puts it right
    ed.Apply(p.session());
    EXPECT_EQ(adder.r1Medium.Ea.Text(), Low7(c.low7));
    EXPECT_TRUE(p.session().inconsistent());
    EXPECT_FALSE(ed.shown());
    if (c.slot == 2) {  // R1Medium not recalculated: everything else is as before
      auto after = Snapshot(adder), expected = before;
      after.erase("R1Medium.Ea");
      expected.erase("R1Medium.Ea");
      EXPECT_EQ(after, expected);
      continue;
    }
    // A second adder handed the edited operand from the start agrees.
    const std::uint64_t edited =
        (Bits(kA) & ~(std::uint64_t{0x7F} << 52)) | (static_cast<std::uint64_t>(c.low7) << 52);
    AdderDriver fresh;
    EXPECT_EQ(fresh.Run(edited, Bits(kB), false, Rounding::NearestEven),
              Bits(test::AsDouble(edited) + kB));
    for (std::size_t i = 0; i < adder.results.wires().size(); ++i) {
      EXPECT_EQ(adder.results.wires()[i]->Text(), fresh.adder().results.wires()[i]->Text());
    }
  }
}

TEST(WireEditorApply, WritesCountCellsOfTheWire) {
  struct Case {
    int first, last;  // the wire
    int start, endb;  // the request
    std::string typed, after;
    int firstCell = 0;  // the cell the first box shows
  } cases[] = {{6, 0, 6, 0, "1010101", "1010101"},
               {10, 0, 10, 7, "0000", "00001111111"},
               {7, 7, 7, 7, "x", "0"},
               {0, 2, 0, 5, "000000", "000"},  // a range past the wire's end
               {-1, 116, -1, 116, "00", "00" + std::string(116, '1')},
               // A button that edits a cell right of the first: that cell only.
               {0, 1, 1, 1, "0", "10", 1},
               {0, 3, 2, 3, "00", "1100", 2},
               {0, 2, 1, 3, "000", "100", 1}};  // and never past the wire's end
  for (const Case& c : cases) {
    AdderDriver p;
    Wire w("w", "w", c.first, c.last, "1");
    WireEditor ed;
    ed.LoadParams(&w, c.start, c.endb, "S", "w", false, c.firstCell);
    ed.Activate();
    for (char ch : c.typed)
      ed.TypeIntoBox(ed.focusedBox(), std::string(1, ch));
    p.session().Activate(25);
    ed.Apply(p.session());
    EXPECT_EQ(w.Text(), c.after) << c.start << ":" << c.endb;
    EXPECT_TRUE(p.session().inconsistent());
  }
}

TEST(WireEditorCancel, CancelViewOnlyAndARequestWithoutAWireChangeNothing) {
  AdderDriver p;
  Adder& adder = p.adder();
  p.Run(Bits(kA), Bits(kB), false, Rounding::NearestEven);
  p.session().Activate(9);
  const auto before = Snapshot(adder);
  test::RecordingDialogs dialogs;
  WireEditor ed;
  ed.SetDialogs(&dialogs);
  ed.LoadParams(&adder.r1Medium.Ea, 6, 0, "R1 Medium", "EA[6:0]", false);
  ed.Activate();
  for (int i = 0; i < 7; ++i)
    ed.TypeIntoBox(i, "1");
  ed.Cancel();
  // View only: Apply does nothing; Cancel enables it again, and so does an
  // Edit button pressed while the view-only opening is shown.
  for (const bool cancelFirst : {true, false}) {
    ed.LoadParams(&adder.r1BigMux.FSOPA, -1, 116, "R1 BigMux", "FSOPA[-1:116]", true);
    ed.Activate();
    ed.TypeIntoBox(0, adder.r1BigMux.FSOPA[0].Is('1') ? "0" : "1");
    ed.Apply(p.session());
    EXPECT_TRUE(ed.shown());
    EXPECT_FALSE(ed.applyEnabled());
    if (cancelFirst) {
      ed.Cancel();
      EXPECT_TRUE(ed.applyEnabled());
    }
    ed.LoadParams(&adder.r1Medium.Ea, 6, 0, "R1 Medium", "EA[6:0]", false);
    EXPECT_TRUE(ed.applyEnabled());
    ed.Cancel();
  }
  // A button that hands over no wire: empty boxes and no Apply.
  ed.LoadParams(nullptr, 0, 1, "Rounding Deceision", "RI RN", false);
  EXPECT_EQ(VisibleBoxes(ed), 2);
  EXPECT_EQ(ed.boxText(0) + ed.boxText(1), "");
  EXPECT_EQ(VisibleLabels(ed), (std::vector<std::string>{"0", "1"}));
  EXPECT_FALSE(ed.applyEnabled());
  ed.Activate();
  ed.TypeIntoBox(0, "1");
  ed.DoubleClickBox(1);
  ed.Apply(p.session());
  EXPECT_EQ(dialogs.messages, std::vector<std::string>{"1"});  // the box position
  ed.Cancel();
  EXPECT_TRUE(ed.applyEnabled());
  EXPECT_EQ(Snapshot(adder), before);
  EXPECT_FALSE(p.session().inconsistent());
  EXPECT_EQ(p.session().stepCounter(), 9);
}

}  // namespace
}  // namespace sumaris
