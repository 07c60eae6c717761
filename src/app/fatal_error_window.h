#pragma once

#include <exception>
#include <functional>
#include <string>
#include <utility>

#include "core/errors.h"

namespace sumaris {

// An error inside a stage computation ends the program: the windows show its
// message and stop. Every event handler that computes (Run, Step Next, Reset,
// Pull, Calc, the editor's Apply, ...) runs its work through RunGuarded, so
// the error never unwinds through the window system's own code.

using FatalErrorHandler = std::function<void(const std::string& message)>;

// Replaces what happens with such an error; an empty handler restores the
// default (a message box, then the program ends). Tests install a handler
// that records the message instead.
void SetFatalErrorHandler(FatalErrorHandler handler);

// Hands the message to the current handler.
void ReportFatalError(const std::string& message);

template <class Work>
void RunGuarded(Work&& work) {
  try {
    std::forward<Work>(work)();
  } catch (const StageError& error) {
    ReportFatalError(error.what());
  } catch (const std::exception& error) {
    ReportFatalError(error.what());
  }
}

}  // namespace sumaris
