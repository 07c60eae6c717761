#pragma once

// Stand-ins for the desktop in tests: message boxes answered from a script
// and recorded, a text viewer that records what it was asked to open.

#include <deque>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "session/platform.h"

namespace sumaris::test {

class RecordingDialogs final : public UserDialogs {
 public:
  void Message(std::string_view text) override { messages.emplace_back(text); }
  // Answers from `answers` in order, Yes once they run out; `asked` runs
  // first, while the question is on screen.
  bool AskYesNo(std::string_view text) override {
    questions.emplace_back(text);
    if (asked) asked(text);
    if (answers.empty()) return true;
    const bool answer = answers.front();
    answers.pop_front();
    return answer;
  }
  void Beep() override { ++beeps; }
  // Recorded with the messages; answers OK (true) or Stop (false) from
  // `stops` in order, OK once they run out.
  bool MessageOrStop(std::string_view text) override {
    messages.emplace_back(text);
    ++stoppable;
    if (okOrStop.empty()) return true;
    const bool ok = okOrStop.front();
    okOrStop.pop_front();
    return ok;
  }

  std::vector<std::string> messages;
  std::vector<std::string> questions;
  std::deque<bool> answers;
  std::function<void(std::string_view)> asked;
  std::deque<bool> okOrStop;
  int stoppable = 0;  // messages that offered Stop
  int beeps = 0;
};

// Records what it was asked to open; with `starts` false no viewer starts.
class RecordingViewer final : public TextViewer {
 public:
  bool Open(const std::filesystem::path& file) override {
    opened.push_back(file);
    return starts;
  }
  std::vector<std::filesystem::path> opened;
  bool starts = true;
};

}  // namespace sumaris::test
