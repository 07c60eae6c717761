// The wire trace of one addition as a Value Change Dump, read back and
// compared with the model's own wires step by step.
#include "batch/wire_trace.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "support/adder_driver.h"
#include "support/files.h"

namespace sumaris {
namespace {

struct Vcd {
  struct Var {
    std::string scope, name;
    int width = 0;
  };
  std::vector<std::string> keywords, scopes;
  std::map<std::string, Var> vars;                                           // by id
  std::map<long, std::vector<std::pair<std::string, std::string>>> changes;  // time -> (id, value)
};

Vcd ParseVcd(const std::string& text) {
  Vcd vcd;
  std::istringstream in(text);
  std::string token, kind, scope, id;
  long time = -1;
  bool definitions = true;
  while (in >> token) {
    if (token[0] == '$') {
      if (token != "$end") vcd.keywords.push_back(token);
      definitions &= token != "$enddefinitions";
      if (definitions && token == "$scope") {
        in >> kind >> scope;
        vcd.scopes.push_back(scope);
      } else if (definitions && token == "$var") {
        Vcd::Var v{scope, "", 0};
        in >> kind >> v.width >> id >> v.name;
        vcd.vars[id] = v;
      }
    } else if (definitions) {
      continue;  // the texts of $date, $version, $timescale
    } else if (token[0] == '#') {
      time = std::stol(token.substr(1));
    } else if (token[0] == 'b') {
      in >> id;
      vcd.changes[time].emplace_back(id, token.substr(1));
    } else {
      vcd.changes[time].emplace_back(token.substr(1), token.substr(0, 1));
    }
  }
  return vcd;
}

// The cells of a wire as the dump writes them: a bit each, or for the N
// path's digit sums (Sigma and PIE) two bits each; "x" for anything else.
bool DigitWire(std::string_view stage, std::string_view wire) {
  return stage == "NSigadd" && (wire == "Sigma" || wire == "PIE");
}
std::string DumpValue(const Stage& stage, const Wire& wire) {
  static const char* const kCodes[2][4] = {{"0", "1", "x", "x"}, {"00", "01", "10", "xx"}};
  const bool digits = DigitWire(stage.name(), wire.name());
  std::string s;
  for (const Cell& c : wire.cells())
    s += kCodes[digits][c.Is('0') ? 0 : c.Is('1') ? 1 : c.Is('2') ? 2 : 3];
  return s;
}

TEST(WireTrace, TheDumpReadsBackAsTheModelStepByStep) {
  const test::Mode &nearest = test::kRoundings[0], &down = test::kRoundings[2];
  struct Case {
    const char* op;
    const test::Mode& mode;
    double a, b;
  } cases[] = {{"0", nearest, 1.5, 0.375}, {"1", nearest, 1.75, 1.5}, {"1", down, 1.0, 0x1p-60}};
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.a) + " " + c.op + " " + std::to_string(c.b) + " " + c.mode.name);
    const WireTrace trace =
        TraceAddition(c.op, std::string(1, c.mode.letter), test::BitString(test::Bits(c.a)),
                      test::BitString(test::Bits(c.b)));
    std::ostringstream out;
    WriteVcd(out, trace);
    Vcd vcd = ParseVcd(out.str());
    for (const char* keyword :
         {"$timescale", "$scope", "$var", "$upscope", "$enddefinitions", "$dumpvars"}) {
      EXPECT_NE(std::find(vcd.keywords.begin(), vcd.keywords.end(), keyword), vcd.keywords.end())
          << keyword;
    }
    test::AdderDriver model;
    const bool subtract = c.op[0] == '1';
    EXPECT_EQ(trace.resultBits, test::BitString(model.Run(test::Bits(c.a), test::Bits(c.b),
                                                          subtract, c.mode.rounding)));

    Adder fresh;
    std::size_t wires = 0;
    ASSERT_EQ(vcd.scopes.size(), 25u);
    for (int slot = 1; slot <= Session::kSlots; ++slot) {
      const Stage& stage = *model.adder().StageInSlot(slot);
      EXPECT_EQ(vcd.scopes[static_cast<std::size_t>(slot - 1)], stage.name());
      wires += stage.wires().size();
      std::map<std::string, std::string> changed;  // wire -> value at this step
      for (const auto& [id, value] : vcd.changes[slot]) {
        const Vcd::Var& v = vcd.vars.at(id);
        EXPECT_EQ(v.scope, stage.name()) << v.name;
        EXPECT_TRUE(changed.emplace(v.name, value).second) << "twice: " << v.name;
        EXPECT_EQ(static_cast<int>(value.size()), v.width) << v.name;
      }
      ASSERT_EQ(changed.size(), stage.wires().size()) << stage.name();
      for (const Wire* w : stage.wires())
        EXPECT_EQ(changed[w->name()], DumpValue(stage, *w)) << "#" << slot << " " << w->name();
    }
    EXPECT_EQ(vcd.vars.size(), wires);
    ASSERT_EQ(vcd.changes[0].size(), wires) << "time 0: every wire once";
    for (const auto& [id, value] : vcd.changes.at(0)) {
      const Vcd::Var& v = vcd.vars.at(id);
      const Stage& stage = *fresh.FindStage(v.scope);
      EXPECT_EQ(value, DumpValue(stage, *stage.FindWire(v.name)))
          << "#0 " << v.scope << "." << v.name;
    }
    EXPECT_EQ(vcd.changes.size(), 26u);
  }
}

