#include "wires/cell.h"

#include "wires/errors.h"
#include "wires/number_text.h"

namespace sumaris {

double Cell::SlowValue() const { return ReadLeadingNumber(text()).value; }

long long Cell::SlowInteger() const {
  std::optional<double> v = ReadWholeNumber(text());
  if (!v) throw TypeMismatch();
  return RoundToInteger(*v);
}

}  // namespace sumaris
