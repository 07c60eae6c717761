// The wire trace of one addition: the VCD read back and compared with the
// model, digit wires, the JSON form, and the tool's --trace options.
#include "session/wire_trace.h"

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <bit>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "session/adder.h"
#include "session/session.h"
#include "session/stage_table.h"
#include "wires/platform.h"
#include "wires/stage.h"

namespace sumaris {
namespace {

namespace fs = std::filesystem;

std::string Bits(double x) {
  const auto u = std::bit_cast<std::uint64_t>(x);
  std::string s;
  for (int i = 63; i >= 0; --i)
    s += ((u >> i) & 1) ? '1' : '0';
  return s;
}

// A VCD read back: variables by scope, and the value changes by time.
struct Vcd {
  struct Var {
    std::string scope, name, id;
    int width = 0;
  };
  std::vector<std::string> scopes;
  std::vector<Var> vars;
  std::map<std::string, std::size_t> byId;
  std::map<long, std::vector<std::pair<std::string, std::string>>> changes;  // time -> (id, value)
  bool timescale = false, enddefinitions = false, dumpvars = false;
};

Vcd ParseVcd(const std::string& text) {
  Vcd vcd;
  std::istringstream in(text);
  std::string token, scope;
  long time = -1;
  bool definitions = true;
  while (in >> token) {
    if (definitions) {
      if (token == "$timescale") vcd.timescale = true;
      if (token == "$scope") {
        std::string kind;
        in >> kind >> scope;
        vcd.scopes.push_back(scope);
      } else if (token == "$var") {
        Vcd::Var v;
        std::string kind;
        in >> kind >> v.width >> v.id >> v.name;
        v.scope = scope;
        vcd.byId[v.id] = vcd.vars.size();
        vcd.vars.push_back(v);
      } else if (token == "$enddefinitions") {
        vcd.enddefinitions = true;
        definitions = false;
      }
      continue;
    }
    if (token == "$dumpvars") {
      vcd.dumpvars = true;
    } else if (token == "$end") {
    } else if (token[0] == '#') {
      time = std::stol(token.substr(1));
    } else if (token[0] == 'b') {
      std::string id;
      in >> id;
      vcd.changes[time].emplace_back(id, token.substr(1));
    } else {
      vcd.changes[time].emplace_back(token.substr(1), token.substr(0, 1));
    }
  }
  return vcd;
}

// The model's own run of the same addition, through the operand entry.
struct ModelRun {
  Adder adder;
  Session session{adder};
  QuietDialogs dialogs;
  BatchRunner runner{adder, session, dialogs};
  ModelRun(const std::string& op, const std::string& mode, const std::string& a,
           const std::string& b) {
    session.FillStepTable();
    runner.RunNext({op, mode, a, b, std::string(64, '0')});
  }
};

// The VCD value of a wire's cells: one bit per cell, or two for a digit wire.
std::string Expected(const Wire& wire, bool digits) {
  std::string s;
  for (const Cell& c : wire.cells()) {
    const std::string t = c.str();
    if (digits) {
      s += t == "0" ? "00" : t == "1" ? "01" : t == "2" ? "10" : "xx";
    } else {
      s += t == "0" ? "0" : t == "1" ? "1" : "x";
    }
  }
  return s;
}

TEST(WireTraceTest, OperandsAsBitsOrHex) {
  EXPECT_EQ(*OperandBits("3FF0000000000000"), Bits(1.0));
  EXPECT_EQ(*OperandBits("c000000000000000"), Bits(-2.0));
  std::string bars = Bits(0.75);
  for (char& c : bars) {
    if (c == '1') c = '|';
  }
  EXPECT_EQ(*OperandBits(bars), Bits(0.75));
  for (const char* bad : {"", "3FF", "3FF000000000000G", "x", "3FF00000000000000"}) {
    EXPECT_FALSE(OperandBits(bad)) << bad;
  }
  EXPECT_FALSE(OperandBits(std::string(63, '0')));
  EXPECT_FALSE(OperandBits(std::string(63, '0') + "2"));
}

// One addition per path: R path addition, N path cancellation, and a
// subtraction in round-down mode.
struct TraceCase {
  const char* op;
  const char* mode;
  double a, b, result;
};

class WireTraceCases : public ::testing::TestWithParam<TraceCase> {};

TEST_P(WireTraceCases, VcdReadsBackAsTheModel) {
  const TraceCase& tc = GetParam();
  const WireTrace trace = TraceAddition(tc.op, tc.mode, Bits(tc.a), Bits(tc.b));
  EXPECT_EQ(trace.resultBits, Bits(tc.result));

  std::ostringstream out;
  WriteVcd(out, trace);
  const Vcd vcd = ParseVcd(out.str());
  EXPECT_TRUE(vcd.timescale);
  EXPECT_TRUE(vcd.enddefinitions);
  EXPECT_TRUE(vcd.dumpvars);

  // One scope per stage, in step order, named after the stage.
  ASSERT_EQ(vcd.scopes.size(), kStageTable.size());
  for (std::size_t i = 0; i < kStageTable.size(); ++i) {
    EXPECT_EQ(vcd.scopes[i], kStageTable[i].stage);
  }

  Adder initial;  // a fresh adder's values
  ModelRun model(tc.op, tc.mode, Bits(tc.a), Bits(tc.b));
  Adder& m = model.adder;

  // One variable per wire with its width, ids unique.
  std::size_t expectedVars = 0;
  for (int slot = 1; slot <= Session::kSlots; ++slot) {
    const Stage& stage = *m.StageInSlot(slot);
    for (const Wire* wire : stage.wires()) {
      ++expectedVars;
      const bool digits = IsDigitWire(stage.name(), wire->name());
      bool found = false;
      for (const Vcd::Var& v : vcd.vars) {
        if (v.scope == stage.name() && v.name == wire->name()) {
          found = true;
          EXPECT_EQ(v.width, wire->size() * (digits ? 2 : 1)) << stage.name() << "." << v.name;
        }
      }
      EXPECT_TRUE(found) << stage.name() << "." << wire->name();
    }
  }
  EXPECT_EQ(vcd.vars.size(), expectedVars);
  EXPECT_EQ(vcd.byId.size(), expectedVars);

  // Time 0: every wire once, with a fresh adder's value.
  ASSERT_EQ(vcd.changes.at(0).size(), expectedVars);
  for (const auto& [id, value] : vcd.changes.at(0)) {
    const Vcd::Var& v = vcd.vars[vcd.byId.at(id)];
    const Stage& stage = *initial.FindStage(v.scope);
    EXPECT_EQ(value, Expected(*stage.FindWire(v.name), IsDigitWire(v.scope, v.name)))
        << "#0 " << v.scope << "." << v.name;
  }
  // Time k: exactly the wires of stage k, once each, with this addition's values.
  for (int slot = 1; slot <= Session::kSlots; ++slot) {
    const Stage& stage = *m.StageInSlot(slot);
    ASSERT_TRUE(vcd.changes.count(slot)) << slot;
    const auto& changes = vcd.changes.at(slot);
    EXPECT_EQ(changes.size(), stage.wires().size()) << stage.name();
    for (const auto& [id, value] : changes) {
      const Vcd::Var& v = vcd.vars[vcd.byId.at(id)];
      EXPECT_EQ(v.scope, stage.name());
      EXPECT_EQ(value, Expected(*stage.FindWire(v.name), IsDigitWire(v.scope, v.name)))
          << "#" << slot << " " << v.scope << "." << v.name;
    }
  }
  EXPECT_EQ(vcd.changes.size(), 26u);
}

INSTANTIATE_TEST_SUITE_P(
    Paths, WireTraceCases,
    ::testing::Values(TraceCase{"0", "N", 1.5, 0.375, 1.875},
                      TraceCase{"1", "N", 1.0000000000000002, 1.0, 2.220446049250313e-16},
                      TraceCase{"1", "D", 1.0, std::ldexp(1.0, -60), std::nextafter(1.0, 0.0)},
                      TraceCase{"0", "U", -3.0, std::ldexp(1.0, -70), std::nextafter(-3.0, 0.0)}));

TEST(WireTraceTest, DigitWiresHoldTwosAsTwoBitsPerCell) {
  // A near subtraction: the N path's digit sums of FLP and the operand hold 2s.
  const WireTrace trace = TraceAddition("1", "N", Bits(1.75), Bits(1.5));
  std::ostringstream out;
  WriteVcd(out, trace);
  const Vcd vcd = ParseVcd(out.str());
  bool sawTwo = false;
  for (const auto& [id, value] : vcd.changes.at(21)) {
    const Vcd::Var& v = vcd.vars[vcd.byId.at(id)];
    if (v.name == "Sigma" || v.name == "PIE") {
      EXPECT_EQ(static_cast<int>(value.size()), v.width);
      for (std::size_t i = 0; i < value.size(); i += 2) {
        const std::string pair = value.substr(i, 2);
        EXPECT_TRUE(pair == "00" || pair == "01" || pair == "10") << v.name << " " << value;
        sawTwo |= pair == "10";
      }
    }
  }
  EXPECT_TRUE(sawTwo);
  // The fresh Sigma cells hold no text at all: unknown at time 0.
  for (const auto& [id, value] : vcd.changes.at(0)) {
    if (vcd.vars[vcd.byId.at(id)].name == "Sigma") {
      EXPECT_EQ(value, std::string(110, 'x'));
    }
  }
}

TEST(WireTraceTest, JsonHoldsEveryStageAndWire) {
  const WireTrace trace = TraceAddition("0", "Z", Bits(2.0), Bits(-0.5));
  std::ostringstream out;
  WriteTraceJson(out, trace);
  const std::string json = out.str();
  EXPECT_NE(json.find("\"operation\": \"add\""), std::string::npos);
  EXPECT_NE(json.find("\"mode\": \"Z\""), std::string::npos);
  EXPECT_NE(json.find("\"result\": \"" + Bits(1.5) + "\""), std::string::npos);
  ModelRun model("0", "Z", Bits(2.0), Bits(-0.5));
  std::size_t at = 0;
  for (int slot = 1; slot <= Session::kSlots; ++slot) {
    const Stage& stage = *model.adder.StageInSlot(slot);
    at = json.find("\"" + stage.name() + "\": {", at);
    ASSERT_NE(at, std::string::npos) << stage.name();
    for (const Wire* wire : stage.wires()) {
      const std::string entry = "\"" + wire->name() + "\": \"" + wire->Text() + "\"";
      const std::size_t found = json.find(entry, at);
      EXPECT_NE(found, std::string::npos) << stage.name() << "." << wire->name();
      if (found != std::string::npos) at = found;
    }
  }
  // Braces balance.
  long depth = 0;
  for (char c : json)
    depth += c == '{' ? 1 : c == '}' ? -1 : 0;
  EXPECT_EQ(depth, 0);
}

TEST(WireTraceTest, ToolWritesBothFiles) {
  const fs::path folder =
      fs::temp_directory_path() / ("sumaris-trace-" + std::to_string(::getpid()));
  fs::create_directories(folder);
  const fs::path vcd = folder / "t.vcd", json = folder / "t.json";
  auto run = [&](const std::string& args) {
    const std::string cmd =
        "'" + std::string(SUMARIS_BATCH_TOOL) + "' " + args + " >/dev/null 2>&1 </dev/null";
    const int status = std::system(cmd.c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  };
  EXPECT_EQ(run("--trace '" + vcd.string() + "' --trace-json '" + json.string() +
                "' 1 N 3FF8000000000000 3FD0000000000000"),
            0);
  std::ifstream v(vcd);
  std::stringstream vs;
  vs << v.rdbuf();
  const Vcd parsed = ParseVcd(vs.str());
  EXPECT_EQ(parsed.scopes.size(), 25u);
  std::ifstream j(json);
  std::stringstream js;
  js << j.rdbuf();
  EXPECT_NE(js.str().find("\"result\": \"" + Bits(1.25) + "\""), std::string::npos);

  EXPECT_EQ(run("--trace '" + vcd.string() + "' 0 N 3FF 1"), 2);  // operands of no form
  EXPECT_EQ(run("--trace '" + vcd.string() + "' 0 N"), 2);        // too few
  std::error_code ec;
  fs::remove_all(folder, ec);
}

}  // namespace
}  // namespace sumaris
