#include "app/stage_window.h"

#include <QAction>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QHelpEvent>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QPolygon>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QTimer>
#include <QToolTip>
#include <algorithm>
#include <cmath>
#include <functional>
#include <map>
#include <optional>

#include "adder/result/results.h"
#include "app/editor_window.h"
#include "app/fatal_error_window.h"
#include "app/layouts/measures.h"
#include "app/layouts/row_layout.h"
#include "app/style.h"
#include "app/twips.h"
#include "app/wire_row_widget.h"
#include "core/number_text.h"
#include "core/stage.h"
#include "core/wire.h"
#include "session/ieee_readouts.h"
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

QRect Twr(int left, int top, int width, int height, double zoom = 1.0) {
  // Edges converted from absolute twips, so neighbouring elements line up.
  return QRect(QPoint(Tw(left, zoom), Tw(top, zoom)),
               QPoint(Tw(left + width, zoom) - 1, Tw(top + height, zoom) - 1));
}
QRect Twr(const QRect& twips, double zoom) {
  return Twr(twips.left(), twips.top(), twips.width(), twips.height(), zoom);
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

// What the drawing of one stage needs at paint time: its place in twips,
// and in pixels at the zoom shown, worked out again when the zoom changes.
struct PaintedText {
  QRect twips;
  QString text;
  QFont font;  // as designed; painted zoomed
  int alignment;
  QString tip;
  QRect rect;
};

struct PaintedCell {
  const Wire* wire;
  int cell;
  QRect twips;
  QString tip;
  QRect rect;
};

struct PaintedBox {
  QRect twips;
  bool trapezoid;
  QString tip;
  QRect rect;
  QPolygon shape;  // a multiplexer's outline
};

// A text computed by the stage outside its wires (the result's decimal
// value, its exponent, the chosen path), read on every paint.
class ReadoutLabel final : public QWidget {
 public:
  ReadoutLabel(const Stage& stage, const Session& session, const layout::Readout& design,
               QWidget* parent)
      : QWidget(parent), stage_(stage), session_(session), source_(design.source), design_(design) {
    setObjectName(Q(source_));
    setCursor(Qt::PointingHandCursor);
    if (!design.tip.empty()) setToolTip(Q(design.tip));
  }

  std::function<void()> doubleClicked;

  QString text() const { return Q(Read().text); }
  const std::string& source() const { return source_; }

  void SetZoom(double zoom) {
    zoom_ = zoom;
    setGeometry(Twr(design_.left, design_.top, design_.width, design_.height, zoom));
    update();
  }

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter painter(this);
    const ReadoutText shown = Read();
    const QFont font = design_.wrapped ? style::TitleFont() : style::EmphasisFont();
    painter.setFont(style::Zoomed(font, zoom_));
    painter.setPen(shown.tone == ReadoutTone::Agrees    ? style::AgreesColor()
                   : shown.tone == ReadoutTone::Differs ? style::DiffersColor()
                                                        : style::ReadoutColor());
    const int flags =
        Qt::AlignLeft | Qt::AlignTop | (design_.wrapped ? Qt::TextWordWrap : Qt::TextDontClip);
    painter.drawText(rect(), flags, Q(shown.text));
  }
  void mouseDoubleClickEvent(QMouseEvent* event) override {
    if (event->button() == Qt::LeftButton && doubleClicked) doubleClicked();
  }

 private:
  ReadoutText Read() const {
    if (design_.ofSession) return IeeeReadout(session_, source_);
    return {stage_.Readout(source_)};
  }

  const Stage& stage_;
  const Session& session_;
  std::string source_;
  const layout::Readout& design_;
  double zoom_ = 1.0;
};

// The tooltip of a wire: from the layout, else none.
QString WireTip(const layout::StageLayout& layout, const std::string& wire) {
  const auto found = layout.wireTips.find(wire);
  return found != layout.wireTips.end() ? Q(found->second) : QString();
}

