#include "batch/wire_trace.h"

#include <ostream>

#include "adder/adder.h"
#include "batch/headless_adder.h"
#include "core/stage.h"
#include "core/wire.h"
#include "session/session.h"

namespace sumaris {
namespace {

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

std::vector<std::string> CellTexts(const Wire& wire) {
  std::vector<std::string> texts;
  texts.reserve(static_cast<std::size_t>(wire.size()));
  for (const Cell& cell : wire.cells())
    texts.push_back(cell.str());
  return texts;
}

// A caption as the trace names it: without its colon and trailing blanks.
std::string CaptionKey(std::string_view caption) {
  std::string key(caption);
  while (!key.empty() && (key.back() == ' ' || key.back() == ':'))
    key.pop_back();
  return key;
}

std::vector<WireTrace::Readout> Readouts(const Results& results) {
  std::vector<WireTrace::Readout> readouts;
  for (const Results::ReadoutCaption& r : Results::kReadouts)
    readouts.push_back({CaptionKey(r.caption), results.Readout(r.name)});
  return readouts;
}

// The 64 bits the Results stage shows, its cell texts as they stand.
std::string ShownResultBits(const Results& r) {
  std::string bits = r.Sa[0].str();
  for (int i = 0; i <= 10; ++i)
    bits += r.Ea[i].str();
  for (int i = 1; i <= 52; ++i)
    bits += r.Fa[i].str();
  return bits;
}

// An operand of the operand entry as 64 bit characters; a box reads as a
// one when it holds "1", the sign box when its number is 1.
std::string EntryBits(const OperandEntry& entry, Operand op) {
  std::string bits = (op == Operand::A ? entry.Sa : entry.SB).Value() == 1 ? "1" : "0";
  for (int i = 10; i >= 0; --i)
    bits += entry.Exponent(op)[static_cast<std::size_t>(i)] == "1" ? '1' : '0';
  for (int i = 1; i <= 52; ++i)
    bits += entry.Fraction(op)[static_cast<std::size_t>(i)] == "1" ? '1' : '0';
  return bits;
}

std::string ModeLetter(Rounding rounding) {
  switch (rounding) {
    case Rounding::Up:
      return "U";
    case Rounding::Down:
      return "D";
    case Rounding::TowardZero:
      return "Z";
    case Rounding::NearestEven:
      return "N";
  }
  return "N";
}

void Snapshot(const Adder& adder, WireTrace& trace, bool after) {
  if (!after) trace.stages.clear();
  for (int slot = 1; slot <= Session::kSlots; ++slot) {
    const Stage& stage = *adder.StageInSlot(slot);
    if (!after) {
      WireTrace::StageValues values;
      values.name = std::string(stage.name());
      values.slot = slot;
      for (const Wire* wire : stage.wires()) {
        WireTrace::WireValues w;
        w.name = wire->name();
        w.before = CellTexts(*wire);
        w.digits = IsDigitWire(adder, *wire);
        values.wires.push_back(std::move(w));
      }
      trace.stages.push_back(std::move(values));
    } else {
      WireTrace::StageValues& values = trace.stages[static_cast<std::size_t>(slot - 1)];
      for (std::size_t i = 0; i < stage.wires().size(); ++i) {
        values.wires[i].after = CellTexts(*stage.wires()[i]);
      }
    }
  }
}

// VCD identifiers: printable characters from "!" to "~" except "$" (which
// starts the file's keywords), as short as possible.
std::string Identifier(std::size_t index) {
  static const std::string kAlphabet = [] {
    std::string a;
    for (char c = '!'; c <= '~'; ++c) {
      if (c != '$') a += c;
    }
    return a;
  }();
  std::string id;
  do {
    id += kAlphabet[index % kAlphabet.size()];
    index /= kAlphabet.size();
  } while (index > 0);
  return id;
}

std::size_t Width(const WireTrace::WireValues& w) {
  return w.before.size() * (w.digits ? 2 : 1);
}

std::string VcdValue(const WireTrace::WireValues& w, const std::vector<std::string>& cells) {
  std::string bits;
  bits.reserve(Width(w));
  for (const std::string& cell : cells) {
    if (w.digits) {
      if (cell == "0") {
        bits += "00";
      } else if (cell == "1") {
        bits += "01";
      } else if (cell == "2") {
        bits += "10";
      } else {
        bits += "xx";
      }
    } else {
      bits += cell == "0" ? '0' : cell == "1" ? '1' : 'x';
    }
  }
  return bits;
}

void WriteChange(std::ostream& out, const WireTrace::WireValues& w,
                 const std::vector<std::string>& cells, const std::string& id) {
  const std::string value = VcdValue(w, cells);
  if (value.size() == 1) {
    out << value << id << '\n';
  } else {
    out << 'b' << value << ' ' << id << '\n';
  }
}

void JsonString(std::ostream& out, std::string_view text) {
  out << '"';
  for (char c : text) {
    const auto u = static_cast<unsigned char>(c);
    if (c == '"' || c == '\\') {
      out << '\\' << c;
    } else if (u < 0x20) {
      static const char kHex[] = "0123456789abcdef";
      out << "\\u00" << kHex[u >> 4] << kHex[u & 0xF];
    } else {
      out << c;
    }
  }
  out << '"';
}

std::string Joined(const std::vector<std::string>& cells) {
  std::string s;
  for (const std::string& c : cells)
    s += c;
  return s;
}

}  // namespace

std::optional<std::string> OperandBits(std::string_view text) {
  if (text.size() == 64) {
    std::string bits(text);
    for (char& c : bits) {
      if (c == '|') c = '1';
      if (c != '0' && c != '1') return std::nullopt;
    }
    return bits;
  }
  if (text.size() == 16) {
    std::string bits;
    for (char c : text) {
      const int d = HexValue(c);
      if (d < 0) return std::nullopt;
      for (int i = 3; i >= 0; --i)
        bits += ((d >> i) & 1) ? '1' : '0';
    }
    return bits;
  }
  return std::nullopt;
}

bool IsDigitWire(const Adder& adder, const Wire& wire) {
  return &wire == &adder.nSigadd.Sigma || &wire == &adder.nSigadd.PIE;
}

WireTrace TraceAddition(const std::string& op, const std::string& mode, const std::string& a,
                        const std::string& b) {
  HeadlessAdder headless;
  Adder& adder = headless.adder;
  BatchRunner& runner = headless.runner;

  WireTrace trace;
  trace.input = {op, mode, a, b, std::string(64, '0')};
  Snapshot(adder, trace, false);
  runner.SetLineNumber(1);
  runner.RunNext(trace.input);
  Snapshot(adder, trace, true);
  trace.resultBits = runner.ResultBits();
  trace.readouts = Readouts(adder.results);
  trace.input.c.clear();
  trace.ieee = CompareWithIeee(ResultBitsValue(a), ResultBitsValue(b), adder.input.operation(),
                               adder.input.rounding(), ResultBitsValue(trace.resultBits));
  return trace;
}

WireTrace TraceOfAdder(const Adder& adder, std::string comment) {
  WireTrace trace;
  {
    const Adder fresh;  // the start-up values, as a trace begins
    Snapshot(fresh, trace, false);
  }
  Snapshot(adder, trace, true);
  const OperandEntry& entry = adder.input;
  trace.input = {entry.IsAdd() ? "0" : "1", ModeLetter(entry.rounding()),
                 EntryBits(entry, Operand::A), EntryBits(entry, Operand::B), ""};
  trace.resultBits = ShownResultBits(adder.results);
  trace.readouts = Readouts(adder.results);
  trace.ieee =
      CompareWithIeee(ResultBitsValue(trace.input.a), ResultBitsValue(trace.input.b),
                      entry.operation(), entry.rounding(), ResultBitsValue(trace.resultBits));
  trace.program = "sumaris";
  trace.comment = std::move(comment);
  return trace;
}

void WriteVcd(std::ostream& out, const WireTrace& trace) {
  out << "$version " << trace.program << " $end\n";
  out << "$comment " << (IsSubtraction(trace.input.op) ? "A - B" : "A + B") << ", rounding mode "
      << trace.input.mode << ", A = " << trace.input.a << ", B = " << trace.input.b << ", result "
      << trace.resultBits << ". Time k is step k of the datapath.";
  if (!trace.comment.empty()) out << ' ' << trace.comment;
  out << " $end\n";
  out << "$timescale 1ns $end\n";
  std::vector<std::vector<std::string>> ids(trace.stages.size());
  std::size_t next = 0;
  for (std::size_t s = 0; s < trace.stages.size(); ++s) {
    const WireTrace::StageValues& stage = trace.stages[s];
    out << "$scope module " << stage.name << " $end\n";
    for (const WireTrace::WireValues& w : stage.wires) {
      ids[s].push_back(Identifier(next++));
      out << "$var wire " << Width(w) << ' ' << ids[s].back() << ' ' << w.name << " $end\n";
    }
    out << "$upscope $end\n";
  }
  out << "$enddefinitions $end\n";
  out << "#0\n$dumpvars\n";
  for (std::size_t s = 0; s < trace.stages.size(); ++s) {
    for (std::size_t i = 0; i < trace.stages[s].wires.size(); ++i) {
      const WireTrace::WireValues& w = trace.stages[s].wires[i];
      WriteChange(out, w, w.before, ids[s][i]);
    }
  }
  out << "$end\n";
  for (std::size_t s = 0; s < trace.stages.size(); ++s) {
    out << '#' << trace.stages[s].slot << '\n';
    for (std::size_t i = 0; i < trace.stages[s].wires.size(); ++i) {
      const WireTrace::WireValues& w = trace.stages[s].wires[i];
      WriteChange(out, w, w.after, ids[s][i]);
    }
  }
}

void WriteTraceJson(std::ostream& out, const WireTrace& trace) {
  out << "{\n";
  if (!trace.comment.empty()) {
    out << "  \"comment\": ";
    JsonString(out, trace.comment);
    out << ",\n";
  }
  out << "  \"operation\": ";
  JsonString(out, IsSubtraction(trace.input.op) ? "subtract" : "add");
  out << ",\n  \"mode\": ";
  JsonString(out, trace.input.mode);
  out << ",\n  \"a\": ";
  JsonString(out, trace.input.a);
  out << ",\n  \"b\": ";
  JsonString(out, trace.input.b);
  out << ",\n  \"result\": ";
  JsonString(out, trace.resultBits);
  out << ",\n  \"ieee\": {\"result\": ";
  JsonString(out, BitCharacters(trace.ieee.ieee.bits));
  out << ", \"same\": " << (trace.ieee.same ? "true" : "false");
  const DifferenceClass* d = trace.ieee.difference;
  const auto stringOrNull = [&](const char* key, std::optional<std::string_view> text) {
    out << ", \"" << key << "\": ";
    if (text) {
      JsonString(out, *text);
    } else {
      out << "null";
    }
  };
  stringOrNull("class", d ? std::optional(d->name) : std::nullopt);
  stringOrNull("cause", d ? std::optional(d->cause) : std::nullopt);
  stringOrNull("stage", d ? std::optional(StageDescriptorFor(d->stage).name) : std::nullopt);
  out << "}";
  out << ",\n  \"readouts\": {";
  for (std::size_t i = 0; i < trace.readouts.size(); ++i) {
    out << (i == 0 ? "" : ", ");
    JsonString(out, trace.readouts[i].caption);
    out << ": ";
    JsonString(out, trace.readouts[i].text);
  }
  out << "}";
  out << ",\n  \"stages\": {";
  for (std::size_t s = 0; s < trace.stages.size(); ++s) {
    const WireTrace::StageValues& stage = trace.stages[s];
    out << (s == 0 ? "\n    " : ",\n    ");
    JsonString(out, stage.name);
    out << ": {";
    for (std::size_t i = 0; i < stage.wires.size(); ++i) {
      out << (i == 0 ? "\n      " : ",\n      ");
      JsonString(out, stage.wires[i].name);
      out << ": ";
      JsonString(out, Joined(stage.wires[i].after));
    }
    out << "\n    }";
  }
  out << "\n  }\n}\n";
}

}  // namespace sumaris
