#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "adder/ieee754.h"
#include "adder/operand_entry.h"
#include "core/cell.h"
#include "core/stage.h"

namespace sumaris {

class Adder;
class Wire;

// What the session asks of the windows. The default answers as a program
// without windows would: showing a stage only "activates" it, which sets the
// step counter. The windows override it to show and focus real windows,
// whose activation then calls Session::Activate.
class SessionUi {
 public:
  virtual ~SessionUi() = default;
  // One step of the animation for the stage in `slot` (its DoMe).
  virtual void DoMe(int slot);
  // ShowR1, ShowR2, ShowN, ShowResults of the control panel.
  virtual void ShowPath(PathBlock block);
  // FINAL's Switch2Results: highlight the Result block, bring Results forward.
  virtual void Switch2Results();
  // Refresh "Step #" on the panel.
  virtual void ShowStep() {}
  // Called after a sweep recomputed stages, so windows can repaint.
  virtual void Recomputed() {}
  // Called whenever the inconsistency flag changes, so every window can
  // show the truth at once.
  virtual void InconsistencyChanged() {}

 private:
  friend class Session;
  class Session* session_ = nullptr;
};

// The session state shared by all windows: the step table of 26 slots
// (slot 0 empty), the step counter (0 .. 25) and the inconsistency flag.
// Stepping does not compute: Run, Reset and the editor's Apply compute all
// stages in one sweep; Step Next only shows the next stage.
class Session {
 public:
  static constexpr int kSlots = 25;       // one a stage of the adder
  static constexpr int kFirstSlot = 1;    // R1Medium, where Reset starts
  static constexpr int kResultSlot = 25;  // Results, where Run ends

  explicit Session(Adder& adder);

  void SetUi(SessionUi* ui);
  SessionUi& ui() { return *ui_; }
  Adder& adder() { return adder_; }

  // Puts the 25 stages into slots 1 .. 25 in pipeline order.
  void FillStepTable();
  Stage* StageAt(int slot) const;
  // Puts a stage into one slot (null empties it); empty slots are skipped.
  void SetSlot(int slot, Stage* stage);

  int stepCounter() const { return stepCounter_; }
  bool inconsistent() const { return inconsistent_; }
  void SetInconsistent(bool flag);

  // A stage window was activated: the counter follows it.
  void Activate(int slot);

  // Calculate slot k (not pulled, so an edited input survives), then Pull
  // and Calculate every later slot in order. Empty slots are skipped.
  void RecomputeFrom(int k);
  // The editor's Apply: `edit` writes the cells, then RecomputeFrom(k). The
  // cells are remembered before the edit, so the edited cells count among
  // those that changed.
  void EditThenRecompute(int k, const std::function<void()>& edit);

  // Run: clear the flag, pull stage 1, recompute all, show the result.
  void Run();
  // Reset: zero operands, add, round to nearest even, recompute, stage 1.
  void Reset();
  // Step Next: advance the counter and show that stage; nothing at 25.
  void StepNext();
  // Step Back: the counter goes back one stage and shows it, marking its
  // path when that is another; nothing at stage 1. Computes nothing.
  void StepBack();
  // Jumps to a stage (First stage, Last stage) and shows it with its path.
  void GoToStage(int slot);
  // The panel's Pull and Calc: the current stage only.
  void PullCurrent();
  void CalcCurrent();

  // --- what the last recomputation changed ---------------------------------
  // While on, Run, Reset and the editor's Apply remember every cell's text
  // before they recompute, so the windows can mark the cells that changed,
  // and Run and Reset remember the operands they computed. Off by default:
  // programs without windows need not copy every cell.
  void TrackChanges(bool on);
  bool tracksChanges() const { return trackChanges_; }
  // Whether cell `position` of the wire differs from before the last
  // recomputation (false before the first, or for a wire not remembered).
  bool CellChanged(const Wire& wire, int position) const;
  // Whether any cell of the stage in `slot` changed in the last recomputation.
  bool StageChanged(int slot) const;

  // --- the addition on screen -------------------------------------------------
  // The operands, operation and rounding mode the last Run or Reset
  // computed with (while tracking changes); none before the first.
  struct Addition {
    std::uint64_t a = 0;
    std::uint64_t b = 0;
    Operation operation = Operation::Add;
    Rounding rounding = Rounding::NearestEven;
    bool operator==(const Addition&) const = default;
  };
  const std::optional<Addition>& lastAddition() const { return lastAddition_; }
  // The adder's result as the Results stage shows it, held against IEEE 754
  // for the last addition; none before the first.
  std::optional<IeeeComparison> CompareResultWithIeee() const;

  // --- the operands since the last Run or Reset ------------------------------
  // True when the operand entry's bits, operation or rounding mode differ
  // from those the last Run or Reset computed with (while tracking changes).
  bool OperandsChanged() const;
  // Takes the operands as they stand for those the stages show, as at
  // start-up, where nothing was computed yet and the operands are zero: a
  // change from them then counts too (while tracking changes).
  void RememberOperands();

 private:
  Adder& adder_;
  SessionUi defaultUi_;
  SessionUi* ui_ = &defaultUi_;
  void RememberCells();
  void Sweep(int k);
  void ShowStageWithItsPath(int slot, int fromSlot);
  // Whether any cell of the wire differs from before the last recomputation.
  bool WireChanged(const Wire& wire) const;
  // The addition the operand entry holds now.
  Addition EnteredAddition() const;

  std::array<Stage*, kSlots + 1> stepTable_{};
  int stepCounter_ = 0;
  bool inconsistent_ = false;
  bool trackChanges_ = false;
  std::unordered_map<const Wire*, std::vector<Cell>> previousCells_;
  std::array<bool, kSlots + 1> stageChanged_{};
  std::optional<Addition> lastAddition_;
};

}  // namespace sumaris
