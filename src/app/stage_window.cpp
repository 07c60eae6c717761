#include "app/stage_window.h"

#include <QLabel>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QPolygon>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <algorithm>
#include <cmath>
#include <map>

#include "app/editor_window.h"
#include "app/fatal_error_window.h"
#include "app/layouts/measures.h"
#include "app/layouts/row_layout.h"
#include "app/style.h"
#include "app/twips.h"
#include "app/wire_row_widget.h"
#include "core/stage.h"
#include "core/wire.h"
#include "session/session.h"
#include "session/wire_editor.h"

namespace sumaris {
namespace {

// The Inconsistent label's distance from the top right of the visible part.
constexpr int kWarningRight = twips::kMargin;
constexpr int kWarningTop = 60;

QString Q(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QRect Twr(int left, int top, int width, int height) {
  // Edges converted from absolute twips, so neighbouring elements line up.
  return QRect(QPoint(Tw(left), Tw(top)), QPoint(Tw(left + width) - 1, Tw(top + height) - 1));
}

QFont StyleFont(layout::TextStyle textStyle) {
  switch (textStyle) {
    case layout::TextStyle::Title:
      return style::TitleFont();
    case layout::TextStyle::Block:
      return style::UnitFont();
    case layout::TextStyle::Note:
      return style::NoteFont();
    case layout::TextStyle::Heading:
      return style::HeadingFont();
  }
  return style::TitleFont();
}

int StyleAlignment(layout::TextStyle style) {
  switch (style) {
    case layout::TextStyle::Block:
      return Qt::AlignCenter | Qt::TextWordWrap;
    case layout::TextStyle::Note:
      return Qt::AlignHCenter | Qt::AlignTop;
    default:
      return Qt::AlignLeft | Qt::AlignTop;
  }
}

// What the drawing of one stage needs at paint time, converted to pixels
// once when the window is built.
struct PaintedText {
  QRect rect;
  QString text;
  QFont font;
  int alignment;
};

struct PaintedCell {
  const Wire* wire;
  int cell;
  QRect rect;
};

// A text computed by the stage outside its wires (the result's decimal
// value, its exponent, the chosen path), read on every paint.
class ReadoutLabel final : public QWidget {
 public:
  ReadoutLabel(const Stage& stage, std::string source, QWidget* parent)
      : QWidget(parent), stage_(stage), source_(std::move(source)) {
    setObjectName(Q(source_));
    setCursor(Qt::PointingHandCursor);
  }

  std::function<void()> doubleClicked;

  QString text() const { return Q(stage_.Readout(source_)); }

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter painter(this);
    painter.setFont(style::EmphasisFont());
    painter.setPen(style::ReadoutColor());
    painter.drawText(rect(), Qt::AlignLeft | Qt::AlignTop, text());
  }
  void mouseDoubleClickEvent(QMouseEvent* event) override {
    if (event->button() == Qt::LeftButton && doubleClicked) doubleClicked();
  }

 private:
  const Stage& stage_;
  std::string source_;
};

// The drawing surface: static schematic (texts, unit boxes, lines, row
// titles) and the single cells, painted here; the wire rows, read-outs and
// buttons are child widgets on top.
class StageCanvas final : public QWidget {
 public:
  StageCanvas(const Stage& stage, const layout::StageLayout& layout, QWidget* parent)
      : QWidget(parent) {
    setObjectName("Canvas");
    setAutoFillBackground(true);
    for (const layout::Text& text : layout.texts) {
      texts_.push_back({Twr(text.left, text.top, text.width, text.height), Q(text.text),
                        StyleFont(text.style), StyleAlignment(text.style)});
    }
    const QFont titleFont = style::TitleFont();
    for (const layout::Row& row : layout.rows) {
      const Wire* wire = stage.FindWire(row.wire);
      const std::string title = !row.title.empty() ? row.title : (wire ? wire->title() : row.wire);
      const int left = row.titleLeft.value_or(row.left);
      const int top = row.titleTop.value_or(row.top - twips::kTitleAbove);
      const QFontMetrics metrics(titleFont);
      const int width =
          std::max(style::kRowTitleMinWidth,
                   ToTwips(metrics.horizontalAdvance(Q(title))) + style::kRowTitleRoom);
      texts_.push_back({Twr(left, top, width, twips::kTextHeight), Q(title), titleFont,
                        Qt::AlignLeft | Qt::AlignTop});
    }
    for (const layout::FixedCell& cell : layout.cells) {
      const Wire* wire = stage.FindWire(cell.wire);
      if (wire == nullptr || cell.cell < 0 || cell.cell >= wire->size()) continue;
      cells_.push_back({wire, cell.cell, Twr(cell.left, cell.top, cell.width, twips::kCellHeight)});
    }
    for (const layout::Box& box : layout.boxes) {
      const QRect rect = Twr(box.left, box.top, box.width, box.height);
      if (box.trapezoid) {
        // A multiplexer: the wide side on top, the narrow side down.
        const int inset = std::min(rect.width() / 5, rect.height() / 2);
        QPolygon shape;
        shape << rect.topLeft() << rect.topRight() << QPoint(rect.right() - inset, rect.bottom())
              << QPoint(rect.left() + inset, rect.bottom());
        shapes_.push_back(shape);
      } else {
        rects_.push_back(rect);
      }
    }
    for (const layout::Line& line : layout.lines) {
      lines_.push_back(QLine(Tw(line.x1), Tw(line.y1), Tw(line.x2), Tw(line.y2)));
      if (line.arrow) arrows_.push_back(ArrowHead(line));
    }
  }

