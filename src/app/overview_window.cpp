#include "app/overview_window.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QScrollArea>
#include <QScrollBar>
#include <algorithm>
#include <cmath>
#include <stdexcept>
#include <string>

#include "adder/stage_list.h"
#include "app/style.h"
#include "app/twips.h"
#include "rtl/block_cost.h"

namespace sumaris {
namespace {

// Design of the diagrams, twips.
constexpr int kDesignWidth = 5205;
constexpr int kBlockPadding = 120;  // between a block's edge and its units
constexpr int kUnitHeight = 285;
constexpr int kUnitGap = 90;  // between units, across and down
constexpr int kUnitMinWidth = 700;
constexpr int kElbowAbove = 150;  // a bent flow turns this far above its target
constexpr int kArrowLength = 90;
constexpr int kArrowHalfWidth = 50;
constexpr double kMaxScale = 1.6;

int RowsHeight(std::size_t rows) {
  const int n = static_cast<int>(rows);
  return 2 * kBlockPadding + n * kUnitHeight + std::max(0, n - 1) * kUnitGap;
}

// The R path of the first cycle: exponent difference, complement and
// pre-shift, swap, alignment, and the R path condition. The operands enter
// the complement from the left; the exponent difference steers the rest:
// MAG_MED and SIGN_MED run down the left edge to the shifter and the first
// swap, SIGN_BIG and IS_BIG down the right to the other swaps and the big
// mux. A dashed line crossing another without a dot does not join it.
constexpr int kR1Left = 420;  // left of the blocks, right of the control lane
const OverviewDesign kR1{
    PathBlock::R1,
    "R1",
    "R path (1st. cycle)",
    "R path",
    "(1st. cycle)",
    kDesignWidth,
    5500,
    {
        {"Label3", kR1Left, 720, 2520 - kR1Left, 0, {{"XOR", "ORtree"}, {"Adder(7)"}}},
        {"Label2", 2685, 720, 2400, 0, {{"XOR", "ORtree"}, {"Adder(5)"}}},
        {"Label5", kR1Left, 2220, 2020 - kR1Left, 0, {{"1's complement"}}},
        {"Label6", 2175, 2220, 1625, 0, {{"SftL(1)", "SftR(1)"}}},
        {"Label7", kR1Left, 3145, 1670 - kR1Left, 0, {{"MUX"}}},
        {"Label7b", 1827, 3145, 1550, 0, {{"MUX"}}},
        {"Label11", 3600, 3145, 1485, 0, {{"MUX"}}},
        {"Label8", kR1Left, 3970, 1670 - kR1Left, 0, {{"Shift(63)"}}},
        {"Label9", kR1Left, 4795, 3377 - kR1Left, 0, {{"MUX"}}},
        {"Label10", 3600, 3970, 1485, 0, {{"ShiftL(1)"}}},
        {"Label4", 3600, 4795, 1485, 0, {{"AND", "OR"}}},
    },
    {{"Label3", "Label2"},
     {"Label5", "Label6"},
     {"Label6", "Label7"},
     {"Label6", "Label7b"},
     {"Label7", "Label8"},
     {"Label8", "Label9"},
     {"Label7b", "Label9"},
     {"Label11", "Label10"},
     {"Label2", "Label4"}},
    "Label3",
    {
        // The operands into the complement.
        {{{0, 2080}, {700, 2080}, {700, 2220}}, false, "FA, FB", 780, 2030},
        // From the medium exponent difference: the shift amount and the
        // select of the first swap.
        {{{520, 1620}, {520, 1760}, {120, 1760}, {120, 4232}, {kR1Left, 4232}},
         true,
         "MAG_MED",
         560,
         1650},
        {{{1500, 1620}, {1500, 1900}, {260, 1900}, {260, 3407}, {kR1Left, 3407}},
         true,
         "SIGN_MED",
         1540,
         1650},
        // From the large exponent difference: the select of the other two
        // swaps, and the big mux's.
        {{{4750, 1620}, {4750, 3145}}, true, "SIGN_BIG", 3930, 1650},
        {{{4750, 2900}, {3440, 2900}, {3440, 3407}, {3377, 3407}}, true, nullptr, 0, 0, true},
        {{{3880, 1620}, {3880, 2980}, {3530, 2980}, {3530, 5057}, {3377, 5057}},
         true,
         "IS_BIG",
         3340,
         1650},
    },
};

// The R path of the second cycle: half adder, compound adder, injection
// addition of the low bits, rounding decision, post-normalisation, selection.
const OverviewDesign kR2{
    PathBlock::R2,
    "R2",
    "R path (2nd. cycle)",
    "R path",
    "(2nd. cycle)",
    kDesignWidth,
    4700,
    {
        {"Label3",
         120,
         720,
         3000,
         0,
         {{"FSOPA[-1:116]", "FLP[-1:52]"}, {"HA(54)"}, {"XSUM[-1:52]", "XCARRY[-1:51]"}}},
        {"Label5", 3285, 720, 1800, 0, {{"ORtree(63)"}, {"compute C[52],R,S"}, {"XOR", "MUX"}}},
        {"Label2", 120, 2295, 3000, 0, {{"Compound Adder(53)"}}},
        {"Label6", 3285, 2295, 1800, 0, {{"MUX", "MUX"}, {"Rounding  Deceision"}}},
        {"Label4", 120, 3120, 3000, 0, {{"ShiftR", "ShiftR"}}},
        {"Label9", 120, 3945, 3000, 0, {{"MUX"}}},
        {"Label10", 3285, 3945, 1800, 0, {{"MUX"}}},
    },
    {{"Label3", "Label2"},
     {"Label5", "Label6"},
     {"Label3", "Label6"},
     {"Label2", "Label6"},
     {"Label2", "Label4"},
     {"Label4", "Label9"},
     {"Label6", "Label9"},
     {"Label6", "Label10"}},
    "Label3",
    {},
};

// The N path: operand preparation, subtraction and, beside it, the
// leading-zero approximation, then the normalisation shift.
const OverviewDesign kN1{
    PathBlock::N,
    "N1",
    "N path",
    "N path",
    nullptr,
    kDesignWidth,
    5000,
    {
        {"Label3", 120, 720, 4965, 0, {{"MUX", "2-bit ADD"}}},
        {"Label5", 120, 1545, 4965, 0, {{"INV(53)", "INV(53)"}, {"MUX", "MUX"}}},
        {"Label6",
         120,
         2745,
         2400,
         0,
         {{"XNOR", "OR"}, {"Paralel  prefix Adder(55)"}, {"XOR", "MUX"}}},
        {"Label4",
         2685,
         2745,
         2400,
         0,
         {{"XOR(55)", "PN-recode"}, {"PENC(54)", "PENC(55)"}, {"MUX"}}},
        {"Label9", 120, 4320, 4965, 0, {{"Left Shifter(64)", "MUX"}}},
    },
    {{"Label3", "Label5"},
     {"Label5", "Label6"},
     {"Label5", "Label4"},
     {"Label6", "Label4"},
     {"Label6", "Label9"},
     {"Label4", "Label9"}},
    "Label3",
    {},
};

// The path decision with the final exponent, and the result.
const OverviewDesign kFinal{
    PathBlock::Result,
    "FINAL",
    "FINAL",
    "FINAL",
    nullptr,
    kDesignWidth,
    3000,
    {
        {"Label3", 620, 720, 3965, 900, {{"Exponent Computation"}}},
        {"Label2", 620, 1920, 3965, 900, {{"Result"}}},
    },
    {{"Label3", "Label2"}},
    "Label3",
    {},
};

struct DesignRect {
  int left;
  int top;
  int width;
  int height;
  int right() const { return left + width; }
  int bottom() const { return top + height; }
  int centreX() const { return left + width / 2; }
  int centreY() const { return top + height / 2; }
};

DesignRect BlockRect(const OverviewBlockDesign& block) {
  const int height = std::max(block.height, RowsHeight(block.units.size()));
  return {block.left, block.top, block.width, height};
}

// The path of a flow from block a to block b: straight down where the two
// share enough width, across where they sit side by side, otherwise down,
// across just above b, and down into b.
QPolygonF DirectRoute(const DesignRect& a, const DesignRect& b) {
  QPolygonF path;
  if (b.top >= a.bottom()) {
    const int left = std::max(a.left, b.left);
    const int right = std::min(a.right(), b.right());
    if (right - left >= 300) {
      const double x = (left + right) / 2.0;
      path << QPointF(x, a.bottom()) << QPointF(x, b.top);
    } else {
      const bool rightwards = b.centreX() > a.centreX();
      const double x1 = rightwards ? a.left + a.width * 3 / 4.0 : a.left + a.width / 4.0;
      const double x2 = rightwards ? b.left + b.width / 4.0 : b.left + b.width * 3 / 4.0;
      const double y = b.top - kElbowAbove;
      path << QPointF(x1, a.bottom()) << QPointF(x1, y) << QPointF(x2, y) << QPointF(x2, b.top);
    }
  } else {
    const int top = std::max(a.top, b.top);
    const int bottom = std::min(a.bottom(), b.bottom());
    const double y = (top + bottom) / 2.0;
    if (b.left >= a.right()) {
      path << QPointF(a.right(), y) << QPointF(b.left, y);
    } else {
      path << QPointF(a.left, y) << QPointF(b.right(), y);
    }
  }
  return path;
}

bool SegmentCrosses(QPointF p, QPointF q, const DesignRect& r) {
  const double left = std::min(p.x(), q.x());
  const double right = std::max(p.x(), q.x());
  const double top = std::min(p.y(), q.y());
  const double bottom = std::max(p.y(), q.y());
  return left < r.right() && right > r.left && top < r.bottom() && bottom > r.top;
}

// A flow that would run through a third block goes round it instead: out of
// a's right side into the margin of the diagram, down, and into b's right
// side.
QPolygonF Route(const DesignRect& a, const DesignRect& b, const std::vector<DesignRect>& others,
                int designWidth) {
  const QPolygonF direct = DirectRoute(a, b);
  bool crosses = false;
  for (int i = 1; i < direct.size() && !crosses; ++i) {
    for (const DesignRect& other : others) {
      if (SegmentCrosses(direct[i - 1], direct[i], other)) crosses = true;
    }
  }
  if (!crosses) return direct;
  const double channel = (std::max(a.right(), b.right()) + designWidth) / 2.0;
  const double y1 = a.centreY();
  const double y2 = b.centreY();
  return QPolygonF() << QPointF(a.right(), y1) << QPointF(channel, y1) << QPointF(channel, y2)
                     << QPointF(b.right(), y2);
}

// The stage whose block carries `label` in the overview of `path`.
const StageDescriptor& StageOfBlock(PathBlock path, std::string_view label) {
  for (const StageDescriptor& stage : kStageDescriptors) {
    if (stage.overview == path && stage.block == label) return stage;
  }
  throw std::logic_error("no stage stands for overview block " + std::string(label));
}

}  // namespace

const OverviewDesign& OverviewDesignFor(PathBlock path) {
  switch (path) {
    case PathBlock::R1:
      return kR1;
    case PathBlock::R2:
      return kR2;
    case PathBlock::N:
      return kN1;
    case PathBlock::Result:
      return kFinal;
  }
  return kR1;
}

QRect OverviewBlockRect(const OverviewBlockDesign& block) {
  const DesignRect r = BlockRect(block);
  return QRect(r.left, r.top, r.width, r.height);
}

// --- OverviewBlock -----------------------------------------------------------

OverviewBlock::OverviewBlock(PathBlock path, const OverviewBlockDesign& design, QWidget* parent)
    : QLabel(parent), design_(design), stage_(StageOfBlock(path, design.label)) {
  setObjectName(design.label);
  setCursor(Qt::PointingHandCursor);
  setToolTip(TipFor(stage_));
  const DesignRect block = BlockRect(design);
  const QFontMetrics metrics(style::UnitFont());
  const int rows = static_cast<int>(design.units.size());
  // Units are centred in their row; the rows are centred in the block.
  int top = (block.height - (RowsHeight(design.units.size()) - 2 * kBlockPadding)) / 2;
  int index = 1;
  for (int r = 0; r < rows; ++r) {
    const auto& row = design.units[static_cast<std::size_t>(r)];
    const int n = static_cast<int>(row.size());
    const int room = (block.width - 2 * kBlockPadding - (n - 1) * kUnitGap) / std::max(n, 1);
    std::vector<int> widths;
    int total = (n - 1) * kUnitGap;
    for (const char* text : row) {
      const int textWidth = ToTwips(metrics.horizontalAdvance(QString::fromUtf8(text)));
      widths.push_back(std::min(room, std::max(kUnitMinWidth, textWidth + 300)));
      total += widths.back();
    }
    int left = (block.width - total) / 2;
    for (int u = 0; u < n; ++u) {
      auto* unit = new QLabel(QString::fromUtf8(row[static_cast<std::size_t>(u)]), this);
      unit->setObjectName(QStringLiteral("%1(%2)").arg(design.label).arg(index++));
      unit->setAlignment(Qt::AlignCenter);
      unit->setAutoFillBackground(true);
      unit->setFrameStyle(QFrame::Box | QFrame::Plain);
      style::SetFixedColour(unit, QPalette::Window, style::Fixed::Unit);
      style::SetFixedColour(unit, QPalette::WindowText, style::Fixed::Ink);
      units_.push_back(unit);
      unitDesign_.push_back(QRect(left, top, widths[static_cast<std::size_t>(u)], kUnitHeight));
      left += widths[static_cast<std::size_t>(u)] + kUnitGap;
    }
    top += kUnitHeight + kUnitGap;
  }
  SetHighlighted(false);
}

QString OverviewBlock::TipFor(const StageDescriptor& stage) {
  const auto text = [](std::string_view s) {
    return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
  };
  QString tip =
      QStringLiteral("Step %1, %2: %3").arg(stage.slot).arg(text(stage.name), text(stage.title));
  if (const rtl::BlockCost* cost = rtl::FindBlockCost(stage.name)) {
    tip += QStringLiteral("\nIn hardware: %1 gates, logic depth %2 (gates on the longest path).")
               .arg(cost->cells)
               .arg(cost->depth);
  }
  return tip;
}

void OverviewBlock::SetHighlighted(bool highlighted) {
  highlighted_ = highlighted;
  setAutoFillBackground(highlighted);
  if (highlighted) style::SetFixedColour(this, QPalette::Window, style::Fixed::Highlight);
  update();
}

void OverviewBlock::Arrange(double scale, QPointF origin) {
  const DesignRect block = BlockRect(design_);
  auto px = [scale](double twips) { return static_cast<int>(std::lround(twips * scale)); };
  const QPoint topLeft(px(block.left) + static_cast<int>(origin.x()),
                       px(block.top) + static_cast<int>(origin.y()));
  setGeometry(QRect(topLeft, QPoint(px(block.right()) + static_cast<int>(origin.x()) - 1,
                                    px(block.bottom()) + static_cast<int>(origin.y()) - 1)));
  const QFont font = style::UnitFont(scale * 1440.0 / LogicalDpi());
  for (std::size_t i = 0; i < units_.size(); ++i) {
    const QRect& d = unitDesign_[i];
    QLabel* unit = units_[i];
    unit->setGeometry(QRect(QPoint(px(d.left()), px(d.top())),
                            QPoint(px(d.left() + d.width()) - 1, px(d.top() + d.height()) - 1)));
    // A text wider than its box gets a smaller font rather than being cut.
    QFont fitted = font;
    while (fitted.pointSizeF() > 5.0 &&
           QFontMetrics(fitted).horizontalAdvance(unit->text()) > unit->width() - 4) {
      fitted.setPointSizeF(fitted.pointSizeF() - 0.25);
    }
    unit->setFont(fitted);
  }
}

void OverviewBlock::paintEvent(QPaintEvent* event) {
  QLabel::paintEvent(event);
  // A thin outline keeps the block's units together when it is not lit.
  QPainter painter(this);
  painter.setPen(QPen(highlighted_ ? style::HighlightFrameColor() : style::BlockFrameColor(), 1));
  painter.drawRect(rect().adjusted(0, 0, -1, -1));
  if (changed_) {
    // A dot in the top right corner, in the colour of a changed cell's frame.
    // As large as half a line of the units' text, at any zoom.
    const int d =
        std::max(5, (units_.empty() ? fontMetrics() : units_.front()->fontMetrics()).height() / 2);
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setPen(QPen(style::ChangedFrameColor().darker(130), 1));
    painter.setBrush(style::ChangedFrameColor());
    painter.drawEllipse(QRect(width() - d - 3, 3, d, d));
  }
}

void OverviewBlock::SetChanged(bool changed) {
  if (changed_ == changed) return;
  changed_ = changed;
  update();
}

void OverviewBlock::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) {
    event->accept();
  } else {
    QLabel::mousePressEvent(event);
  }
}

