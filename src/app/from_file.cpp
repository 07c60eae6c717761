#include "app/from_file.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QWindow>
#include <functional>
#include <utility>
#include <vector>

#include "batch/batch_runner.h"
#include "session/platform.h"
#include "session/session.h"

namespace sumaris {
namespace {

// The pause every 100 vectors: the window system processes its pending
// events so many times in a row, so that the windows repaint and a click
// runs its control's action before the batch goes on. With nothing pending
// a turn still costs a poll of the window system, so 20000 turns take tens
// of milliseconds and set the pace of the whole batch.
void LetPendingEventsRun(int turns) {
  for (int turn = 0; turn < turns; ++turn)
    QCoreApplication::processEvents();
}

bool AnyWindowShown() {
  for (const QWindow* window : QGuiApplication::topLevelWindows()) {
    if (window->isVisible()) return true;
  }
  return false;
}

// Between two pauses nothing is painted and nobody can click, so the windows
// need not follow every vector: what the session asks of them while a
// vector runs (repaint the stages, show the FINAL overview, bring the
// results forward) is noted, and carried out for the last vector whenever
// the screen can be seen: at each pause, before each message box, at the
// end. Bringing a window forward is by far the dearest thing a vector does
// with the windows shown; done once per pause it costs next to nothing.
class DeferredUi final : public SessionUi {
 public:
  explicit DeferredUi(SessionUi& windows) : windows_(windows) {}

  // A run starts with the recomputation: what an earlier vector asked for
  // is superseded by what this one will ask.
  void Recomputed() override {
    requests_.clear();
    requests_.push_back({Kind::Recomputed, PathBlock::R1});
  }
  void ShowPath(PathBlock block) override { requests_.push_back({Kind::ShowPath, block}); }
  void Switch2Results() override { requests_.push_back({Kind::Switch2Results, PathBlock::R1}); }
  // Anything else goes straight through, in order.
  void DoMe(int slot) override {
    Flush();
    windows_.DoMe(slot);
  }
  void ShowStep() override {
    Flush();
    windows_.ShowStep();
  }
  // The warnings follow the flag at once (it changes at most once a run).
  void InconsistencyChanged() override { windows_.InconsistencyChanged(); }

  void Flush() {
    const std::vector<Request> requests = std::move(requests_);
    requests_.clear();
    for (const Request& r : requests) {
      switch (r.kind) {
        case Kind::Recomputed:
          windows_.Recomputed();
          break;
        case Kind::ShowPath:
          windows_.ShowPath(r.block);
          break;
        case Kind::Switch2Results:
          windows_.Switch2Results();
          break;
      }
    }
  }

 private:
  enum class Kind { Recomputed, ShowPath, Switch2Results };
  struct Request {
    Kind kind;
    PathBlock block;
  };
  SessionUi& windows_;
  std::vector<Request> requests_;
};

// The windows catch up before anything is shown to the user.
class CatchUpDialogs final : public UserDialogs {
 public:
  CatchUpDialogs(UserDialogs& dialogs, std::function<void()> catchUp)
      : dialogs_(dialogs), catchUp_(std::move(catchUp)) {}
  void Message(std::string_view text) override {
    catchUp_();
    dialogs_.Message(text);
  }
  bool AskYesNo(std::string_view text) override {
    catchUp_();
    return dialogs_.AskYesNo(text);
  }
  void Beep() override {
    catchUp_();
    dialogs_.Beep();
  }
  bool MessageOrStop(std::string_view text) override {
    catchUp_();
    return dialogs_.MessageOrStop(text);
  }

 private:
  UserDialogs& dialogs_;
  std::function<void()> catchUp_;
};

// A second "FromFile" clicked during a pause finds the files in use, as the
// program's own run does: "I/O error!" with that reason, and the first run
// goes on.
bool running = false;

}  // namespace

std::string VectorProgress(long long vector, std::optional<long long> total) {
  std::string text = "Vector " + std::to_string(vector);
  if (total) text += " of " + std::to_string(*total);
  return text;
}

void RunFromFile(Adder& adder, Session& session, UserDialogs& dialogs, TextViewer& viewer,
                 const FileLocations& files, const FromFilePanel& panel, int pauseTurns) {
  if (running) {
    dialogs.Message("I/O error!\nFromFile is already running on " + files.input.string());
    return;
  }
  SessionUi& windows = session.ui();
  DeferredUi deferred(windows);
  BatchProgress progress;
  // A first quick count, so the panel can say "Vector n of N".
  const std::optional<long long> total = CountVectors(files.input);
  const auto showProgress = [&] {
    if (panel.showProgress) {
      panel.showProgress(VectorProgress(progress.vectors.load(std::memory_order_relaxed), total));
    }
  };
  CatchUpDialogs catchUp(dialogs, [&] {
    deferred.Flush();
    showProgress();
  });
  struct Scope {
    Session& session;
    SessionUi& windows;
    const FromFilePanel& panel;
    Scope(Session& s, SessionUi& w, DeferredUi& d, const FromFilePanel& p)
        : session(s), windows(w), panel(p) {
      running = true;
      session.SetUi(&d);
    }
    ~Scope() {
      session.SetUi(&windows);
      running = false;
      if (panel.showProgress) panel.showProgress({});
    }
  } scope(session, windows, deferred, panel);

  BatchRunner runner(adder, session, catchUp);
  runner.breakPointBox = panel.breakPoint;
  runner.progress = &progress;
  runner.pause = [&] {
    // During the pause the windows answer the session directly, so a button
    // the user presses works as it always does.
    deferred.Flush();
    showProgress();
    session.SetUi(&windows);
    const bool shown = AnyWindowShown();
    LetPendingEventsRun(pauseTurns);
    session.SetUi(&deferred);
    // Closing the program (Exit, or the main window's close box) during the
    // pause hides the last window: the run ends quietly.
    return !(shown && !AnyWindowShown());
  };
  const BatchSummary summary = runner.Run(files, &viewer);
  if (!summary.abandoned) deferred.Flush();
}

}  // namespace sumaris
