#include "core/cell.h"

#include "core/errors.h"
#include "core/number_text.h"

namespace sumaris {

double Cell::SlowValue() const {
  return ReadLeadingNumber(text()).value;
}

long long Cell::SlowLeadingInt() const {
  return RoundToInteger(Value());
}

void Cell::ReleaseHeap() {
  delete HeapString();
  SetChar('0');
  heapCells_.fetch_sub(1, std::memory_order_relaxed);
}

void Cell::SetLongNumber(long long value) {
  *this = std::string_view(std::to_string(value));
}

long long Cell::SlowInteger() const {
  std::optional<double> v = ReadWholeNumber(text());
  if (!v) throw TypeMismatch();
  return RoundToInteger(*v);
}

}  // namespace sumaris
