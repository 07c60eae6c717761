#include "core/wire_routines.h"

#include <algorithm>

#include "core/errors.h"

namespace sumaris {
namespace {

template <typename Op>
void Cellwise(const Wire& a, const Wire& b, int n, Wire& c, Op op) {
  for (int p = 0; p < n; ++p)
    c[p].SetNumber(op(a[p].Integer(), b[p].Integer()));
}

void Ripple(const Wire& a, const Wire& b, int lsbCell, int msbCell, Wire& s, long long carry,
            Wire* carryOut) {
  const int step = lsbCell > msbCell ? -1 : 1;
  for (int p = lsbCell;; p += step) {
    long long x = a[p].LeadingInt();
    long long y = b[p].LeadingInt();
    s[p].SetNumber(x ^ y ^ carry);
    carry = (x + y + carry >= 2) ? 1 : 0;
    if (p == msbCell) break;
  }
  if (carryOut != nullptr) (*carryOut)[0].SetNumber(carry);
}

}  // namespace

double WireToNumber(const Wire& wire, int msbCell, int lsbCell, double weight, double factor) {
  return BoxesToNumber(wire.cells(), msbCell, lsbCell, weight, factor);
}

double BoxesToNumber(std::span<const Cell> boxes, int msbBox, int lsbBox, double weight,
                     double factor) {
  double sum = 0;
  const int step = lsbBox > msbBox ? -1 : 1;
  for (int p = lsbBox;; p += step) {
    sum += boxes[static_cast<std::size_t>(p)].Value() * weight;
    weight *= factor;
    if (p == msbBox) break;
  }
  return sum;
}

void NumberToWire(int value, Wire& wire, int msbCell, int lsbCell) {
  if (value < -32767 || value > 32767) throw Overflow();
  const int step = msbCell > lsbCell ? 1 : -1;
  if (value >= 0) {
    for (int p = lsbCell;; p += step) {
      wire[p].SetNumber(value & 1);
      value /= 2;
      if (p == msbCell) break;
    }
  } else {
    int m = -value - 1;
    for (int p = lsbCell;; p += step) {
      wire[p].SetNumber(1 - (m & 1));
      m /= 2;
      if (p == msbCell) break;
    }
  }
}

void AddWires(const Wire& a, const Wire& b, int lsbCell, int msbCell, Wire& s, int carryIn,
              Wire* carryOut) {
  Ripple(a, b, lsbCell, msbCell, s, carryIn, carryOut);
}

void AddWires(const Wire& a, const Wire& b, int lsbCell, int msbCell, Wire& s, const Cell& carryIn,
              Wire* carryOut) {
  Ripple(a, b, lsbCell, msbCell, s, carryIn.LeadingInt(), carryOut);
}

void XorWires(const Wire& a, const Wire& b, int n, Wire& c) {
  Cellwise(a, b, n, c, [](long long x, long long y) { return x ^ y; });
}

void XnorWires(const Wire& a, const Wire& b, int n, Wire& c) {
  Cellwise(a, b, n, c, [](long long x, long long y) { return 1 - (x ^ y); });
}

void OrWires(const Wire& a, const Wire& b, int n, Wire& c) {
  Cellwise(a, b, n, c, [](long long x, long long y) { return x | y; });
}

void AndWires(const Wire& a, const Wire& b, int n, Wire& c) {
  Cellwise(a, b, n, c, [](long long x, long long y) { return x & y; });
}

void XorWireBit(const Wire& a, const Wire& bit, int n, Wire& c) {
  for (int p = 0; p < n; ++p)
    c[p].SetNumber(a[p].Integer() ^ bit[0].Integer());
}

void OrReduce(const Wire& a, int n, Wire& c) {
  long long acc = 0;
  for (int p = 0; p < n; ++p)
    acc |= a[p].LeadingInt();
  c[0].SetNumber(acc);
}

void InvertWire(const Wire& a, int n, Wire& c) {
  for (int p = 0; p < n; ++p)
    c[p].SetNumber(1 - a[p].Integer());
}

void MuxWires(const Wire& a, const Wire& b, int n, const Wire& sel, Wire& c) {
  CopyWire(c, sel[0].Integer() == 0 ? a : b, n);
}

void CopyWire(Wire& dest, const Wire& src, int n) {
  if (n <= 0) return;
  Cell::CopyCells(&dest[0], &src[0], static_cast<std::size_t>(n));
}

void CopyBits(Wire& dest, const Wire& src, int from, int to) {
  for (int b = std::min(from, to); b <= std::max(from, to); ++b)
    dest.Bit(b) = src.Bit(b);
}

void ShiftBits(Wire& dest, const Wire& src, int shift, const Cell& fill) {
  // In 64 bits: an edited shift amount may come close to the int range.
  const long long lowest = std::min(src.first(), src.last());
  const long long highest = std::max(src.first(), src.last());
  for (int p = 0; p < dest.size(); ++p) {
    const long long from = static_cast<long long>(dest.BitAt(p)) - shift;
    dest[p] = (from >= lowest && from <= highest) ? src.Bit(static_cast<int>(from)) : fill;
  }
}

double UnsignedValue(const Wire& wire) {
  return WireToNumber(wire, 0, wire.size() - 1, 1, 2);
}

}  // namespace sumaris