// The drawing surface: static schematic (texts, unit boxes, lines, row
// titles) and the single cells, painted here; the wire rows, read-outs and
// buttons are child widgets on top. Units, titles and cells answer with
// their tooltips.
class StageCanvas final : public QWidget {
 public:
  StageCanvas(const Stage& stage, const layout::StageLayout& layout, QWidget* parent)
      : QWidget(parent) {
    setObjectName("Canvas");
    setAutoFillBackground(true);
    // A text that shows a wire's title explains the wire.
    std::map<std::string, std::string> wireOfTitle;
    for (const Wire* wire : stage.wires()) {
      if (!wire->title().empty()) wireOfTitle.emplace(wire->title(), wire->name());
    }
    for (const layout::Text& text : layout.texts) {
      std::string wire = text.wire;
      if (wire.empty() && wireOfTitle.count(text.text) > 0) wire = wireOfTitle[text.text];
      texts_.push_back({QRect(text.left, text.top, text.width, text.height),
                        Q(text.text),
                        StyleFont(text.style),
                        StyleAlignment(text.style),
                        WireTip(layout, wire),
                        {}});
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
      texts_.push_back({QRect(left, top, width, twips::kTextHeight),
                        Q(title),
                        titleFont,
                        Qt::AlignLeft | Qt::AlignTop,
                        WireTip(layout, row.wire),
                        {}});
    }
    for (const layout::FixedCell& cell : layout.cells) {
      const Wire* wire = stage.FindWire(cell.wire);
      if (wire == nullptr || cell.cell < 0 || cell.cell >= wire->size()) continue;
      cells_.push_back({wire,
                        cell.cell,
                        QRect(cell.left, cell.top, cell.width, twips::kCellHeight),
                        WireTip(layout, cell.wire),
                        {}});
    }
    for (const layout::Box& box : layout.boxes) {
      boxes_.push_back(
          {QRect(box.left, box.top, box.width, box.height), box.trapezoid, Q(box.tip), {}, {}});
    }
    lines_ = layout.lines;
    SetZoom(1.0);
  }

  // Whether a single cell is drawn marked as changed; none: no cell is.
  std::function<bool(const Wire& wire, int position)> changedCell;

  // Works out every pixel place for the zoom.
  void SetZoom(double zoom) {
    zoom_ = zoom;
    for (PaintedText& text : texts_)
      text.rect = Twr(text.twips, zoom);
    for (PaintedCell& cell : cells_)
      cell.rect = Twr(cell.twips, zoom);
    for (PaintedBox& box : boxes_) {
      box.rect = Twr(box.twips, zoom);
      if (box.trapezoid) {
        // A multiplexer: the wide side on top, the narrow side down.
        const QRect& r = box.rect;
        const int inset = std::min(r.width() / 5, r.height() / 2);
        box.shape = QPolygon() << r.topLeft() << r.topRight()
                               << QPoint(r.right() - inset, r.bottom())
                               << QPoint(r.left() + inset, r.bottom());
      }
    }
    pixelLines_.clear();
    arrows_.clear();
    for (const layout::Line& line : lines_) {
      pixelLines_.push_back(
          QLine(Tw(line.x1, zoom), Tw(line.y1, zoom), Tw(line.x2, zoom), Tw(line.y2, zoom)));
      if (line.arrow) arrows_.push_back(ArrowHead(line, zoom));
    }
    update();
  }

  // The single cell at a point, if any.
  const PaintedCell* CellAt(const QPoint& point) const {
    for (const PaintedCell& cell : cells_) {
      if (cell.rect.contains(point)) return &cell;
    }
    return nullptr;
  }

  // What the drawing says about the point: a cell's or a title's wire, else
  // the unit it lies in.
  QString TipAt(const QPoint& point) const {
    if (const PaintedCell* cell = CellAt(point); cell != nullptr && !cell->tip.isEmpty())
      return cell->tip;
    for (const PaintedText& text : texts_) {
      if (!text.tip.isEmpty() && text.rect.contains(point)) return text.tip;
    }
    for (const PaintedBox& box : boxes_) {
      if (!box.tip.isEmpty() && box.rect.contains(point)) return box.tip;
    }
    return {};
  }

 protected:
  bool event(QEvent* event) override {
    if (event->type() == QEvent::ToolTip) {
      auto* help = static_cast<QHelpEvent*>(event);
      const QString tip = TipAt(help->pos());
      if (tip.isEmpty()) {
        QToolTip::hideText();
        event->ignore();
      } else {
        QToolTip::showText(help->globalPos(), tip, this);
      }
      return true;
    }
    return QWidget::event(event);
  }

