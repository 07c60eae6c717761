// The Wire Bits Editor window on a real adder: boxes, labels, typing with
// the keyboard, Apply and Cancel, activation, double clicks, one editor.
#include "wires/editor_window.h"

#include <QApplication>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QtTest/QtTest>
#include <array>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "input/operand_entry.h"
#include "session/adder.h"
#include "session/session.h"
#include "wires/platform.h"
#include "wires/stage_window.h"
#include "wires/twips.h"
#include "wires/wire.h"
#include "wires/wire_editor.h"

using namespace sumaris;

namespace {

struct RecordingDialogs final : UserDialogs {
  std::vector<std::string> messages;
  void Message(std::string_view text) override { messages.emplace_back(text); }
  bool AskYesNo(std::string_view) override { return true; }
  void Beep() override {}
};

std::uint64_t BitsOf(double x) {
  std::uint64_t u = 0;
  std::memcpy(&u, &x, sizeof u);
  return u;
}

void SetOperand(Adder& adder, Operand op, double x) {
  std::array<unsigned char, 8> bytes{};
  const std::uint64_t u = BitsOf(x);
  for (int i = 0; i < 8; ++i) {
    bytes[static_cast<std::size_t>(i)] = static_cast<unsigned char>(u >> (8 * i));
  }
  BytesToBoxes(bytes, adder.input, op);
}

std::string BitString(double x) {
  const std::uint64_t u = BitsOf(x);
  std::string s;
  for (int k = 63; k >= 0; --k)
    s += ((u >> k) & 1) != 0 ? '1' : '0';
  return s;
}

std::string ResultBits(const Adder& adder) {
  const Results& r = adder.results;
  std::string s = r.Sa[0].str();
  for (int i = 0; i <= 10; ++i)
    s += r.Ea[i].str();
  for (int i = 1; i <= 52; ++i)
    s += r.Fa[i].str();
  return s;
}

// A window that stands for a stage window: something else to activate.
class OtherWindow final : public ChildWindow {
 public:
  int activations = 0;
  void Activated() override { ++activations; }
};

}  // namespace

class EditorWindowTest : public QObject {
  Q_OBJECT

 private:
  // A main window in miniature: an MDI area that tells a child when its
  // sub-window becomes the active one, and takes new children.
  struct Host {
    QMdiArea area;
    Adder adder;
    Session session{adder};
    WireEditor editor;
    RecordingDialogs dialogs;
    OtherWindow* other = nullptr;
    QMdiSubWindow* otherSub = nullptr;

    Host() {
      area.resize(1000, 700);
      QObject::connect(&area, &QMdiArea::subWindowActivated, [](QMdiSubWindow* sub) {
        if (sub == nullptr) return;
        if (auto* child = qobject_cast<ChildWindow*>(sub->widget())) child->Activated();
      });
      ChildWindow::SetHost([this](ChildWindow* w) { area.addSubWindow(w)->show(); });
      editor.SetDialogs(&dialogs);
      session.FillStepTable();
      SetOperand(adder, Operand::A, 0.1875);  // biased exponent 1020
      SetOperand(adder, Operand::B, 40.0);
      session.Run();
      other = new OtherWindow;
      otherSub = area.addSubWindow(other);
      otherSub->resize(200, 100);
      area.show();
      otherSub->show();
    }
    ~Host() { ChildWindow::SetHost(nullptr); }
    void ActivateOther() { area.setActiveSubWindow(otherSub); }
  };

  static QLineEdit* BoxOf(const EditorWindow& w, int i) {
    for (QLineEdit* box : w.findChildren<QLineEdit*>("Text1")) {
      if (box->property("index").toInt() == i) return box;
    }
    return nullptr;
  }
  static QLabel* LabelOf(const EditorWindow& w, int i) {
    for (QLabel* label : w.findChildren<QLabel*>("Label2")) {
      if (label->property("index").toInt() == i) return label;
    }
    return nullptr;
  }
  static int ShownBoxes(const EditorWindow& w) {
    int n = 0;
    for (QLineEdit* box : w.findChildren<QLineEdit*>("Text1"))
      n += box->isHidden() ? 0 : 1;
    return n;
  }
  static std::vector<QString> ShownLabels(const EditorWindow& w) {
    std::vector<QString> out;
    for (int i = 0; i < WireEditor::kBoxes; ++i) {
      QLabel* label = LabelOf(w, i);
      if (!label->isHidden()) out.push_back(label->text());
    }
    return out;
  }
  static QString BoxTexts(const EditorWindow& w, int n) {
    QString s;
    for (int i = 0; i < n; ++i)
      s += BoxOf(w, i)->text();
    return s;
  }
  static EditorWindow* OpenedEditor(Host& host) {
    for (QMdiSubWindow* sub : host.area.subWindowList()) {
      if (auto* w = qobject_cast<EditorWindow*>(sub->widget())) return w;
    }
    return nullptr;
  }
  static QMdiSubWindow* SubOf(QWidget* w) {
    return qobject_cast<QMdiSubWindow*>(w->parentWidget());
  }

