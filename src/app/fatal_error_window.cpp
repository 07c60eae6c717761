#include "app/fatal_error_window.h"

#include <QApplication>
#include <QMessageBox>
#include <cstdio>
#include <cstdlib>

namespace sumaris {
namespace {

void ShowAndEnd(const std::string& message) {
  if (QApplication::instance() != nullptr) {
    QMessageBox box(QMessageBox::Critical, QString(), QString::fromStdString(message),
                    QMessageBox::Ok);
    box.exec();
  } else {
    std::fprintf(stderr, "%s\n", message.c_str());
  }
  // The program ends at once, as after a run-time error: nothing is saved,
  // and no window gets the chance to compute on a half-written pipeline.
  std::fflush(nullptr);
  std::_Exit(EXIT_FAILURE);
}

FatalErrorHandler& CurrentHandler() {
  static FatalErrorHandler handler;
  return handler;
}

}  // namespace

void SetFatalErrorHandler(FatalErrorHandler handler) {
  CurrentHandler() = std::move(handler);
}

void ReportFatalError(const std::string& message) {
  if (CurrentHandler()) {
    CurrentHandler()(message);
  } else {
    ShowAndEnd(message);
  }
}

}  // namespace sumaris
