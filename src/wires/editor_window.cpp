#include "wires/editor_window.h"

#include "wires/wire_editor.h"

namespace sumaris {

// Placeholder until the editor window is built.
EditorWindow::EditorWindow(WireEditor& editor, Session& session, QWidget* parent)
    : ChildWindow(parent), editor_(editor), session_(session) {
  setObjectName("Editor");
  setWindowTitle("Wire Bits Editor");
}

void EditorWindow::Open(Wire* source, int start, int endb, const std::string& formName,
                        const std::string& wireName, bool viewOnly) {
  editor_.LoadParams(source, start, endb, formName, wireName, viewOnly);
  ShowAndFocus();
}

void EditorWindow::Activated() { editor_.Init(); }

}  // namespace sumaris