void OverviewBlock::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) {
    event->accept();
    emit clicked();
  } else {
    QLabel::mouseReleaseEvent(event);
  }
}

// --- OverviewWindow ----------------------------------------------------------

// The diagram's surface inside the window's scroll area: it paints the flows
// and hands a click on its background to the window.
class OverviewCanvas final : public QWidget {
 public:
  explicit OverviewCanvas(OverviewWindow* owner) : QWidget(nullptr), owner_(owner) {
    setObjectName("Canvas");
    setAutoFillBackground(true);
  }

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter painter(this);
    owner_->PaintFlows(painter);
  }
  void mouseReleaseEvent(QMouseEvent* event) override {
    // A click on the background brings the selected stage forward again.
    if (event->button() == Qt::LeftButton) {
      owner_->LabelSWITCH();
    } else {
      QWidget::mouseReleaseEvent(event);
    }
  }

 private:
  OverviewWindow* owner_;
};

OverviewWindow::OverviewWindow(const OverviewDesign& design,
                               std::function<ChildWindow*(int slot)> stageWindow, QWidget* parent)
    : ChildWindow(parent), design_(design), stageWindow_(std::move(stageWindow)) {
  setObjectName(design.name);
  setWindowTitle(design.windowTitle);
  setAutoFillBackground(true);

  scroll_ = new QScrollArea(this);
  scroll_->setObjectName("Scroll");
  scroll_->setFrameShape(QFrame::NoFrame);
  scroll_->setWidgetResizable(false);
  scroll_->setFocusPolicy(Qt::NoFocus);
  canvas_ = new OverviewCanvas(this);
  QWidget* const on = canvas_;

  title_ = new QLabel(design.title, on);
  title_->setObjectName("Label1");
  title_->setAlignment(Qt::AlignCenter);
  if (design.subtitle != nullptr) {
    subtitle_ = new QLabel(design.subtitle, on);
    subtitle_->setObjectName("Label12");
    subtitle_->setAlignment(Qt::AlignCenter);
  }
  for (const OverviewBlockDesign& blockDesign : design.blocks) {
    auto* block = new OverviewBlock(design.path, blockDesign, on);
    connect(block, &OverviewBlock::clicked, this, [this, block] { BlockClicked(block); });
    blocks_.push_back(block);
  }
  for (const auto& [from, to] : design.flows) {
    const OverviewBlock* a = Block(from);
    const OverviewBlock* b = Block(to);
    if (a != nullptr && b != nullptr) {
      std::vector<DesignRect> others;
      for (const OverviewBlock* block : blocks_) {
        if (block != a && block != b) others.push_back(BlockRect(block->design()));
      }
      flowDesign_.push_back(
          Route(BlockRect(a->design()), BlockRect(b->design()), others, design.width));
    }
  }
  // The first stage of the path is selected when the window loads.
  Select(Block(design.initial));
  for (OverviewBlock* block : blocks_)
    block->SetHighlighted(block == selected_);
  scroll_->setWidget(canvas_);
  resize(Tw(kDesignWidth), Tw(design.height));
  Arrange();
}

