#include "session/session.h"

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

void Session::RecomputeFrom(int k) {
  if (Stage* first = StageAt(k)) first->Calculate();
  for (int j = k + 1; j <= kSlots; ++j) {
    if (Stage* stage = StageAt(j)) {
      stage->Pull();
      stage->Calculate();
    }
  }
  ui_->Recomputed();
}

void Session::Run() {
  inconsistent_ = false;
  if (Stage* first = StageAt(kFirstSlot)) first->Pull();
  RecomputeFrom(kFirstSlot);
  ui_->ShowPath(PathBlock::Result);
  ui_->Switch2Results();
}

void Session::Reset() {
  adder_.input.Reset();
  if (Stage* first = StageAt(kFirstSlot)) first->Pull();
  RecomputeFrom(kFirstSlot);
  ui_->ShowPath(PathBlock::R1);
  ui_->DoMe(kFirstSlot);
  inconsistent_ = false;
}

void Session::StepNext() {
  if (stepCounter_ < kSlots) {
    ++stepCounter_;
    ui_->DoMe(stepCounter_);
  }
  ui_->ShowStep();
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
