#include "session/session.h"

#include <algorithm>

#include "adder/adder.h"

namespace sumaris {

static_assert(Session::kSlots == kStageCount, "one slot a stage");

void SessionUi::DoMe(int slot) {
  if (session_ != nullptr) session_->Activate(slot);
}

void SessionUi::ShowPath(PathBlock) {}

void SessionUi::Switch2Results() {
  if (session_ != nullptr) session_->Activate(Session::kResultSlot);
}

Session::Session(Adder& adder) : adder_(adder) {
  defaultUi_.session_ = this;
}

void Session::SetUi(SessionUi* ui) {
  ui_ = ui != nullptr ? ui : &defaultUi_;
  ui_->session_ = this;
}

void Session::FillStepTable() {
  stepTable_[0] = nullptr;
  for (int slot = kFirstSlot; slot <= kSlots; ++slot)
    stepTable_[slot] = adder_.StageInSlot(slot);
}

Stage* Session::StageAt(int slot) const {
  return (slot >= 1 && slot <= kSlots) ? stepTable_[slot] : nullptr;
}

void Session::SetSlot(int slot, Stage* stage) {
  if (slot >= 1 && slot <= kSlots) stepTable_[slot] = stage;
}

void Session::Activate(int slot) {
  stepCounter_ = slot;
  ui_->ShowStep();
}

void Session::SetInconsistent(bool flag) {
  if (flag == inconsistent_) return;
  inconsistent_ = flag;
  ui_->InconsistencyChanged();
}

void Session::RecomputeFrom(int k) {
  RememberCells();
  Sweep(k);
}

void Session::EditThenRecompute(int k, const std::function<void()>& edit) {
  RememberCells();
  edit();
  Sweep(k);
}

void Session::Sweep(int k) {
  if (Stage* first = StageAt(k)) first->Calculate();
  for (int j = k + 1; j <= kSlots; ++j) {
    if (Stage* stage = StageAt(j)) {
      stage->Pull();
      stage->Calculate();
    }
  }
  if (trackChanges_) {
    for (int slot = kFirstSlot; slot <= kSlots; ++slot) {
      const Stage* stage = StageAt(slot);
      stageChanged_[static_cast<std::size_t>(slot)] =
          stage != nullptr && std::any_of(stage->wires().begin(), stage->wires().end(),
                                          [this](const Wire* wire) { return WireChanged(*wire); });
    }
  }
  ui_->Recomputed();
}

void Session::Run() {
  SetInconsistent(false);
  RememberCells();
  RememberOperands();
  if (Stage* first = StageAt(kFirstSlot)) first->Pull();
  Sweep(kFirstSlot);
  ui_->ShowPath(PathBlock::Result);
  ui_->Switch2Results();
}

void Session::Reset() {
  RememberCells();
  adder_.input.Reset();
  RememberOperands();
  if (Stage* first = StageAt(kFirstSlot)) first->Pull();
  Sweep(kFirstSlot);
  ui_->ShowPath(PathBlock::R1);
  ui_->DoMe(kFirstSlot);
  SetInconsistent(false);
}

void Session::StepNext() {
  if (stepCounter_ < kSlots) {
    ++stepCounter_;
    ui_->DoMe(stepCounter_);
  }
  ui_->ShowStep();
}

void Session::StepBack() {
  if (stepCounter_ > kFirstSlot) ShowStageWithItsPath(stepCounter_ - 1, stepCounter_);
  ui_->ShowStep();
}

void Session::GoToStage(int slot) {
  if (slot < kFirstSlot || slot > kSlots) return;
  ShowStageWithItsPath(slot, stepCounter_);
  ui_->ShowStep();
}

void Session::ShowStageWithItsPath(int slot, int fromSlot) {
  const Stage* stage = StageAt(slot);
  const Stage* from = StageAt(fromSlot);
  stepCounter_ = slot;
  // Step Next marks a path on its first stage; going back or jumping, the
  // path is marked whenever the stage lies on another.
  if (stage != nullptr &&
      (from == nullptr || from->descriptor().overview != stage->descriptor().overview)) {
    if (!OpensItsPath(stage->descriptor())) ui_->ShowPath(stage->descriptor().overview);
  }
  ui_->DoMe(slot);
}

void Session::TrackChanges(bool on) {
  trackChanges_ = on;
  if (!on) {
    previousCells_.clear();
    stageChanged_.fill(false);
    lastAddition_.reset();
  }
}

void Session::RememberCells() {
  if (!trackChanges_) return;
  for (int slot = kFirstSlot; slot <= kSlots; ++slot) {
    const Stage* stage = StageAt(slot);
    if (stage == nullptr) continue;
    for (const Wire* wire : stage->wires()) {
      std::vector<Cell>& cells = previousCells_[wire];
      cells.assign(wire->cells().begin(), wire->cells().end());
    }
  }
}

bool Session::CellChanged(const Wire& wire, int position) const {
  const auto found = previousCells_.find(&wire);
  if (found == previousCells_.end() || position < 0 || position >= wire.size()) return false;
  const std::vector<Cell>& before = found->second;
  return static_cast<std::size_t>(position) < before.size() &&
         before[static_cast<std::size_t>(position)].text() != wire[position].text();
}

bool Session::WireChanged(const Wire& wire) const {
  const auto found = previousCells_.find(&wire);
  if (found == previousCells_.end()) return false;
  const std::vector<Cell>& before = found->second;
  const std::size_t cells = std::min(before.size(), static_cast<std::size_t>(wire.size()));
  for (std::size_t p = 0; p < cells; ++p) {
    if (before[p].text() != wire[static_cast<int>(p)].text()) return true;
  }
  return false;
}

bool Session::StageChanged(int slot) const {
  return slot >= kFirstSlot && slot <= kSlots && stageChanged_[static_cast<std::size_t>(slot)];
}

bool Session::OperandsChanged() const {
  return lastAddition_ && EnteredAddition() != *lastAddition_;
}

void Session::RememberOperands() {
  if (trackChanges_) lastAddition_ = EnteredAddition();
}

std::optional<IeeeComparison> Session::CompareResultWithIeee() const {
  if (!lastAddition_) return std::nullopt;
  const Addition& x = *lastAddition_;
  return CompareWithIeee(x.a, x.b, x.operation, x.rounding, adder_.results.Encoding());
}

Session::Addition Session::EnteredAddition() const {
  const OperandEntry& in = adder_.input;
  return {OperandBits(in, Operand::A), OperandBits(in, Operand::B), in.operation(), in.rounding()};
}

void Session::PullCurrent() {
  if (Stage* stage = StageAt(stepCounter_)) stage->Pull();
  ui_->Recomputed();
}

void Session::CalcCurrent() {
  if (Stage* stage = StageAt(stepCounter_)) stage->Calculate();
  ui_->Recomputed();
}

}  // namespace sumaris