 private slots:
  void controlsAreNamedAndStyled() {
    Host host;
    EditorWindow w(host.editor, host.session);
    QCOMPARE(w.objectName(), QString("Editor"));
    QCOMPARE(w.windowTitle(), QString("Wire Bits Editor"));
    QCOMPARE(w.palette().color(QPalette::Window), QColor(255, 192, 255));
    QCOMPARE(w.findChildren<QLineEdit*>("Text1").size(), qsizetype{119});
    QCOMPARE(w.findChildren<QLabel*>("Label2").size(), qsizetype{119});
    QVERIFY(w.findChild<QLabel*>("FormName") != nullptr);
    QVERIFY(w.findChild<QLabel*>("WireName") != nullptr);
    QVERIFY(w.findChild<QFrame*>("Line1") != nullptr);
    QCOMPARE(w.findChild<QPushButton*>("Apply")->text(), QString("Apply"));
    QCOMPARE(w.findChild<QPushButton*>("Cancel")->text(), QString("Cancel"));
    for (int i : {0, 7, 8, 55, 56, 57, 118}) {
      QLineEdit* box = BoxOf(w, i);
      QVERIFY(box != nullptr);
      QCOMPARE(box, w.Box(i));
      QCOMPARE(LabelOf(w, i), w.BitLabel(i));
      QCOMPARE(box->font().family(), QString("Times New Roman"));
      QCOMPARE(box->alignment() & Qt::AlignHCenter, Qt::AlignHCenter);
      QCOMPARE(box->size(), QSize(Tw(180), Tw(330)));
      const TwipPoint at = WireEditor::BoxPlace(i);
      QCOMPARE(box->pos(), QPoint(Tw(at.left), Tw(at.top)));
      QLabel* label = LabelOf(w, i);
      QCOMPARE(label->pos(), QPoint(Tw(at.left), Tw(at.top - 240)));
      QCOMPARE(label->palette().color(QPalette::WindowText), QColor(0, 0, 255));
    }
  }

  void editingEaWalksTheFocusAndApplyWritesTheWire() {
    Host host;
    host.session.Activate(1);  // the user is at R1Medium
    Wire& ea = host.adder.r1Medium.Ea;
    QCOMPARE(QString::fromStdString(ea.Text()), QString("1111100"));
    EditorWindow w(host.editor, host.session);
    host.area.addSubWindow(&w);
    w.Open(&ea, 6, 0, "R1 Medium", "EA[6:0]", false);
    QVERIFY(w.isVisible());
    QCOMPARE(w.findChild<QLabel*>("FormName")->text(), QString("R1 Medium"));
    QCOMPARE(w.findChild<QLabel*>("WireName")->text(), QString("EA[6:0]"));
    QCOMPARE(ShownBoxes(w), 7);
    QCOMPARE(ShownLabels(w), (std::vector<QString>{"6", "0"}));
    QCOMPARE(BoxTexts(w, 7), QString("1111100"));
    QVERIFY(w.findChild<QPushButton*>("Apply")->isEnabled());
    QCOMPARE(SubOf(&w)->width(), Tw(6200));
    // Activation focused box 0 and selected its text.
    QCOMPARE(w.focusWidget(), BoxOf(w, 0));
    QCOMPARE(BoxOf(w, 0)->selectedText(), QString("1"));

    // Bits typed left to right; a letter enters "0"; the last box keeps the
    // focus.
    const QString keys = "0101x10";
    for (QChar key : keys) {
      QWidget* focused = w.focusWidget();
      QVERIFY(focused != nullptr);
      QTest::keyClicks(focused, QString(key));
    }
    QCOMPARE(BoxTexts(w, 7), QString("0101010"));
    QCOMPARE(w.focusWidget(), BoxOf(w, 6));
    QCOMPARE(BoxOf(w, 6)->selectedText(), QString("0"));
    QCOMPARE(QString::fromStdString(ea.Text()), QString("1111100"));  // not yet
    QVERIFY(!host.session.inconsistent());

    QTest::mouseClick(w.findChild<QPushButton*>("Apply"), Qt::LeftButton);
    QCOMPARE(QString::fromStdString(ea.Text()), QString("0101010"));
    QVERIFY(host.session.inconsistent());
    QVERIFY(SubOf(&w)->isHidden());
    // Recomputed from stage 1: A now has the exponent 0111 0101010.
    std::uint64_t a = BitsOf(0.1875) & ~(std::uint64_t{0x7FF} << 52);
    a |= std::uint64_t{0b01110101010} << 52;
    double edited = 0;
    std::memcpy(&edited, &a, sizeof edited);
    QCOMPARE(QString::fromStdString(ResultBits(host.adder)),
             QString::fromStdString(BitString(edited + 40.0)));
  }

