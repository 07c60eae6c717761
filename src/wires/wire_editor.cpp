#include "wires/wire_editor.h"

#include <cstdlib>

#include "wires/wire.h"

namespace sumaris {

// Placeholder: the editor's algorithms are filled in with the editor window.
void WireEditor::LoadParams(Wire* source, int start, int endb, std::string formName,
                            std::string wireName, bool /*viewOnly*/) {
  source_ = source;
  start_ = start;
  endb_ = endb;
  step_ = start <= endb ? 1 : -1;
  count_ = start == endb ? 0 : std::abs(endb - start) + 1;
  formName_ = std::move(formName);
  wireName_ = std::move(wireName);
  Init();
}

void WireEditor::Init() {}
void WireEditor::TypeIntoBox(int, std::string_view) {}
void WireEditor::Apply(Session&) {}
void WireEditor::Cancel() {}

}  // namespace sumaris