// The JSON trace says what IEEE 754 gives and, where the adder differs, why
// and where.
TEST(WireTrace, TheJsonHoldsTheIeeeResultAndTheClassOfADifference) {
  struct Case {
    const char* op;
    const char* mode;
    std::uint64_t a, b;
    std::uint64_t ieee;
    const char* want;  // the fields after "result", as written
  } cases[] = {
      {"0", "N", test::Bits(1.0), test::Bits(1.0), test::Bits(2.0),
       R"("same": true, "class": null, "cause": null, "stage": null)"},
      {"1", "Z", test::Bits(1.0), test::Bits(1.0), test::Bits(0.0),
       R"("same": false, "class": "exact cancellation", "cause": "[^"]+", "stage": "PathDecision")"},
      {"0", "D", 0x7FEFFFFFFFFFFFFF, 0x7FEFFFFFFFFFFFFF, 0x7FEFFFFFFFFFFFFF,
       R"("same": false, "class": "exponent overflow", "cause": "[^"]+", "stage": "PathDecision")"},
      {"0", "N", 0x0010000000000000, 1, 0x0010000000000001,
       R"("same": false, "class": "subnormal operand", "cause": "[^"]+", "stage": "R1Medium")"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(test::Hex(c.a) + " op " + c.op + " " + test::Hex(c.b) + " " + c.mode);
    const WireTrace trace = TraceAddition(c.op, c.mode, test::BitString(c.a), test::BitString(c.b));
    std::ostringstream out;
    WriteTraceJson(out, trace);
    const std::regex ieee("\"ieee\": \\{\"result\": \"" + test::BitString(c.ieee) + "\", " +
                          c.want + "\\}");
    EXPECT_TRUE(std::regex_search(out.str(), ieee)) << out.str().substr(0, 600);
  }
}

// The JSON carries the Results window's read-outs under their captions,
// texts as the window shows them.
TEST(WireTrace, TheJsonCarriesTheReadOutsAsShown) {
  const struct {
    const char* op;
    double a, b;
    const char* readouts;
  } cases[] = {
      {"0", 0.1, 0.2,
       R"("readouts": {"Decimal value": "0.30000000000000004", "Hex value": "0x3FD3333333333334", )"
       R"("ebias": "-2", "Chosen Path": "R path"})"},
      {"1", 1.75, 1.5,
       R"("readouts": {"Decimal value": "0.25", "Hex value": "0x3FD0000000000000", )"
       R"("ebias": "-2", "Chosen Path": "N path"})"},
  };
  for (const auto& c : cases) {
    const WireTrace trace = TraceAddition(c.op, "N", test::BitString(test::Bits(c.a)),
                                          test::BitString(test::Bits(c.b)));
    std::ostringstream out;
    WriteTraceJson(out, trace);
    EXPECT_NE(out.str().find(c.readouts), std::string::npos) << out.str().substr(0, 900);
    EXPECT_EQ(out.str().find("\"comment\""), std::string::npos);
  }
}

// The trace of an adder as it stands is the batch tool's trace of its
// operands until a wire is edited; then it shows the edit and the rest of
// the file stays as it was.
TEST(WireTrace, TheTraceOfAnAdderAsItStandsShowsItsEdits) {
  test::AdderDriver model;
  model.Run(test::Bits(1.5), test::Bits(-0.375), true, Rounding::Up);
  const WireTrace batch = TraceAddition("1", "U", test::BitString(test::Bits(1.5)),
                                        test::BitString(test::Bits(-0.375)));
  const auto written = [](const WireTrace& trace, bool json) {
    std::ostringstream out;
    if (json) {
      WriteTraceJson(out, trace);
    } else {
      WriteVcd(out, trace);
    }
    return out.str();
  };
  // The lines that name the writer and the comment aside, the same files.
  const WireTrace current = TraceOfAdder(model.adder(), "Traced in the simulator.");
  for (const bool json : {false, true}) {
    EXPECT_EQ(test::TraceBody(written(current, json)), test::TraceBody(written(batch, json)))
        << (json ? "JSON" : "VCD");
  }
  EXPECT_NE(written(current, false)
                .find("Time k is step k of the datapath. Traced in the "
                      "simulator. $end"),
            std::string::npos);
  EXPECT_EQ(written(current, true).rfind("{\n  \"comment\": \"Traced in the simulator.\",\n", 0),
            0u);

  // An edited wire goes into the trace as it stands.
  Cell& cell = model.adder().r2Compound.FPOSUM[3];
  cell = cell == "1" ? "0" : "1";
  const WireTrace edited = TraceOfAdder(model.adder(), "");
  const std::string json = written(edited, true);
  EXPECT_NE(json.find("\"FPOSUM\": \"" + model.adder().r2Compound.FPOSUM.Text() + "\""),
            std::string::npos);
  EXPECT_NE(test::TraceBody(json), test::TraceBody(written(batch, true)));
}

}  // namespace
}  // namespace sumaris