  void paintEvent(QPaintEvent* event) override {
    QPainter painter(this);
    const QRect dirty = event->rect();

    const QPalette& colours = palette();
    QPen outline = style::OutlinePen(colours);
    outline.setWidthF(outline.widthF() * zoom_);
    painter.setPen(outline);
    painter.setBrush(style::UnitColor());
    for (const PaintedBox& box : boxes_) {
      if (!box.trapezoid && box.rect.intersects(dirty))
        painter.drawRect(box.rect.adjusted(0, 0, -1, -1));
    }
    painter.setRenderHint(QPainter::Antialiasing, true);
    for (const PaintedBox& box : boxes_) {
      if (box.trapezoid && box.shape.boundingRect().intersects(dirty))
        painter.drawPolygon(box.shape);
    }
    QPen line = style::LinePen(colours);
    line.setWidthF(line.widthF() * zoom_);
    painter.setPen(line);
    for (const QLine& l : pixelLines_)
      painter.drawLine(l);
    painter.setPen(Qt::NoPen);
    painter.setBrush(colours.color(QPalette::WindowText));
    for (const QPolygonF& head : arrows_)
      painter.drawPolygon(head);
    painter.setRenderHint(QPainter::Antialiasing, false);

    painter.setPen(colours.color(QPalette::WindowText));
    for (const PaintedText& text : texts_) {
      if (!text.rect.intersects(dirty)) continue;
      painter.setFont(style::Zoomed(text.font, zoom_));
      painter.drawText(text.rect, text.alignment | Qt::TextDontClip, text.text);
    }

    style::CellPainter cells(painter, colours, style::DigitPlacement::Centred, zoom_);
    for (const PaintedCell& cell : cells_) {
      if (!cell.rect.intersects(dirty)) continue;
      cells.Paint(cell.rect, (*cell.wire)[cell.cell].text(), style::CellState::Plain,
                  changedCell && changedCell(*cell.wire, cell.cell));
    }
  }

 private:
  static QPolygonF ArrowHead(const layout::Line& line, double zoom) {
    const double scale = LogicalDpi() * zoom / 1440.0;
    return sumaris::ArrowHead(QPointF(line.x1, line.y1) * scale, QPointF(line.x2, line.y2) * scale,
                              style::kArrowLength * scale, style::kArrowHalfWidth * scale);
  }

  double zoom_ = 1.0;
  std::vector<PaintedText> texts_;
  std::vector<PaintedCell> cells_;
  std::vector<PaintedBox> boxes_;
  std::vector<layout::Line> lines_;
  std::vector<QLine> pixelLines_;
  std::vector<QPolygonF> arrows_;
};

// Fit width leaves rows longer than this to scroll: the 118-bit aligned
// significand would not fit even at the smallest zoom (its Expand button
// shows it whole), and fitting it would shrink everything else past reading.
constexpr int kLongestFittedRow = 64;

