#include "app/about_window.h"

#include <QLabel>
#include <QPainter>
#include <QScrollArea>
#include <QVBoxLayout>
#include <algorithm>

#include "app/style.h"
#include "app/twips.h"
#include "core/version.h"

namespace sumaris {
namespace {

constexpr style::Fixed kRed = style::Fixed::AboutHeading;
constexpr style::Fixed kBlue = style::Fixed::AboutText;
constexpr style::Fixed kDarkYellow = style::Fixed::AboutNotice;

// The printed page: every line is drawn afresh on each paint from the same
// list, starting at the same place, so the picture never changes.
class AboutPage final : public QWidget {
 public:
  explicit AboutPage(QWidget* parent) : QWidget(parent) {
    setObjectName("Page");
    setFixedSize(Extent());
  }

  static QSize Extent() {
    int width = 0;
    int y = Tw(HelpAbout::kTextTop);
    for (const HelpAbout::PrintedLine& line : HelpAbout::Text()) {
      const QFontMetrics metrics(style::Arial(line.points, line.bold));
      width = std::max(width, metrics.horizontalAdvance(line.text));
      y += metrics.lineSpacing();
    }
    return QSize(Tw(HelpAbout::kTextLeft) + width + Tw(120), y + Tw(120));
  }

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter painter(this);
    int y = Tw(HelpAbout::kTextTop);
    for (const HelpAbout::PrintedLine& line : HelpAbout::Text()) {
      const QFont font = style::Arial(line.points, line.bold);
      const QFontMetrics metrics(font);
      if (!line.text.isEmpty()) {
        painter.setFont(font);
        painter.setPen(style::Colour(line.colour));
        painter.drawText(Tw(HelpAbout::kTextLeft), y + metrics.ascent(), line.text);
      }
      y += metrics.lineSpacing();
    }
  }
};

}  // namespace

const std::vector<HelpAbout::PrintedLine>& HelpAbout::Text() {
  // Headings, colours, sizes and order as the window has always printed
  // them; the words are the program's own.
  static const std::vector<PrintedLine> kText = {
      {"About This Work", kRed, 20, false},
      {"This simulator animates the execution of one IEEE 754 double-precision", kBlue, 10, false},
      {"floating-point addition or subtraction, block by block, through the", kBlue, 10, false},
      {"two-path adder with rounding by injection described in the course's", kBlue, 10, false},
      {"reference article. Questions and remarks: see the course pages.", kBlue, 10, false},
      {"", kBlue, 10, false},
      {"Written as a project of the graduate course on computer arithmetic", kBlue, 10, false},
      {"during the spring term.", kBlue, 10, false},
      {"Creators:", kBlue, 10, true},
      {"The student team - design and programming (contact: the course office)", kBlue, 10, false},
      {"The course staff - datapath model and review (contact: the course office)", kBlue, 10,
       false},
      {"", kBlue, 10, false},
      {"Verification:", kBlue, 10, true},
      {"The teaching assistants - test vectors (contact: the course office)", kBlue, 10, false},
      {"The lab group - bit-exact checks of every block (contact: the course office)", kBlue, 10,
       false},
      {"", kRed, 10, false},
      {"Warning:", kRed, 10, false},
      {"This program and its documentation are protected by copyright and", kDarkYellow, 10, false},
      {"given under the MIT licence: you may use, copy, change and pass them", kDarkYellow, 10,
       false},
      {"on, with the copyright notice and the licence kept in every copy.", kDarkYellow, 10, false},
      {"They come with no warranty of any kind (see the licence file).", kDarkYellow, 10, false},
      {"", kDarkYellow, 10, false},
      {"          Use 1024x768 or higher screen resolution", kRed, 12, false},
  };
  return kText;
}

HelpAbout::HelpAbout(QWidget* parent) : ChildWindow(parent) {
  setObjectName("HelpAbout");
  setWindowTitle("About");
  setAutoFillBackground(true);
  style::SetFixedColour(this, QPalette::Window, style::Fixed::AboutSheet);

  scroll_ = new QScrollArea(this);
  scroll_->setFrameShape(QFrame::NoFrame);
  scroll_->setWidgetResizable(false);
  scroll_->viewport()->setAutoFillBackground(false);
  page_ = new AboutPage(nullptr);
  page_->setAutoFillBackground(false);
  scroll_->setWidget(page_);
  style::SetFixedColour(page_, QPalette::Window, style::Fixed::AboutSheet);

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(scroll_);

  // The version is the project's own (core/version.h).
  versionLabel_ = new QLabel(QString("Sumaris simulator - Version ") + kVersion, page_);
  versionLabel_->setObjectName("Label1");
  versionLabel_->setFont(style::Arial(10, true));
  versionLabel_->adjustSize();
  // Right of the heading, on its base line.
  const QFontMetrics heading(style::Arial(20, false));
  const int headingRight = Tw(kTextLeft) + heading.horizontalAdvance(Text().front().text);
  versionLabel_->move(headingRight + Tw(400),
                      Tw(kTextTop) + heading.ascent() - versionLabel_->height() + 2);
  page_->setFixedWidth(std::max(page_->width(), versionLabel_->geometry().right() + Tw(120)));
}

void HelpAbout::Activated() {
  // Printing again draws the same lines at the same places.
  page_->update();
}

}  // namespace sumaris