 protected:
  void paintEvent(QPaintEvent* event) override {
    QPainter painter(this);
    const QRect dirty = event->rect();

    const QPalette& colours = palette();
    painter.setPen(style::OutlinePen(colours));
    painter.setBrush(style::UnitColor());
    for (const QRect& rect : rects_) {
      if (rect.intersects(dirty)) painter.drawRect(rect.adjusted(0, 0, -1, -1));
    }
    painter.setRenderHint(QPainter::Antialiasing, true);
    for (const QPolygon& shape : shapes_) {
      if (shape.boundingRect().intersects(dirty)) painter.drawPolygon(shape);
    }
    painter.setPen(style::LinePen(colours));
    for (const QLine& line : lines_)
      painter.drawLine(line);
    painter.setPen(Qt::NoPen);
    painter.setBrush(colours.color(QPalette::WindowText));
    for (const QPolygonF& head : arrows_)
      painter.drawPolygon(head);
    painter.setRenderHint(QPainter::Antialiasing, false);

    painter.setPen(colours.color(QPalette::WindowText));
    for (const PaintedText& text : texts_) {
      if (!text.rect.intersects(dirty)) continue;
      painter.setFont(text.font);
      painter.drawText(text.rect, text.alignment | Qt::TextDontClip, text.text);
    }

    style::CellPainter cells(painter, colours, style::DigitPlacement::Centred);
    for (const PaintedCell& cell : cells_) {
      if (cell.rect.intersects(dirty)) cells.Paint(cell.rect, (*cell.wire)[cell.cell].text());
    }
  }

 private:
  static QPolygonF ArrowHead(const layout::Line& line) {
    const double scale = LogicalDpi() / 1440.0;
    return sumaris::ArrowHead(QPointF(line.x1, line.y1) * scale, QPointF(line.x2, line.y2) * scale,
                              style::kArrowLength * scale, style::kArrowHalfWidth * scale);
  }