// The extent of everything a layout draws, in twips; without the rows of
// more than `rowCells` cells when given.
QRect LayoutExtent(const Stage& stage, const layout::StageLayout& layout,
                   std::optional<int> rowCells = std::nullopt) {
  // A layout's own extent holds its longest rows and a margin past them.
  QRect extent(0, 0, rowCells ? 1 : layout.width, rowCells ? 1 : layout.height);
  auto add = [&extent](int left, int top, int width, int height) {
    extent |= QRect(left, top, std::max(width, 1), std::max(height, 1));
  };
  for (const layout::Row& row : layout.rows) {
    const Wire* wire = stage.FindWire(row.wire);
    if (rowCells && wire != nullptr && wire->size() > *rowCells) continue;
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
  for (const auto& text : layout.texts) {
    // A title or note may run past its box (it is drawn unclipped).
    int left = text.left;
    int width = text.width;
    if (text.style != layout::TextStyle::Block) {
      const int measured =
          ToTwips(QFontMetrics(StyleFont(text.style)).horizontalAdvance(Q(text.text)));
      if (measured > width) {
        if (text.style == layout::TextStyle::Note) left -= (measured - width) / 2;
        width = measured;
      }
    }
    add(left, text.top, width, text.height);
  }
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
  if (rowCells) extent.setRight(extent.right() + twips::kMargin);
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
  // The keys step through the stages; the scroll bars take the mouse.
  scroll_->setFocusPolicy(Qt::NoFocus);

  auto* canvas = new StageCanvas(stage, layout, nullptr);
  canvas_ = canvas;
  canvas->changedCell = [this](const Wire& wire, int position) {
    return markChanges_ && session_.CellChanged(wire, position);
  };
  extent_ = LayoutExtent(stage, layout);
  fitExtent_ = LayoutExtent(stage, layout, kLongestFittedRow);

  for (const layout::Row& row : layout.rows) {
    const Wire* wire = stage.FindWire(row.wire);
    if (wire == nullptr) continue;
    auto* widget = new WireRowWidget(*wire, row.groupGap, row.greyCell, canvas);
    widget->PlaceAt(row.left, row.top);
    widget->setToolTip(WireTip(layout, row.wire));
    widget->changedCell = [this, wire](int position) {
      return markChanges_ && session_.CellChanged(*wire, position);
    };
    rows_.push_back(widget);
  }
  for (const layout::Readout& readout : layout.readouts) {
    auto* label = new ReadoutLabel(stage, session, readout, canvas);
    const QString source = Q(readout.source);
    label->doubleClicked = [this, source] { emit readoutDoubleClicked(source); };
    readouts_.push_back(label);
  }
  BuildButtons(canvas);
  RefreshButtons();
  scroll_->setWidget(canvas);
  // Tab goes through the buttons in reading order: down the drawing, and
  // left to right along a line.
  std::vector<QPushButton*> order = buttons_;
  std::stable_sort(order.begin(), order.end(), [this](QPushButton* a, QPushButton* b) {
    const layout::Button& da = layout_.buttons[static_cast<std::size_t>(
        std::find(buttons_.begin(), buttons_.end(), a) - buttons_.begin())];
    const layout::Button& db = layout_.buttons[static_cast<std::size_t>(
        std::find(buttons_.begin(), buttons_.end(), b) - buttons_.begin())];
    const int lineA = da.top / twips::kTextHeight;
    const int lineB = db.top / twips::kTextHeight;
    return lineA != lineB ? lineA < lineB : da.left < db.left;
  });
  QWidget* previous = this;
  for (QPushButton* button : order) {
    setTabOrder(previous, button);
    previous = button;
  }
  // Where the result is shown, Ctrl+C copies its decimal value.
  if (std::any_of(layout.readouts.begin(), layout.readouts.end(),
                  [](const layout::Readout& r) { return r.source == Results::kDecimalValue; })) {
    auto* copy = new QAction("Copy decimal", this);
    copy->setObjectName("CopyResult");
    copy->setShortcut(QKeySequence::Copy);
    copy->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    connect(copy, &QAction::triggered, this, [this] { CopyReadout(Results::kDecimalValue); });
    addAction(copy);
  }

  inconsistent_ = new QLabel(QString::fromLatin1(kInconsistentText), this);
  inconsistent_->setObjectName("Inconsistent");
  inconsistent_->setFont(style::EmphasisFont());
  inconsistent_->setAutoFillBackground(true);
  inconsistent_->setFrameStyle(QFrame::Box | QFrame::Plain);
  inconsistent_->setMargin(2);
  inconsistent_->setIndent(4);
  style::SetFixedColour(inconsistent_, QPalette::WindowText, style::Fixed::Warning);
  style::SetFixedColour(inconsistent_, QPalette::Window, style::Fixed::WarningBackground);
  inconsistent_->adjustSize();
  inconsistent_->hide();

  note_ = new QLabel(this);
  note_->setObjectName("Note");
  note_->setFont(style::EmphasisFont());
  note_->setAutoFillBackground(true);
  note_->setFrameStyle(QFrame::Box | QFrame::Plain);
  note_->setMargin(2);
  note_->setIndent(4);
  note_->hide();

  zoom_ = Zoom::Percent(100);
  Relayout();
}

StageWindow::~StageWindow() = default;

int StageWindow::slot() const {
  return stage_.slot();
}

void StageWindow::BuildButtons(QWidget* canvas) {
  for (const layout::Button& design : layout_.buttons) {
    auto* button = new QPushButton(Q(design.caption), canvas);
    button->setObjectName(Q(design.name));
    // Tab reaches the buttons; a click leaves the focus where it was.
    button->setFocusPolicy(Qt::TabFocus);
    if (!design.tooltip.empty()) button->setToolTip(Q(design.tooltip));
    connect(button, &QPushButton::clicked, this,
            [this, &design] { RunGuarded([&] { ButtonClicked(design); }); });
    buttons_.push_back(button);
  }
}

void StageWindow::Relayout() {
  scale_ = zoom_.fit ? FitScale() : zoom_.Scale(0, 0);
  const double z = scale_;
  canvas_->setFixedSize(Tw(extent_.right() + 1 + twips::kMargin, z),
                        Tw(extent_.bottom() + 1 + twips::kMargin, z));
  static_cast<StageCanvas*>(canvas_)->SetZoom(z);
  for (WireRowWidget* row : rows_)
    row->SetZoom(z);
  for (QWidget* readout : readouts_)
    static_cast<ReadoutLabel*>(readout)->SetZoom(z);
  const QFont font = style::Zoomed(style::TitleFont(), z);
  for (std::size_t i = 0; i < buttons_.size(); ++i) {
    const layout::Button& design = layout_.buttons[i];
    QPushButton* button = buttons_[i];
    QRect place = Twr(design.left, design.top, design.width, design.height, z);
    // A caption wider than its button gets a smaller font, down to a size
    // that still reads; beyond that the button grows to the right.
    QFont fitted = font;
    auto captionWidth = [&] { return QFontMetrics(fitted).horizontalAdvance(button->text()) + 6; };
    while (fitted.pointSizeF() > 6.5 * std::min(z, 1.0) && captionWidth() > place.width()) {
      fitted.setPointSizeF(fitted.pointSizeF() - 0.25 * z);
    }
    button->setFont(fitted);
    if (captionWidth() > place.width()) place.setWidth(captionWidth());
    button->setGeometry(place);
  }
}

double StageWindow::FitScale() const {
  // As wide as the window, so that no row needs scrolling across; a drawing
  // smaller than the window grows only as long as it stays in sight whole.
  // When the drawing is taller than the window, its width fits beside the
  // vertical scroll bar.
  constexpr int kSlack = 2;  // pixels, so that rounding brings no scroll bar
  const double width = Tw(fitExtent_.right() + 1 + twips::kMargin);
  const double height = Tw(extent_.bottom() + 1 + twips::kMargin);
  const double growth = std::max(1.0, (scroll_->height() - kSlack) / height);
  const auto fitted = [&](double room) {
    return std::clamp(std::min(room / width, growth), Zoom::kMinPercent / 100.0,
                      Zoom::kMaxPercent / 100.0);
  };
  double scale = fitted(scroll_->width() - kSlack);
  if (height * scale > scroll_->height() - kSlack) {
    scale = fitted(scroll_->width() - scroll_->verticalScrollBar()->sizeHint().width() - kSlack);
  }
  return scale;
}

void StageWindow::SetZoom(Zoom zoom) {
  zoom_ = zoom;
  Relayout();
  PlaceInconsistentLabel();
  PlaceNote();
}

QMenu* StageWindow::CopyMenuAt(const QPoint& point) {
  auto* menu = new QMenu(this);
  menu->setObjectName("CopyMenu");
  const auto copy = [](const QString& text) { QGuiApplication::clipboard()->setText(text); };
  QWidget* child = childAt(point);
  const Wire* wire = nullptr;
  if (auto* row = qobject_cast<WireRowWidget*>(child)) {
    wire = &row->wire();
  } else if (child == canvas_) {
    if (const PaintedCell* cell =
            static_cast<StageCanvas*>(canvas_)->CellAt(canvas_->mapFrom(this, point))) {
      wire = cell->wire;
    }
  }
  if (wire != nullptr) {
    const std::string bits = wire->Text();
    menu->addAction("Copy bits", this, [copy, bits] { copy(Q(bits)); });
    if (wire->size() <= 64) {
      const std::optional<std::string> hex = HexOfBits(bits);
      QAction* action =
          menu->addAction("Copy as hex", this, [copy, hex] { copy("0x" + Q(hex.value_or(""))); });
      action->setEnabled(hex.has_value());
    }
  }
  for (QWidget* readout : readouts_) {
    if (readout == child) {
      const std::string source = static_cast<ReadoutLabel*>(readout)->source();
      menu->addAction("Copy text", this, [this, source] { CopyReadout(source); });
    }
  }
  const bool results =
      std::any_of(layout_.readouts.begin(), layout_.readouts.end(),
                  [](const layout::Readout& r) { return r.source == Results::kDecimalValue; });
  if (results) {
    if (!menu->isEmpty()) menu->addSeparator();
    QAction* decimal =
        menu->addAction("Copy decimal", this, [this] { CopyReadout(Results::kDecimalValue); });
    decimal->setShortcut(QKeySequence::Copy);
    menu->addAction("Copy hex", this, [this] { CopyReadout(Results::kHexValue); });
  }
  if (menu->isEmpty()) {
    delete menu;
    return nullptr;
  }
  return menu;
}

QString StageWindow::ReadoutShown(std::string_view source) const {
  for (QWidget* widget : readouts_) {
    const auto* readout = static_cast<const ReadoutLabel*>(widget);
    if (readout->source() == source) return readout->text();
  }
  return {};
}

bool StageWindow::CopyReadout(std::string_view source) {
  for (const layout::Readout& readout : layout_.readouts) {
    if (readout.source == source) {
      QGuiApplication::clipboard()->setText(ReadoutShown(source));
      return true;
    }
  }
  return false;
}

void StageWindow::contextMenuEvent(QContextMenuEvent* event) {
  QMenu* menu = CopyMenuAt(mapFromGlobal(event->globalPos()));
  if (menu == nullptr) {
    ChildWindow::contextMenuEvent(event);
    return;
  }
  menu->setAttribute(Qt::WA_DeleteOnClose);
  menu->popup(event->globalPos());
}

void StageWindow::ShowNote(const QString& text) {
  note_->setText(text);
  style::SetFixedColour(note_, QPalette::WindowText, style::Fixed::Readout);
  style::SetFixedColour(note_, QPalette::Window, style::Fixed::WarningBackground);
  note_->adjustSize();
  PlaceNote();
  note_->show();
  note_->raise();
  const QString shown = text;
  QTimer::singleShot(kNoteMilliseconds, note_, [this, shown] {
    if (note_->text() == shown) note_->hide();
  });
}

void StageWindow::PlaceNote() {
  if (note_ == nullptr) return;
  // Bottom left of the visible part, clear of the horizontal scroll bar.
  const int scrollBar =
      scroll_->horizontalScrollBar()->isVisible() ? scroll_->horizontalScrollBar()->height() : 0;
  note_->move(Tw(twips::kMargin), std::max(0, height() - scrollBar - note_->height() - Tw(60)));
}

void StageWindow::ButtonClicked(const layout::Button& button) {
  if (button.showsIeeeDifference) {
    // As a click on the stage's block: its window in front, the counter and
    // the highlight on it.
    if (const std::optional<int> slot = IeeeDifferenceSlot(session_)) session_.GoToStage(*slot);
    return;
  }
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
  RefreshButtons();
  if (!isVisible()) return;
  canvas_->update();
  for (WireRowWidget* row : rows_)
    row->update();
}

void StageWindow::RefreshButtons() {
  for (std::size_t i = 0; i < buttons_.size(); ++i) {
    if (layout_.buttons[i].showsIeeeDifference)
      buttons_[i]->setEnabled(IeeeDifferenceSlot(session_).has_value());
  }
}

void StageWindow::SetMarkChanges(bool on) {
  if (markChanges_ == on) return;
  markChanges_ = on;
  if (!isVisible()) return;
  canvas_->update();
  for (WireRowWidget* row : rows_)
    row->update();
}

void StageWindow::resizeEvent(QResizeEvent* event) {
  ChildWindow::resizeEvent(event);
  scroll_->setGeometry(rect());
  if (zoom_.fit) Relayout();
  PlaceInconsistentLabel();
  PlaceNote();
}

void StageWindow::PlaceInconsistentLabel() {
  // Top right of the visible part, clear of the vertical scroll bar.
  const int scrollBar =
      scroll_->verticalScrollBar()->isVisible() ? scroll_->verticalScrollBar()->width() : 0;
  inconsistent_->move(std::max(0, width() - scrollBar - inconsistent_->width() - Tw(kWarningRight)),
                      Tw(kWarningTop));
}

}  // namespace sumaris
