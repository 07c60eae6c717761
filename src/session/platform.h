#pragma once

#include <filesystem>
#include <string_view>

namespace sumaris {

// What the model needs from the desktop, as small interfaces, so that the
// windows answer with real dialogs and the tests answer with scripts.

// Message boxes without a title of their own, and the beep.
class UserDialogs {
 public:
  virtual ~UserDialogs() = default;
  virtual void Message(std::string_view text) = 0;   // an OK box
  virtual bool AskYesNo(std::string_view text) = 0;  // true for Yes
  virtual void Beep() = 0;
  // An OK box with a second button, "Stop": false when the user pressed
  // Stop. Where no such box is offered, the OK box, and never a stop.
  virtual bool MessageOrStop(std::string_view text) {
    Message(text);
    return true;
  }
};

// Opens a text file in the desktop's viewer without waiting for it; false
// when no viewer could be started.
class TextViewer {
 public:
  virtual ~TextViewer() = default;
  virtual bool Open(const std::filesystem::path& file) = 0;
};

// The program's fixed files: fpinput.txt, fpoutput.txt and pad.txt, kept in
// the user's home folder under those names.
struct FileLocations {
  std::filesystem::path input;
  std::filesystem::path output;
  std::filesystem::path pad;

  static FileLocations InFolder(const std::filesystem::path& folder);
  static FileLocations InHome();  // $HOME, or the current folder without one
};

// Answers nothing and stays quiet: the default while no window is attached.
class QuietDialogs final : public UserDialogs {
 public:
  void Message(std::string_view) override {}
  bool AskYesNo(std::string_view) override { return true; }
  void Beep() override {}
};

}  // namespace sumaris
