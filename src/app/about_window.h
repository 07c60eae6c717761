#pragma once

#include <QString>
#include <vector>

#include "app/child_window.h"
#include "app/style.h"

class QLabel;
class QScrollArea;

namespace sumaris {

// The About window "HelpAbout": the simulator's name and version in Label1
// and a short printed text about the work, its makers, a notice and the
// screen the program needs. It has no buttons; it prints the same picture
// every time it is activated.
class HelpAbout : public ChildWindow {
  Q_OBJECT

 public:
  explicit HelpAbout(QWidget* parent = nullptr);

  // One printed line: text, colour, size in points, bold. An empty text is
  // an empty line at that size. The colour is looked up when printed, so it
  // follows the palette.
  struct PrintedLine {
    QString text;
    style::Fixed colour;
    double points;
    bool bold;
  };
  static const std::vector<PrintedLine>& Text();

  QLabel* versionLabel() const { return versionLabel_; }  // Label1
  void Activated() override;

  // Starts of the printed text, twips from the top left.
  static constexpr int kTextLeft = 50;
  static constexpr int kTextTop = 200;

 private:
  QScrollArea* scroll_ = nullptr;
  QWidget* page_ = nullptr;
  QLabel* versionLabel_ = nullptr;
};

}  // namespace sumaris
