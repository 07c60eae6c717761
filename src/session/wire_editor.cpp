#include "session/wire_editor.h"

#include <algorithm>
#include <cstdlib>
#include <utility>

#include "core/wire.h"
#include "session/platform.h"
#include "session/session.h"

namespace sumaris {

using namespace editor_twips;

TwipPoint WireEditor::BoxPlace(int i) {
  // Within a row, box k sits k pitches right of the row's first box, plus one
  // group gap for every box up to k whose position is a multiple of 8. The
  // second row starts at box 56 (itself a multiple of 8, but at the row's
  // left edge), so its gaps come from the multiples of 8 in 57 .. i.
  const bool second = i >= kBoxesPerRow;
  const int k = second ? i - kBoxesPerRow : i;
  const int gaps = second ? i / 8 - kBoxesPerRow / 8 : i / 8;
  const int top = second ? kBoxTop + kBoxHeight + kRowGap : kBoxTop;
  return {kBoxLeft + k * kBoxPitch + gaps * kGroupGap, top};
}

TwipPoint WireEditor::LabelPlace(int i) {
  const TwipPoint box = BoxPlace(i);
  return {box.left, box.top - kLabelAbove};
}

double WireEditor::WindowWidth(int n) {
  const double groups = n / 8.0 + 1;  // an exact quotient, not rounded
  if (n * 185 < 6001) return 6200;
  if (n < 53) return n * 185 + 400 + groups * 100;
  return groups * 100 + 11300;
}

int WireEditor::boxesInUse() const {
  return std::clamp(count_, 1, kBoxes);
}

void WireEditor::LoadParams(Wire* source, int start, int endb, std::string formName,
                            std::string wireName, bool viewOnly, int firstCell) {
  source_ = source;
  firstCell_ = std::max(0, firstCell);
  start_ = start;
  endb_ = endb;
  step_ = start <= endb ? 1 : -1;
  count_ = start == endb ? 0 : std::abs(endb - start) + 1;
  formName_ = std::move(formName);
  wireName_ = std::move(wireName);
  shown_ = true;
  Init();
  // Without a wire there is nothing to write back: such an opening behaves
  // like a view-only one. An Edit button enables Apply even while a
  // view-only opening was shown, which would otherwise trap the user.
  applyEnabled_ = !viewOnly && source_ != nullptr;
  Changed();
}

void WireEditor::Init() {
  loading_ = true;
  width_ = WindowWidth(count_);
  const int used = boxesInUse();
  const int cells = source_ != nullptr ? source_->size() : 0;
  for (int i = 0; i < kBoxes; ++i) {
    Box& box = boxes_[static_cast<std::size_t>(i)];
    if (i < used) {
      // Box i shows cell firstCell + i, whatever the range says; past the
      // wire's end (or without a wire) the box stays empty.
      const int cell = firstCell_ + i;
      box.text = cell < cells ? (*source_)[cell].str() : std::string();
      box.visible = true;
      box.label = std::to_string(start_ + i * step_);
      box.labelVisible = i == 0 || i % 8 == 0;
    } else {
      box.visible = false;
      box.labelVisible = false;
    }
  }
  if (count_ > 0) boxes_[static_cast<std::size_t>(used - 1)].labelVisible = true;
  loading_ = false;
  Changed();
}

void WireEditor::Activate() {
  Init();
  FocusAndSelect(0);
}

void WireEditor::TypeIntoBox(int i, std::string_view text) {
  if (i < 0 || i >= boxesInUse()) return;  // hidden boxes take no keys
  Box& box = boxes_[static_cast<std::size_t>(i)];
  box.text = std::string(text);
  if (loading_) return;
  if (box.text != "0" && box.text != "1") box.text = "0";
  FocusAndSelect(i < std::min(count_, kBoxes) - 1 ? i + 1 : i);
  Changed();
}

void WireEditor::ClickBox(int i) {
  if (i < 0 || i >= kBoxes) return;
  boxes_[static_cast<std::size_t>(i)].labelVisible = true;
  FocusAndSelect(i);
  Changed();
}

void WireEditor::DoubleClickBox(int i) {
  if (i < 0 || i >= kBoxes) return;
  if (dialogs_ != nullptr) dialogs_->Message(std::to_string(i));
}

void WireEditor::FocusBox(int i) {
  if (i >= 0 && i < kBoxes) focused_ = i;
}

void WireEditor::Apply(Session& session) {
  if (!applyEnabled_) return;
  // The step counter as it stands now: hiding the editor may bring another
  // window to the front, and its activation must not move the start.
  const int from = session.stepCounter();
  if (source_ == nullptr) {  // nothing to write back: just close
    shown_ = false;
    Changed();
    return;
  }
  session.EditThenRecompute(from, [this, &session] {
    const int n = std::min(boxesInUse(), source_->size() - firstCell_);
    for (int i = 0; i < n; ++i)
      (*source_)[firstCell_ + i] = boxes_[static_cast<std::size_t>(i)].text;
    session.SetInconsistent(true);
    shown_ = false;
    Changed();
  });
}

void WireEditor::Cancel() {
  shown_ = false;
  applyEnabled_ = true;
  Changed();
}

void WireEditor::Changed() {
  if (onChanged) onChanged();
}

void WireEditor::FocusAndSelect(int i) {
  focused_ = i;
  selected_ = i;
  if (onFocus) onFocus(i);
}

}  // namespace sumaris