void OverviewWindow::SetZoom(Zoom zoom) {
  zoom_ = zoom;
  Arrange();
}

int OverviewWindow::shownPercent() const {
  return PercentOf(scale_ * 1440.0 / LogicalDpi());
}

OverviewBlock* OverviewWindow::Block(std::string_view label) const {
  for (OverviewBlock* block : blocks_) {
    if (block->design().label == label) return block;
  }
  return nullptr;
}

QString OverviewWindow::SelectedBlock() const {
  return selected_ != nullptr ? QString::fromUtf8(selected_->design().label) : QString();
}

int OverviewWindow::selectedSlot() const {
  return selected_ != nullptr ? selected_->slot() : 0;
}

ChildWindow* OverviewWindow::SelectedWindow() const {
  return selected_ != nullptr && stageWindow_ ? stageWindow_(selected_->slot()) : nullptr;
}

void OverviewWindow::Select(OverviewBlock* block) {
  if (block != nullptr) selected_ = block;
}

void OverviewWindow::LabelSWITCH() {
  for (OverviewBlock* block : blocks_) {
    const bool lit = block == selected_;
    if (block->highlighted() != lit) block->SetHighlighted(lit);
  }
  if (ChildWindow* window = SelectedWindow()) window->ShowAndFocus();
}