  std::vector<PaintedText> texts_;
  std::vector<PaintedCell> cells_;
  std::vector<QRect> rects_;
  std::vector<QPolygon> shapes_;
  std::vector<QLine> lines_;
  std::vector<QPolygonF> arrows_;
};

// The extent of everything a layout draws, in twips.
QRect LayoutExtent(const Stage& stage, const layout::StageLayout& layout) {
  QRect extent(0, 0, layout.width, layout.height);
  auto add = [&extent](int left, int top, int width, int height) {
    extent |= QRect(left, top, std::max(width, 1), std::max(height, 1));
  };
  for (const layout::Row& row : layout.rows) {
    const Wire* wire = stage.FindWire(row.wire);
    const int width =
        wire ? LayoutWire(wire->first(), wire->last(), row.groupGap).width() : twips::kCellWidth;
    // The cells with room for the index labels above and past the last one.
    add(row.left - twips::kIndexLeft, row.top - twips::kIndexAbove, width + twips::kIndexSize,
        twips::kIndexAbove + twips::kCellHeight);
    add(row.titleLeft.value_or(row.left), row.titleTop.value_or(row.top - twips::kTitleAbove),
        style::kRowTitleMinWidth, twips::kTextHeight);
  }
  for (const auto& cell : layout.cells)
    add(cell.left, cell.top, cell.width, twips::kCellHeight);
  for (const auto& text : layout.texts)
    add(text.left, text.top, text.width, text.height);
  for (const auto& box : layout.boxes)
    add(box.left, box.top, box.width, box.height);
  for (const auto& line : layout.lines) {
    add(std::min(line.x1, line.x2), std::min(line.y1, line.y2), std::abs(line.x2 - line.x1),
        std::abs(line.y2 - line.y1));
  }
  for (const auto& readout : layout.readouts) {
    add(readout.left, readout.top, readout.width, readout.height);
  }
  for (const auto& button : layout.buttons) {
    add(button.left, button.top, button.width, button.height);
  }
  return extent;
}

}  // namespace

// --- EditorLauncher ----------------------------------------------------------

EditorLauncher::EditorLauncher(WireEditor& editor, Session& session)
    : editor_(editor), session_(session) {}

EditorLauncher::~EditorLauncher() {
  // A window that never joined a main window is ours to delete; one inside
  // the main window goes with it.
  if (window_ != nullptr && window_->parentWidget() == nullptr) delete window_;
}

EditorWindow* EditorLauncher::window() const {
  return window_.data();
}

void EditorLauncher::Open(Wire* source, int start, int end, const std::string& formName,
                          const std::string& title, bool viewOnly, int firstCell,
                          const StageWindow* opener) {
  if (window_ == nullptr) {
    window_ = new EditorWindow(editor_, session_);
    ChildWindow::AddToHost(window_);
  }
  EditorWindow::RowsIn rows;
  if (opener != nullptr) {
    const QPointer<const StageWindow> window(opener);
    rows = [window](const QWidget* area) {
      return window != nullptr ? window->RowRects(area) : std::vector<QRect>{};
    };
  }
  window_->Open(source, start, end, formName, title, viewOnly, firstCell, rows);
}

// --- StageWindow -------------------------------------------------------------

QString StageWindow::TitleFor(const Stage& stage) {
  const StageDescriptor& d = stage.descriptor();
  QString title = QStringLiteral("Step %1: %2").arg(d.slot).arg(Q(d.name));
  if (!d.title.empty()) title += QStringLiteral(" - ") + Q(d.title);
  return title;
}

QSize StageWindow::DrawingSize(const Stage& stage, const layout::StageLayout& layout) {
  const QRect extent = LayoutExtent(stage, layout);
  return QSize(Tw(extent.right() + 1 + twips::kMargin), Tw(extent.bottom() + 1 + twips::kMargin));
}

StageWindow::StageWindow(Stage& stage, Session& session, const layout::StageLayout& layout,
                         EditorLauncher* editor, QWidget* parent)
    : ChildWindow(parent), stage_(stage), session_(session), layout_(layout), editor_(editor) {
  setObjectName(Q(stage.name()));
  setWindowTitle(TitleFor(stage));
  setFocusPolicy(Qt::StrongFocus);

  scroll_ = new QScrollArea(this);
  scroll_->setObjectName("Scroll");
  scroll_->setFrameShape(QFrame::NoFrame);
  scroll_->setWidgetResizable(false);

  auto* canvas = new StageCanvas(stage, layout, nullptr);
  canvas_ = canvas;
  canvas->setFixedSize(DrawingSize(stage, layout));

  for (const layout::Row& row : layout.rows) {
    const Wire* wire = stage.FindWire(row.wire);
    if (wire == nullptr) continue;
    auto* widget = new WireRowWidget(*wire, row.groupGap, row.greyCell, canvas);
    widget->PlaceAt(row.left, row.top);
    rows_.push_back(widget);
  }
  for (const layout::Readout& readout : layout.readouts) {
    auto* label = new ReadoutLabel(stage, readout.source, canvas);
    label->setGeometry(Twr(readout.left, readout.top, readout.width, readout.height));
    const QString source = Q(readout.source);
    label->doubleClicked = [this, source] { emit readoutDoubleClicked(source); };
  }
  BuildButtons(canvas);
  scroll_->setWidget(canvas);

  inconsistent_ = new QLabel(QString::fromLatin1(kInconsistentText), this);
  inconsistent_->setObjectName("Inconsistent");
  inconsistent_->setFont(style::EmphasisFont());
  inconsistent_->setStyleSheet(
      QStringLiteral("QLabel { color: %1; background: %2;"
                     " border: 1px solid %1; padding: 2px 6px; }")
          .arg(style::WarningColor().name(), style::WarningBackgroundColor().name()));
  inconsistent_->adjustSize();
  inconsistent_->hide();
}

StageWindow::~StageWindow() = default;

int StageWindow::slot() const {
  return stage_.slot();
}

void StageWindow::BuildButtons(QWidget* canvas) {
  const QFont font = style::TitleFont();
  for (const layout::Button& design : layout_.buttons) {
    auto* button = new QPushButton(Q(design.caption), canvas);
    button->setObjectName(Q(design.name));
    button->setFont(font);
    QRect place = Twr(design.left, design.top, design.width, design.height);
    // A caption wider than its button gets a smaller font, down to a size
    // that still reads; beyond that the button grows to the right.
    QFont fitted = font;
    auto captionWidth = [&] { return QFontMetrics(fitted).horizontalAdvance(button->text()) + 6; };
    while (fitted.pointSizeF() > 6.5 && captionWidth() > place.width()) {
      fitted.setPointSizeF(fitted.pointSizeF() - 0.25);
    }
    button->setFont(fitted);
    if (captionWidth() > place.width()) place.setWidth(captionWidth());
    button->setGeometry(place);
    button->setFocusPolicy(Qt::NoFocus);
    if (!design.tooltip.empty()) button->setToolTip(Q(design.tooltip));
    connect(button, &QPushButton::clicked, this,
            [this, &design] { RunGuarded([&] { ButtonClicked(design); }); });
    buttons_.push_back(button);
  }
}

void StageWindow::ButtonClicked(const layout::Button& button) {
  if (!button.opens || editor_ == nullptr) return;
  const layout::EditorRequest& request = *button.opens;
  Wire* wire = request.wire.empty() ? nullptr : stage_.FindWire(request.wire);
  const std::string formName =
      request.displayName ? *request.displayName : std::string(stage_.displayName());
  const std::string& title =
      !request.title.empty() ? request.title : (wire != nullptr ? wire->title() : request.wire);
  editor_->Open(wire, request.start, request.end, formName, title, request.viewOnly,
                request.firstCell, this);
}

std::vector<QRect> StageWindow::RowRects(const QWidget* in) const {
  std::vector<QRect> rects;
  if (!isVisible() || in == nullptr) return rects;
  const QWidget* viewport = scroll_->viewport();
  const QRect seen(viewport->mapToGlobal(QPoint(0, 0)), viewport->size());
  const auto add = [&](const QRect& onCanvas) {
    const QRect visible = QRect(canvas_->mapToGlobal(onCanvas.topLeft()), onCanvas.size()) & seen;
    if (!visible.isEmpty())
      rects.emplace_back(in->mapFromGlobal(visible.topLeft()), visible.size());
  };
  for (const WireRowWidget* row : rows_)
    add(row->geometry());
  for (const layout::FixedCell& cell : layout_.cells)
    add(Twr(cell.left, cell.top, cell.width, twips::kCellHeight));
  return rects;
}

WireRowWidget* StageWindow::Row(const QString& wireName) const {
  for (WireRowWidget* row : rows_) {
    if (row->objectName() == wireName) return row;
  }
  return nullptr;
}

QPushButton* StageWindow::Button(const QString& name) const {
  for (QPushButton* button : buttons_) {
    if (button->objectName() == name) return button;
  }
  return nullptr;
}

void StageWindow::Activated() {
  ShowInconsistent(session_.inconsistent());
  session_.Activate(slot());
}

void StageWindow::ShowInconsistent(bool inconsistent) {
  inconsistent_->setVisible(inconsistent);
  if (inconsistent) inconsistent_->raise();
}

void StageWindow::Deactivated() {
  emit deactivated();
}

void StageWindow::Refresh() {
  if (!isVisible()) return;
  canvas_->update();
  for (WireRowWidget* row : rows_)
    row->update();
}

void StageWindow::resizeEvent(QResizeEvent* event) {
  ChildWindow::resizeEvent(event);
  scroll_->setGeometry(rect());
  PlaceInconsistentLabel();
}

void StageWindow::PlaceInconsistentLabel() {
  // Top right of the visible part, clear of the vertical scroll bar.
  const int scrollBar =
      scroll_->verticalScrollBar()->isVisible() ? scroll_->verticalScrollBar()->width() : 0;
  inconsistent_->move(std::max(0, width() - scrollBar - inconsistent_->width() - Tw(kWarningRight)),
                      Tw(kWarningTop));
}

}  // namespace sumaris
