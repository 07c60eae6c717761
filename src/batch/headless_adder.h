#pragma once

#include "adder/adder.h"
#include "batch/batch_runner.h"
#include "session/platform.h"
#include "session/session.h"

namespace sumaris {

// An adder of its own with its session and a batch runner on it, as a
// program without windows needs it: the batch tool and each of its
// threads, wire traces, benchmarks and fuzz targets. Messages go to the
// dialogs given, or nowhere.
struct HeadlessAdder {
  explicit HeadlessAdder(UserDialogs* messages = nullptr)
      : dialogs(messages != nullptr ? *messages : quiet) {
    session.FillStepTable();
    adder.input.onMessage = [this](std::string_view text) { dialogs.Message(text); };
  }
  HeadlessAdder(const HeadlessAdder&) = delete;
  HeadlessAdder& operator=(const HeadlessAdder&) = delete;

  QuietDialogs quiet;
  UserDialogs& dialogs;
  Adder adder;
  Session session{adder};
  BatchRunner runner{adder, session, dialogs};
};

}  // namespace sumaris