bool OverviewWindow::Highlight(std::string_view label) {
  OverviewBlock* block = Block(label);
  if (block == nullptr) return false;
  Select(block);
  // Showing and focusing this window runs LabelSWITCH through its activation.
  ShowAndFocus();
  return true;
}

void OverviewWindow::Switch2Results() {
  Highlight("Label2");
}

void OverviewWindow::MarkChangedStages(const std::function<bool(int slot)>& changed) {
  for (OverviewBlock* block : blocks_)
    block->SetChanged(changed(block->slot()));
}

void OverviewWindow::BlockClicked(OverviewBlock* block) {
  Select(block);
  LabelSWITCH();
}

void OverviewWindow::Activated() {
  LabelSWITCH();
}

void OverviewWindow::mouseReleaseEvent(QMouseEvent* event) {  // outside the diagram
  // A click on the background brings the selected stage forward again.
  if (event->button() == Qt::LeftButton) {
    LabelSWITCH();
  } else {
    ChildWindow::mouseReleaseEvent(event);
  }
}

void OverviewWindow::resizeEvent(QResizeEvent* event) {
  ChildWindow::resizeEvent(event);
  scroll_->setGeometry(rect());
  Arrange();
}

void OverviewWindow::Arrange() {
  const double twipPixels = LogicalDpi() / 1440.0;
  double scale = zoom_.percent / 100.0;
  QSize room = size();
  if (zoom_.fit) {
    // The whole diagram in sight.
    const double fit = std::min(room.width() / (design_.width * twipPixels),
                                room.height() / (design_.height * twipPixels));
    scale = std::clamp(fit, 0.3, kMaxScale);
  } else if (design_.height * twipPixels * scale > room.height()) {
    room.rwidth() -= scroll_->verticalScrollBar()->sizeHint().width();
  }
  scale_ = twipPixels * scale;
  const QSize drawing(static_cast<int>(std::ceil(design_.width * scale_)),
                      static_cast<int>(std::ceil(design_.height * scale_)));
  canvas_->resize(zoom_.fit ? size() : drawing.expandedTo(room));
  // Centred across, from the top down.
  origin_ = QPointF(std::max(0.0, (canvas_->width() - design_.width * scale_) / 2), 0.0);
  for (OverviewBlock* block : blocks_)
    block->Arrange(scale_, origin_);

  auto place = [this](QLabel* label, int top, int height, double points, bool bold) {
    if (label == nullptr) return;
    label->setFont(style::Arial(std::max(4.0, points * scale_ * 1440.0 / LogicalDpi()), bold));
    label->setGeometry(
        QRectF(origin_.x(), origin_.y() + top * scale_, design_.width * scale_, height * scale_)
            .toRect());
  };
  place(title_, 60, 330, 12, true);
  place(subtitle_, 390, 255, 9, false);

  flowPixels_.clear();
  for (const QPolygonF& flow : flowDesign_) {
    QPolygonF pixels;
    for (const QPointF& point : flow)
      pixels << origin_ + point * scale_;
    flowPixels_.push_back(pixels);
  }
  wirePixels_.clear();
  for (const OverviewWire& wire : design_.wires) {
    QPolygonF pixels;
    for (const auto& [x, y] : wire.points)
      pixels << origin_ + QPointF(x, y) * scale_;
    wirePixels_.push_back(pixels);
  }
  canvas_->update();
}

