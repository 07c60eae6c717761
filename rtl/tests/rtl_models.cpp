#include "rtl_models.h"

#include <map>
#include <vector>

#include "Vsumaris_adder.h"
#include "Vsumaris_adder_debug.h"
#include "Vsumaris_adder_pipe.h"
#include "verilated.h"
#include "verilated_vpi.h"

namespace sumaris::rtl {

int ModeCode(std::string_view letter) {
  if (letter == "N") return 0;
  if (letter == "U") return 1;
  if (letter == "D") return 2;
  if (letter == "Z") return 3;
  return -1;
}

namespace {

// The operands, the operation and the rounding mode on a top's inputs,
// evaluated: its result.
template <typename Model>
std::uint64_t Evaluate(Model& m, std::uint64_t a, std::uint64_t b, bool subtract, int mode) {
  m.a = a;
  m.b = b;
  m.sub = subtract ? 1 : 0;
  m.mode = static_cast<CData>(mode & 3);
  m.eval();
  return m.result;
}

}  // namespace

// ---- the combinational adder ---------------------------------------------------

struct RtlAdder::Impl {
  VerilatedContext context;
  Vsumaris_adder model{&context};
  ~Impl() { model.final(); }
};

RtlAdder::RtlAdder() : impl_(std::make_unique<Impl>()) {}
RtlAdder::~RtlAdder() = default;

std::uint64_t RtlAdder::Add(std::uint64_t a, std::uint64_t b, bool subtract, int mode) {
  return Evaluate(impl_->model, a, b, subtract, mode);
}

// ---- the pipelined adder --------------------------------------------------------

struct RtlPipeline::Impl {
  VerilatedContext context;
  Vsumaris_adder_pipe model{&context};
  ~Impl() { model.final(); }
};

RtlPipeline::RtlPipeline() : impl_(std::make_unique<Impl>()) {
  impl_->model.clk = 0;
  impl_->model.rst = 0;
  impl_->model.eval();
}
RtlPipeline::~RtlPipeline() = default;

std::uint64_t RtlPipeline::Present(std::uint64_t a, std::uint64_t b, bool subtract, int mode) {
  return Evaluate(impl_->model, a, b, subtract, mode);
}

std::uint64_t RtlPipeline::Clock(bool reset) {
  Vsumaris_adder_pipe& m = impl_->model;
  m.rst = reset ? 1 : 0;
  m.clk = 1;
  m.eval();
  m.clk = 0;
  m.rst = 0;
  m.eval();
  return m.result;
}

std::uint64_t RtlPipeline::result() const {
  return impl_->model.result;
}

// ---- the debug model -------------------------------------------------------------

struct RtlProbe::Impl {
  VerilatedContext context;
  Vsumaris_adder_debug model{&context};
  mutable std::map<std::string, vpiHandle, std::less<>> handles;
  ~Impl() {
    Verilated::threadContextp(&context);
    for (auto& entry : handles) {
      if (entry.second != nullptr) vpi_release_handle(entry.second);
    }
    model.final();
  }
};

RtlProbe::RtlProbe() : impl_(std::make_unique<Impl>()) {}
RtlProbe::~RtlProbe() = default;

std::uint64_t RtlProbe::Add(std::uint64_t a, std::uint64_t b, bool subtract, int mode) {
  return Evaluate(impl_->model, a, b, subtract, mode);
}

std::optional<std::string> RtlProbe::Bits(std::string_view path) const {
  // VPI looks names up in the thread's current context.
  Verilated::threadContextp(&impl_->context);
  auto found = impl_->handles.find(path);
  if (found == impl_->handles.end()) {
    std::string name = "TOP.sumaris_adder." + std::string(path);
    std::vector<PLI_BYTE8> text(name.begin(), name.end());
    text.push_back('\0');
    found =
        impl_->handles.emplace(std::string(path), vpi_handle_by_name(text.data(), nullptr)).first;
  }
  if (found->second == nullptr) return std::nullopt;
  s_vpi_value value{};
  value.format = vpiBinStrVal;
  vpi_get_value(found->second, &value);
  if (value.value.str == nullptr) return std::nullopt;
  std::string bits(value.value.str);
  // VPI drops nothing, but pad to the declared width to be safe.
  const int width = vpi_get(vpiSize, found->second);
  if (width > 0 && static_cast<int>(bits.size()) < width)
    bits.insert(0, static_cast<std::size_t>(width) - bits.size(), '0');
  return bits;
}

}  // namespace sumaris::rtl