  void longWireViewOnlyShowsTwoRowsWithoutApply() {
    Host host;
    host.session.Activate(9);
    Wire& fsopa = host.adder.r1BigMux.FSOPA;
    const std::string before = fsopa.Text();
    EditorWindow w(host.editor, host.session);
    host.area.addSubWindow(&w);
    w.Open(&fsopa, -1, 116, "R1 BigMux", "FSOPA[-1:116]", true);
    QCOMPARE(ShownBoxes(w), 118);
    QVERIFY(BoxOf(w, 118)->isHidden());
    QCOMPARE(BoxOf(w, 55)->y(), BoxOf(w, 0)->y());
    QVERIFY(BoxOf(w, 56)->y() > BoxOf(w, 55)->y() + BoxOf(w, 55)->height());
    QCOMPARE(BoxOf(w, 56)->x(), BoxOf(w, 0)->x());
    QCOMPARE(BoxOf(w, 117)->y(), BoxOf(w, 56)->y());
    std::vector<QString> labels;
    for (int bit = -1; bit <= 111; bit += 8)
      labels.push_back(QString::number(bit));
    labels.push_back("116");
    QCOMPARE(ShownLabels(w), labels);
    QCOMPARE(BoxTexts(w, 118), QString::fromStdString(before));
    QCOMPARE(SubOf(&w)->width(), static_cast<int>(12875 * LogicalDpi() / 1440.0 + 0.5));
    // Every box of both rows lies inside the window.
    const int right = BoxOf(w, 55)->geometry().right();
    QVERIFY(right < w.width());
    QVERIFY(BoxOf(w, 117)->geometry().right() < w.width());
    QCOMPARE(w.findChild<QFrame*>("Line1")->width(), w.width());

    auto* apply = w.findChild<QPushButton*>("Apply");
    QVERIFY(!apply->isEnabled());
    QTest::mouseClick(apply, Qt::LeftButton);
    QVERIFY(!SubOf(&w)->isHidden());
    QTest::mouseClick(w.findChild<QPushButton*>("Cancel"), Qt::LeftButton);
    QVERIFY(SubOf(&w)->isHidden());
    QVERIFY(apply->isEnabled());
    QCOMPARE(fsopa.Text(), before);
    QVERIFY(!host.session.inconsistent());
  }

  void closingTheFrameIsACancel() {
    Host host;
    host.session.Activate(9);
    Wire& fsopa = host.adder.r1BigMux.FSOPA;
    EditorWindow w(host.editor, host.session);
    host.area.addSubWindow(&w);
    w.Open(&fsopa, -1, 116, "R1 BigMux", "FSOPA[-1:116]", true);
    QVERIFY(!w.findChild<QPushButton*>("Apply")->isEnabled());
    SubOf(&w)->close();
    QVERIFY(SubOf(&w)->isHidden());
    QVERIFY(w.findChild<QPushButton*>("Apply")->isEnabled());
    w.Open(&host.adder.r1Medium.Ea, 6, 0, "R1 Medium", "EA[6:0]", false);
    QVERIFY(w.isVisible());
    QCOMPARE(ShownBoxes(w), 7);
    QVERIFY(w.findChild<QPushButton*>("Apply")->isEnabled());
  }

