// The layout tables of all 25 stage windows against the hardware's
// description: every wire a row, cell or button names exists in its stage,
// the hidden wires have no row and every other wire is on show, the block
// labels are there, no cell or button lies on another, and every Edit,
// Expand and view button hands the Wire Bits Editor exactly the wire, range,
// title, form name and mode written out below. Also the drawing kit's own
// measures that the tables are built with, and the drawings' common rules:
// rows that stand by bit weight, one scale for a split bar, one order of a
// multiplexer's input marks.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <map>
#include <optional>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "adder/adder.h"
#include "app/layouts/layout_sketch.h"
#include "app/layouts/row_layout.h"
#include "app/layouts/stage_layout.h"

namespace sumaris::layout {
namespace {

// One stage: the form name its buttons hand the editor, its hidden wires,
// the labels of its drawing ("=X" for the read-out X; repeats count), all
// '|'-separated, and its buttons as name|caption|wire|start|end|title, then
// "|view" for view only, "|@N" when the editor's first box shows cell N
// rather than cell 0, and "|F" when it hands the form name F instead; a
// button that opens nothing is name|caption|-.
struct StageWant {
  int slot;
  const char* form;
  const char* hidden;
  const char* labels;
  std::vector<std::string> buttons;
};

StageWant S(int slot, const char* form, const char* hidden, const char* labels,
            std::vector<std::string> buttons) {
  return {slot, form, hidden, labels, std::move(buttons)};
}

const std::vector<StageWant>& Stages() {
  static const std::vector<StageWant> stages = {
      S(1, "R1 Medium", "EB_INV", "Adder(7)|XOR|OR TREE|Cout|MAG_MED[5:1]",
        {"EditEA|Edit|Ea|6|0|EA[6:0]", "EditEB|Edit|EB|6|0|EB[6:0]"}),
      S(2, "R1 Large", "EB_INV|OEB_INV", "Adder(5)|XOR|OR TREE",
        {"EditOEA|Edit|Ea|10|7|EA[10:7]", "EditOEB|Edit|EB|10|7|EB[10:7]",
         "EditCIN|Edit|CIN|0|0|Carry in", "EditSIGN_MED|Edit|SIGN_MED|0|0|SIGN_MED"}),
      S(3, "1'S Complement", "", "1's Complement",
        {"EditFA|Edit|Fa|0|52|FA[0:52]", "EditFB|Edit|FB|0|52|FB[0:52]"}),
      S(4, "Align 1", "", "Shift Left|Shift Right",
        {"EditFAO|Edit|FAO|0|52|FAO[0:52]", "EditFBO|Edit|FBO|0|52|FBO[0:52]",
         "EditSeff|Edit|seff|0|0|S.EFF"}),
      S(5, "Swap part 1", "", "Mux|0|1",
        {"EditFAOP|Edit|FAOP|-1|52|FAOP[-1:52]", "EditFBOP|Edit|FBOP|0|53|FBOP[0:53]",
         "EditSeff|Edit|seff|0|0|SEFF", "EditSIGN_MED|Edit|SIGN_MED|0|0|SIGN_MED"}),
      S(6, "Small Exp Difference + Large Sig + Pre-Shift", "", "Mux|0|1",
        {"EditFAO|Edit|FAO|-1|52|FAOP[-1:52]", "EditEB|Edit|FBO|0|53|FBOP[0:53]",
         "EditSIGN_BIG|Edit|SIGN_BIG|0|0|SIGN_BIG"}),
      S(7, "Swap Large", "", "Mux|0|1",
        {"EditFA|Edit|Fa|0|52|FA[0:52]", "EditFB|Edit|FB|0|52|FB[0:52]",
         "EditSIGN_BIG|Edit|SIGN_BIG|0|0|SIGN_BIG"}),
      S(8, "Shift Right, sign extend, fill bit with seff", "", "ShiftR(63)|Sign extend with s.eff",
        {"EditFSOP|Edit|FSOP|-1|53|FSOP[-1:53]", "EditMAG_MED|Edit|MAG_MED|5|0|MAG_MED[5:0]",
         "EditSeff|Edit|seff|0|0|SEFF", "ExpandFSOPAmed|Expand|FSOPAmed|-1|116|FSOPA|view"}),
      S(9, "Big Mux", "", "Mux|0|1|S.EFF^64|FSOPA.big[-1:116]|IS_BIG",
        {"EditFSO|Edit|FSO|0|53|FSO[0:53]",
         "EditFSOPAmed|Edit\\Expand|FSOPAmed|-1|116|FSOPAmed[-1:116]",
         "EditIS_BIG|Edit|IS_BIG|1|1|IS_BIG", "EditSeff|Edit|seff|0|0|SEFF[0]",
         "ExpandFSOPA|Expand|FSOPA|-1|116|FSOPA[-1:116]|view"}),
      S(10, "R1 Shift Left", "", "ShiftL(1)",
        {"EditFL|Edit|FL|0|52|FL[0:52]", "EditSeff|Edit|seff|0|0|SEFF"}),
      S(11, "IS_R1", "", "AND|OR",
        {"EditIS_BIG|Edit|IS_BIG|0|0|IS_BIG", "EditMAG_MED|Edit|MAG_MED|0|0|MAG_MED",
         "EditRIGHT_OR|Edit|RIGHT_OR|0|0|RIGHT_OR",
         "EditSIGN_BIG_N|Edit|SIGN_BIG_N|0|0|not(SIGN_BIG)"}),
      S(12, "R2HA", "", "HA(54)|FSOPA[-1:116]|[-1]|[52]|[53]|[116]",
        {"EditEA|Edit|FSOPA|-1|52|FSOPA[-1:52]", "Command3|Edit|FLP|-1|52|FLP[-1:52]",
         "EditEB|Edit|-"}),
      S(13, "Significand Add. High", "", "Compound Adder(53)",
        {"EditEA|Edit|XSUM|-1|52|XSUM[-1:52]", "EditEB|Edit|XCARRY|-1|51|XCARRY[-1:51]"}),
      S(14, "R2 Significants addition ", "",
        "Compute C[52], R', S'|OR "
        "TREE|XOR|MUX|0|1|(S=0)|(S=1)|INJ|FSOPA[-1:116]|[-1]|[52]|[53]|[116]",
        {"EditFsopa|Edit|FSOPA|54|116|FSOPA[54:116]", "EditR1rne|Edit|INJ|0|1|RI RNE",
         "EditSeff|Edit|seff|0|0|R1 SEFF", "EditEB|Edit|-"}),
      S(15, "Rounding Deceision", "", "Rounding Decisions|Mux|Mux|Mux|0|1|Is RN|Is RI|RINC",
        {"Command1|Edit|FPOSUMm1|-1|-1|FPOSUM[-1]|Ronding Deceision",
         "Command2|Edit|XSUM52|52|52|XSUM[52]|Ronding Deceision",
         "Command3|Edit|FPOSUMIm1|-1|-1|FPOSUMI[-1]", "Command4|Edit|FPOSUMI51|51|51|FPOSUMI[51]",
         "Command5|Edit|C52RS|52|54|C[52],R',S'", "Command6|Edit|FPOSUM51|51|51|FPOSUM[51]",
         "EditEB|Edit||0|1|RI RN"}),
      S(16, "R2 Post", "", "Shift Right|Shift Right|[-1]|[-1]",
        {"EditEA|Edit|FPOSUMI|-1|51|FPOSUMI[-1:51]", "EditEB|Edit|FPOSUM|-1|51|FPOSUM[-1:51]"}),
      S(17, "R2 Select1", "", "Mux|0|1",
        {"EditEA|Edit|FPOSUMI_s|0|51|FPOSUMI_s[0:51]", "EditEB|Edit|FPOSUM_s|0|51|FPOSUM_s[0:51]",
         "EditRinc|Edit|RINC|0|0|RINC"}),
      S(18, "R2 Select2", "", "Mux|0|1",
        {"EditInc|Edit|LSBINC|0|0|LSB(inc)", "EditNinc|Edit|LSBNINC|0|0|LSB(ninc)",
         "EditRinc|Edit|RINC|0|0|RINC"}),
      S(19, "Small Exp Difference + Large Sig + Pre-Shift", "EB_n",
        "2-bit ADD|Mux|0|1|SA,FA[0:52]|SB,FB[0:52]",
        {"EditEA|Edit|Ea|1|0|EA[1:0]", "EditEB|Edit|EB|1|0|EB[1:0]", "EditFA|Edit|Fa|0|52|FA[0:52]",
         "EditFB|Edit|FB|0|52|FB[0:52]", "EditSA|Edit|Sa|0|0|SA", "EditSB|Edit|SB|0|0|SB"}),
      S(20, "Small sig Select & Align & Pre-shift", "",
        "INV(53)|INV(53)|Mux|0|1|FAO[0:52]|FBO[0:52]",
        {"EditFA|Edit|Fa|0|52|FA[0:52]", "EditFB|Edit|FB|0|52|FB[0:52]",
         "EditDELTA0|Edit|DELTA|0|0|DELTA(0)", "EditDELTA1|Edit|DELTA|1|1|DELTA(1)|@1"}),
      S(21, "Significand Addition", "Sigma|PIE|P|gen_c|prop_c|GP_C|my_XNOR|my_xor",
        "Parallel Prefix Addder(55)|XNOR(55)|XOR(54)|OR(54)|PENC(54)|Mux",
        {"EditFSOPA|Edit|FSOPA|-1|52|FSOPA[-1:52]", "EditFLP|Edit|FLP|-1|51|FLP[-1:51]",
         "ShowPI|Show PI|PIE|-2|52|PI[-2:52]|view",
         "ShowSigma|Show Sigma|Sigma|-2|52|Sigma[-2:52]|view",
         "expandgen_c|...|gen_c|-2|52|Gen_C[-2:52]|view",
         "expandprop_c|...|prop_c|-1|52|Prop_C[-1:52]|view", "expandp|...|P|-2|52|P[-2:52]|view",
         "ExpandOR|...|GP_C|-1|52|GP_C[-1:52]|view",
         "expandmy_xnor|...|my_XNOR|-2|52|FOPSUM[-2:52]|view",
         "expandmy_xor|...|my_xor|-1|52|FOPSUMI[-1:52]|view"}),
      S(22, "Approx LZ Count", "PS_i|PC_i|PNP|PNM|XOR55", "PN-recode|XOR(55)|PENC(55)|PENC(54)",
        {"EditFlp|Edit|FLP|-1|51|FLP[-1:51]", "EditFsopa|Edit|FSOPA|-1|52|FSOPA[-1:52]",
         "EditFOPSUM|Edit|FOPSUM|-2|-2|FOPSUM[-2]", "ExpandPNP|...|PNP|-2|52|PN+[-2:52]|view",
         "ExpandPNM|...|PNM|-2|52|PN-[-2:52]|view",
         "ExpandXOR55|...|XOR55|-2|52|XOR(55)[-2:52]|view"}),
      S(23, "Normalization + Post-norm Shift", "norm_FPSUM", "Left Shifter|ShiftR(1)",
        {"EditabsFPSUM|Edit|abs_FPSUM|-1|52|abs_FPSUM[-1:52]", "EditLZP|Edit|LZP|5|0|LZP[5:0]",
         "expandnorm_fpsum|...|norm_FPSUM|-1|52|norm_FPSUM[-1:52]|view"}),
      S(24, "Path Decision", "ADD_F",
        "Exponent Computation|Or|Choses between R and N path|Mux|Mux|0|1|Calc add to R|Adder|"
        "Calculate Exp|SUB(1)|SUB(1)|Caused by Pre-Shift|Caused by Post-Shift|"
        "Add on 1 Sub  on 0|EA|EB",
        {"EditISR1|Edit|isr1|0|0|IS_R1", "EDITISR2|Edit|isr2|0|0|IS_R2",
         "EditSeff|Edit|seff|0|0|S-effective"}),
      S(25, "", "",
        "Result|s|e|f|hidden|Decimal value:|Hex value:|ebias:|Chosen Path: |=Label1|=LabelHex|"
        "=Label4|=Label5|IEEE 754:|=IeeeResult|=IeeeVerdict|=IeeeCause",
        {"Where|Where?|-"}),
  };
  return stages;
}

std::vector<std::string> Split(const std::string& text) {
  std::vector<std::string> parts;
  std::istringstream in(text);
  for (std::string part; std::getline(in, part, '|');)
    parts.push_back(part);
  return parts;
}

struct Rect {
  int left, top, right, bottom;
  std::string what;
};

TEST(StageLayouts, WiresButtonsAndLabelsOfEveryStage) {
  Adder adder;
  ASSERT_EQ(Stages().size(), 25u);
  for (const StageWant& want : Stages()) {
    const Stage& stage = *adder.StageInSlot(want.slot);
    const StageLayout& l = StageLayoutForSlot(want.slot);
    SCOPED_TRACE(stage.name());
    std::set<std::string> shown;
    std::vector<Rect> solid;  // cells and buttons, which must not lie on each other
    for (const Row& row : l.rows) {
      const Wire* wire = stage.FindWire(row.wire);
      ASSERT_NE(wire, nullptr) << "row " << row.wire;
      EXPECT_TRUE(shown.insert(row.wire).second) << row.wire << " drawn twice";
      const RowGeometry g = LayoutWire(wire->first(), wire->last(), row.groupGap);
      for (std::size_t p = 0; p < g.cells.size(); ++p) {
        const int x = row.left + g.cells[p].left;
        solid.push_back({x, row.top, x + kCellWidth, row.top + kCellHeight, row.wire});
      }
    }
    for (const FixedCell& c : l.cells) {
      const Wire* wire = stage.FindWire(c.wire);
      ASSERT_NE(wire, nullptr) << "cell " << c.wire;
      EXPECT_TRUE(c.cell >= 0 && c.cell < wire->size()) << c.wire << " cell " << c.cell;
      shown.insert(c.wire);
      solid.push_back({c.left, c.top, c.left + c.width, c.top + kCellHeight, c.wire});
    }
    const std::vector<std::string> hidden = Split(want.hidden);
    for (const Wire* wire : stage.wires()) {
      const bool isHidden = std::count(hidden.begin(), hidden.end(), wire->name()) > 0;
      EXPECT_NE(shown.count(wire->name()) > 0, isHidden) << wire->name() << " shown or hidden";
    }
    for (const std::string& name : hidden)
      EXPECT_NE(stage.FindWire(name), nullptr) << name;

    std::vector<std::string> got, expected = want.buttons;
    for (const Button& b : l.buttons) {
      solid.push_back({b.left, b.top, b.left + b.width, b.top + b.height, b.name});
      std::string d = b.name + "|" + b.caption + "|";
      if (!b.opens) {
        got.push_back(d + "-");
        continue;
      }
      const EditorRequest& r = *b.opens;
      EXPECT_TRUE(r.wire.empty() || stage.FindWire(r.wire) != nullptr) << b.name;
      const std::string form = r.displayName.value_or(std::string(stage.displayName()));
      got.push_back(d + r.wire + "|" + std::to_string(r.start) + "|" + std::to_string(r.end) + "|" +
                    r.title + (r.viewOnly ? "|view" : "") +
                    (r.firstCell != 0 ? "|@" + std::to_string(r.firstCell) : "") +
                    (form != want.form ? "|" + form : ""));
    }
    std::sort(got.begin(), got.end());
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(got, expected);

    std::multiset<std::string> texts;
    for (const Text& t : l.texts)
      texts.insert(t.text);
    for (const Row& row : l.rows) {
      texts.insert(row.title.empty() ? stage.FindWire(row.wire)->title() : row.title);
    }
    for (const Readout& r : l.readouts)
      texts.insert("=" + r.source);
    for (const std::string& label : Split(want.labels)) {  // each occurrence its own text
      const auto found = texts.find(label);
      EXPECT_TRUE(found != texts.end()) << "\"" << label << "\"";
      if (found != texts.end()) texts.erase(found);
    }

    for (std::size_t i = 0; i < solid.size(); ++i) {
      for (std::size_t j = i + 1; j < solid.size(); ++j) {
        const Rect &a = solid[i], &b = solid[j];
        EXPECT_FALSE(a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom)
            << a.what << " lies on " << b.what;
      }
    }
  }
}

// Steps 4 to 7 (the pre-shift and the three swaps) stand their rows by bit
// weight: wherever two rows of a window hold the same bit, its cells sit in
// one column, so the shift and the swap read column by column.
TEST(StageLayouts, PreShiftAndSwapRowsStandByBitWeight) {
  Adder adder;
  for (const int slot : {4, 5, 6, 7}) {
    const Stage& stage = *adder.StageInSlot(slot);
    SCOPED_TRACE(stage.name());
    std::map<int, std::pair<int, std::string>> columnOfBit;  // bit: x, row
    int shared = 0;
    for (const Row& row : StageLayoutForSlot(slot).rows) {
      const Wire& wire = *stage.FindWire(row.wire);
      const RowGeometry g = LayoutWire(wire.first(), wire.last(), row.groupGap);
      for (int p = 0; p < wire.size(); ++p) {
        const int bit = wire.first() + p * (wire.first() <= wire.last() ? 1 : -1);
        const int x = row.left + g.cells[static_cast<std::size_t>(p)].left;
        const auto [at, first] = columnOfBit.try_emplace(bit, x, row.wire);
        if (first) continue;
        ++shared;
        EXPECT_EQ(x, at->second.first)
            << "bit " << bit << " of " << row.wire << " and of " << at->second.second;
      }
    }
    EXPECT_GT(shared, 100);  // the rows do share their bits
  }
}

// R2HA and R2Sigadd both draw the aligned significand FSOPA[-1:116] as a
// bar split before bit 53: one scale, so the split sits where 54 of the 118
// bits end, at the same place in both windows.
TEST(StageLayouts, SplitBarOfTheAlignedSignificandHasOneScale) {
  std::vector<std::pair<int, int>> bars[2];  // the two parts' left and right
  for (int i = 0; i < 2; ++i) {
    const StageLayout& l = StageLayoutForSlot(i == 0 ? 12 : 14);
    for (const Box& box : l.boxes) {
      if (box.height == 120) bars[i].emplace_back(box.left, box.left + box.width);
    }
    ASSERT_EQ(bars[i].size(), 2u);
    std::sort(bars[i].begin(), bars[i].end());
    const auto [left, split] = bars[i][0];
    ASSERT_EQ(bars[i][1].first, split);
    const int right = bars[i][1].second;
    EXPECT_NEAR(static_cast<double>(split - left) / (right - left), 54.0 / 118, 0.5 / 118);
  }
  EXPECT_EQ(bars[0], bars[1]);
}

// R2Decide's three multiplexers mark their inputs in one order: "0" on the
// left, "1" on the right, as the other stages' multiplexers do.
TEST(StageLayouts, RoundingDecisionMarksMuxInputsInOneOrder) {
  const StageLayout& l = StageLayoutForSlot(15);
  int muxes = 0;
  for (const Box& mux : l.boxes) {
    if (!mux.trapezoid) continue;
    ++muxes;
    std::map<std::string, int> markX;
    for (const Text& t : l.texts) {
      const int x = t.left + t.width / 2;
      if ((t.text == "0" || t.text == "1") && x > mux.left && x < mux.left + mux.width &&
          t.top >= mux.top - 100 && t.top < mux.top + mux.height / 2) {
        markX[t.text] = x;
      }
    }
    ASSERT_EQ(markX.size(), 2u) << "the mux at " << mux.left;
    EXPECT_LT(markX["0"], markX["1"]) << "the mux at " << mux.left;
  }
  EXPECT_EQ(muxes, 3);
}

// The result's sign is one cell: no row, so no index label over it.
TEST(StageLayouts, ResultSignIsOneCellWithoutIndexLabel) {
  const StageLayout& l = StageLayoutForSlot(25);
  for (const Row& row : l.rows)
    EXPECT_NE(row.wire, "Sa");
  EXPECT_EQ(std::count_if(l.cells.begin(), l.cells.end(),
                          [](const FixedCell& c) { return c.wire == "Sa" && c.cell == 0; }),
            1);
}

// The Edit buttons that do nothing say where their wire is edited.
TEST(StageLayouts, DeadEditButtonsNameTheStageThatEditsTheirWire) {
  for (const int slot : {12, 14}) {
    const StageLayout& l = StageLayoutForSlot(slot);
    const auto dead = std::find_if(l.buttons.begin(), l.buttons.end(),
                                   [](const Button& b) { return b.name == "EditEB"; });
    ASSERT_NE(dead, l.buttons.end());
    EXPECT_FALSE(dead->opens.has_value());
    EXPECT_NE(dead->tooltip.find("step 9, R1BigMux"), std::string::npos) << dead->tooltip;
    EXPECT_NE(dead->tooltip.find("FSOPA[-1:116]"), std::string::npos) << dead->tooltip;
  }
}

// Every unit, multiplexer and outline says what it computes and why it is
// there; every wire on show says what it carries, and its bit numbering, over
// its title, row and cells.
TEST(StageLayouts, EveryUnitAndEveryWireOnShowHasItsTooltip) {
  Adder adder;
  for (int slot = 1; slot <= 25; ++slot) {
    const Stage& stage = *adder.StageInSlot(slot);
    const StageLayout& l = StageLayoutForSlot(slot);
    SCOPED_TRACE(stage.name());
    for (const Box& box : l.boxes) {
      // One or two sentences, each ending in a full stop.
      const auto stops = std::count(box.tip.begin(), box.tip.end(), '.');
      EXPECT_TRUE(box.tip.size() > 30 && box.tip.back() == '.' && stops >= 1)
          << "the unit at " << box.left << "," << box.top << ": \"" << box.tip << "\"";
    }
    std::set<std::string> onShow;
    for (const Row& row : l.rows)
      onShow.insert(row.wire);
    for (const FixedCell& cell : l.cells)
      onShow.insert(cell.wire);
    for (const Text& text : l.texts) {
      if (!text.wire.empty()) onShow.insert(text.wire);
    }
    for (const std::string& name : onShow) {
      const auto tip = l.wireTips.find(name);
      ASSERT_NE(tip, l.wireTips.end()) << name << " has no tooltip";
      const std::string numbering =
          Sketch::BitNumbering(*stage.FindWire(name), Sketch::Numbering::ByPlace);
      const std::string opening = numbering.substr(0, numbering.size() - 1);  // without "."
      EXPECT_NE(tip->second.find(opening), std::string::npos) << name << ": " << tip->second;
      EXPECT_GT(tip->second.size(), numbering.size() + 20) << name << ": " << tip->second;
    }
    for (const auto& [name, text] : l.wireTips)
      EXPECT_TRUE(onShow.count(name) > 0) << name << " is explained but not on show";
  }
}

TEST(LayoutSketch, BitNumberingFollowsTheRange) {
  const struct {
    int first, last;
    Sketch::Numbering numbering;
    const char* text;
  } cases[] = {
      {-1, 116, Sketch::Numbering::ByWeight,
       "Bits -1 to 116 from left to right, bit k weighing 2^-k."},
      {10, 0, Sketch::Numbering::ByWeight,
       "Bits 10 down to 0 from left to right, bit k weighing 2^k."},
      {0, 1, Sketch::Numbering::ByPlace, "Bits 0 to 1 from left to right."},
      {0, 0, Sketch::Numbering::ByWeight, "One bit."},
      {52, 52, Sketch::Numbering::ByWeight, "One bit: bit 52."},
  };
  for (const auto& c : cases) {
    const Wire wire("W", "W", c.first, c.last);
    EXPECT_EQ(Sketch::BitNumbering(wire, c.numbering), c.text);
  }
}

// The title width estimate against the advance widths of 8.25-point Arial
// (an em is 165 twips; each glyph may round by a twip).
TEST(LayoutSketch, TextWidthFollowsArialAdvanceWidths) {
  const std::map<char, int> advance = {
      {'A', 667}, {'C', 722}, {'E', 667}, {'F', 611}, {'L', 556}, {'M', 833}, {'O', 778},
      {'P', 667}, {'R', 722}, {'S', 667}, {'U', 722}, {'W', 944}, {'X', 667}, {'G', 778},
      {'D', 722}, {'0', 556}, {'1', 556}, {'2', 556}, {'5', 556}, {'[', 278}, {']', 278},
      {':', 278}, {'-', 333}, {'(', 333}, {')', 333}, {'.', 278}, {'_', 556}, {'^', 469},
      {'6', 556}, {'4', 556}, {'Y', 667}};
  for (const std::string text :
       {"FSOPA[-1:52]", "MAG_MED[5:0]", "S.EFF^64", "XCARRY[-1:51]", "WORM(55)", "FLP[-1:51]"}) {
    int thousandths = 0;
    for (const char c : text)
      thousandths += advance.at(c);
    EXPECT_LE(std::abs(TextWidth(text) - thousandths * 165 / 1000), int(text.size())) << text;
  }
}

// Rows placed by the kit sit where the window draws them: cells 185 apart,
// a group gap before every eighth.
TEST(LayoutSketch, RowPlacesAndMuxSidesFollowTheDrawing) {
  const RowPlace row = PlaceRow(0, 52, 20, 400, 1000);
  EXPECT_EQ(row.CellLeft(7), 400 + 7 * 185);
  EXPECT_EQ(row.CellLeft(8), 400 + 8 * 185 + 20);
  EXPECT_EQ(row.CellCentre(16), 400 + 16 * 185 + 40 + 90);
  EXPECT_EQ(row.Right(), 400 + 52 * 185 + 6 * 20 + 180);
  // A mux 1000 x 400 leans in by min(1000 / 5, 400 / 2) = 200 at the bottom.
  const MuxPlace mux{100, 200, 1000, 400};
  EXPECT_EQ(mux.LeftSideAt(400), 200);
  EXPECT_EQ(mux.RightSideAt(600), 900);
  EXPECT_EQ(mux.OutX(), 600);
}

}  // namespace
}  // namespace sumaris::layout
