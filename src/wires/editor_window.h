#pragma once

#include <string>

#include "wires/child_window.h"

namespace sumaris {

class Session;
class Wire;
class WireEditor;

// The "Wire Bits Editor" window: one box per bit of a wire, Apply and Cancel.
class EditorWindow : public ChildWindow {
  Q_OBJECT

 public:
  EditorWindow(WireEditor& editor, Session& session, QWidget* parent = nullptr);

  // What an Edit or Expand button does: LoadParams, then show the editor.
  void Open(Wire* source, int start, int endb, const std::string& formName,
            const std::string& wireName, bool viewOnly);

  void Activated() override;

 private:
  WireEditor& editor_;
  Session& session_;
};

}  // namespace sumaris