void OverviewWindow::PaintFlows(QPainter& painter) {
  painter.setRenderHint(QPainter::Antialiasing, true);
  const double width = std::max(1.0, scale_ * 1440.0 / LogicalDpi());
  const auto draw = [&](const QPolygonF& flow, const QColor& colour, Qt::PenStyle line) {
    if (flow.size() < 2) return;
    painter.setPen(QPen(colour, width, line));
    painter.setBrush(Qt::NoBrush);
    painter.drawPolyline(flow);
    // The arrow head sits where the flow enters its consumer.
    const QPointF tip = flow.back();
    const QPointF from = flow[flow.size() - 2];
    if (tip == from) return;
    const QPolygonF head = ArrowHead(from, tip, kArrowLength * scale_, kArrowHalfWidth * scale_);
    painter.setPen(QPen(colour, width));
    painter.setBrush(colour);
    painter.drawPolygon(head);
  };
  for (const QPolygonF& flow : flowPixels_)
    draw(flow, style::FlowColor(), Qt::SolidLine);

  painter.setFont(style::Arial(std::max(4.0, 7 * scale_ * 1440.0 / LogicalDpi()), false));
  for (std::size_t i = 0; i < wirePixels_.size() && i < design_.wires.size(); ++i) {
    const OverviewWire& wire = design_.wires[i];
    const QColor colour = wire.control ? style::ControlFlowColor() : style::FlowColor();
    draw(wirePixels_[i], colour, wire.control ? Qt::DashLine : Qt::SolidLine);
    if (wire.branch && !wirePixels_[i].isEmpty()) {
      painter.setPen(Qt::NoPen);
      painter.setBrush(colour);
      painter.drawEllipse(wirePixels_[i].front(), 2.5 * width, 2.5 * width);
    }
    if (wire.label != nullptr) {
      painter.setPen(colour);
      painter.drawText(origin_ + QPointF(wire.labelLeft, wire.labelTop) * scale_ +
                           QPointF(0, painter.fontMetrics().ascent()),
                       QString::fromUtf8(wire.label));
    }
  }
}

}  // namespace sumaris