  void switchingAwayAndBackDiscardsTypedBits() {
    Host host;
    host.session.Activate(1);
    EditorWindow w(host.editor, host.session);
    host.area.addSubWindow(&w);
    w.Open(&host.adder.r1Medium.Ea, 6, 0, "R1 Medium", "EA[6:0]", false);
    QTest::keyClicks(w.focusWidget(), "0");
    QTest::keyClicks(w.focusWidget(), "0");
    QCOMPARE(BoxTexts(w, 7), QString("0011100"));
    QCOMPARE(w.focusWidget(), BoxOf(w, 2));
    host.ActivateOther();
    QCOMPARE(host.area.activeSubWindow(), host.otherSub);
    host.area.setActiveSubWindow(SubOf(&w));
    QCOMPARE(BoxTexts(w, 7), QString("1111100"));
    QCOMPARE(w.focusWidget(), BoxOf(w, 0));
    QCOMPARE(BoxOf(w, 0)->selectedText(), QString("1"));
    QCOMPARE(QString::fromStdString(host.adder.r1Medium.Ea.Text()), QString("1111100"));
  }

  void clicksShowTheLabelAndDoubleClicksThePosition() {
    Host host;
    EditorWindow w(host.editor, host.session);
    host.area.addSubWindow(&w);
    w.Open(&host.adder.r1BigMux.FSOPA, -1, 116, "R1 BigMux", "FSOPA[-1:116]", false);
    QVERIFY(LabelOf(w, 3)->isHidden());
    QTest::mouseClick(BoxOf(w, 3), Qt::LeftButton);
    QVERIFY(!LabelOf(w, 3)->isHidden());
    QCOMPARE(LabelOf(w, 3)->text(), QString("2"));
    QCOMPARE(BoxOf(w, 3)->selectedText(), BoxOf(w, 3)->text());
    QVERIFY(host.dialogs.messages.empty());
    QTest::mouseDClick(BoxOf(w, 70), Qt::LeftButton);
    QCOMPARE(host.dialogs.messages, std::vector<std::string>{"70"});  // position, not bit 69
  }

  void oneEditorServesEveryButton() {
    Host host;
    EditorLauncher launcher(host.editor, host.session);
    QVERIFY(launcher.window() == nullptr);
    launcher.Open(&host.adder.r1Medium.Ea, 6, 0, "R1 Medium", "EA[6:0]", false);
    EditorWindow* first = launcher.window();
    QVERIFY(first != nullptr);
    QCOMPARE(OpenedEditor(host), first);
    QCOMPARE(ShownBoxes(*first), 7);
    QTest::mouseClick(first->findChild<QPushButton*>("Cancel"), Qt::LeftButton);
    launcher.Open(&host.adder.r1BigMux.FSOPA, -1, 116, "R1 BigMux", "FSOPA[-1:116]", true);
    QCOMPARE(launcher.window(), first);
    int editors = 0;
    for (QMdiSubWindow* sub : host.area.subWindowList()) {
      editors += qobject_cast<EditorWindow*>(sub->widget()) != nullptr ? 1 : 0;
    }
    QCOMPARE(editors, 1);
    QCOMPARE(ShownBoxes(*first), 118);
    QVERIFY(!SubOf(first)->isHidden());
    // Between uses it keeps its last wire.
    QTest::mouseClick(first->findChild<QPushButton*>("Cancel"), Qt::LeftButton);
    QCOMPARE(ShownBoxes(*first), 118);
  }

  void noWireOpensEmptyAndChangesNothing() {
    Host host;
    host.session.Activate(15);
    const std::string result = ResultBits(host.adder);
    EditorWindow w(host.editor, host.session);
    host.area.addSubWindow(&w);
    w.Open(nullptr, 0, 1, "Rounding Deceision", "RI RN", false);
    QCOMPARE(ShownBoxes(w), 2);
    QCOMPARE(BoxTexts(w, 2), QString());
    QCOMPARE(ShownLabels(w), (std::vector<QString>{"0", "1"}));
    QVERIFY(!w.findChild<QPushButton*>("Apply")->isEnabled());
    QTest::keyClicks(w.focusWidget(), "1");
    QTest::mouseClick(w.findChild<QPushButton*>("Cancel"), Qt::LeftButton);
    QVERIFY(SubOf(&w)->isHidden());
    QCOMPARE(ResultBits(host.adder), result);
    QVERIFY(!host.session.inconsistent());
  }
};

QTEST_MAIN(EditorWindowTest)
#include "editor_window_window_test.moc"
