// The operand entry window and the injection window, driven with the
// keyboard and the mouse: the box check and focus advance, typing whole
// operands, the conversion buttons, the option buttons, the refresh from the
// model, and the injection window's boxes and its minimising.
#include "input/input_window.h"

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest/QtTest>
#include <bit>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "input/injection_table.h"
#include "input/injection_window.h"
#include "input/operand_entry.h"
#include "wires/platform.h"

using namespace sumaris;

namespace {

struct RecordingDialogs final : UserDialogs {
  std::vector<std::string> messages;
  void Message(std::string_view text) override { messages.emplace_back(text); }
  bool AskYesNo(std::string_view) override { return true; }
  void Beep() override {}
};

bool Bit(std::uint64_t u, int k) {
  return ((u >> k) & 1U) != 0;
}

// Box `index` of a row of boxes sharing one object name, found the way a
// user of the window would name it: by name and index.
template <typename T = QLineEdit>
T* Find(QWidget& window, const char* name, int index) {
  T* found = nullptr;
  for (T* w : window.findChildren<T*>(name)) {
    if (w->property("index").isValid() && w->property("index").toInt() == index) {
      if (found != nullptr) return nullptr;  // two boxes with one index
      found = w;
    }
  }
  return found;
}

template <typename T>
T* Named(QWidget& window, const char* name) {
  const QList<T*> all = window.findChildren<T*>(name);
  return all.size() == 1 ? all.front() : nullptr;
}

// The 64 bits as the boxes of one operand hold them (sign, exponent boxes
// 10 .. 0, fraction boxes 1 .. 52), read from the window's widgets.
std::uint64_t ShownBits(QWidget& w, bool a) {
  std::uint64_t u = 0;
  if (Named<QLineEdit>(w, a ? "Sa" : "SB")->text() == "1") u |= std::uint64_t{1} << 63;
  for (int i = 0; i <= 10; ++i) {
    if (Find(w, a ? "Ea" : "EB", i)->text() == "1") u |= std::uint64_t{1} << (52 + i);
  }
  for (int i = 1; i <= 52; ++i) {
    if (Find(w, a ? "Fa" : "FB", i)->text() == "1") u |= std::uint64_t{1} << (52 - i);
  }
  return u;
}

std::uint64_t ModelBits(const OperandEntry& e, Operand op) {
  std::uint64_t u = 0;
  if ((op == Operand::A ? e.Sa : e.SB) == "1") u |= std::uint64_t{1} << 63;
  for (int i = 0; i <= 10; ++i) {
    if (e.Exponent(op)[static_cast<std::size_t>(i)] == "1") u |= std::uint64_t{1} << (52 + i);
  }
  for (int i = 1; i <= 52; ++i) {
    if (e.Fraction(op)[static_cast<std::size_t>(i)] == "1") u |= std::uint64_t{1} << (52 - i);
  }
  return u;
}

}  // namespace

class InputFormTest : public QObject {
  Q_OBJECT

 private:
  std::unique_ptr<OperandEntry> entry_;
  std::unique_ptr<InputForm> form_;
  RecordingDialogs dialogs_;

  void Click(QWidget* w) {
    QVERIFY(w != nullptr);
    QTest::mouseClick(w, Qt::LeftButton, {}, w->rect().center());
  }

 private slots:
  void init() {
    ChildWindow::SetHost(nullptr);
    dialogs_.messages.clear();
    entry_ = std::make_unique<OperandEntry>();
    form_ = std::make_unique<InputForm>(*entry_);
    form_->SetDialogs(&dialogs_);
    form_->show();
    form_->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(form_.get()));
  }

  void cleanup() {
    ChildWindow::SetHost(nullptr);
    form_.reset();
    entry_.reset();
  }

  void controlsCarryTheirNamesAndCaptions() {
    QWidget& w = *form_;
    for (const char* row : {"Ea", "EB"}) {
      QCOMPARE(w.findChildren<QLineEdit*>(row).size(), 11);
      for (int i = 0; i <= 10; ++i)
        QVERIFY2(Find(w, row, i) != nullptr, row);
    }
    for (const char* row : {"Fa", "FB"}) {
      QCOMPARE(w.findChildren<QLineEdit*>(row).size(), 53);
      for (int i = 0; i <= 52; ++i)
        QVERIFY2(Find(w, row, i) != nullptr, row);
    }
    QCOMPARE(Find(w, "Ea", 3), form_->Box(BoxRow::Ea, 3));
    QCOMPARE(Find(w, "FB", 52), form_->Box(BoxRow::FB, 52));
    for (const char* name : {"Sa", "SB", "OperandA", "OperandB"})
      QVERIFY2(Named<QLineEdit>(w, name), name);
    const std::pair<const char*, const char*> buttons[] = {{"DectoBitA", "<-"},
                                                           {"DectoBitB", "<-"},
                                                           {"BittoDecA", "->"},
                                                           {"BittoDecB", "->"},
                                                           {"Command1", "INJ"}};
    for (const auto& [name, caption] : buttons) {
      auto* b = Named<QPushButton>(w, name);
      QVERIFY2(b != nullptr, name);
      QCOMPARE(b->text(), QString(caption));
    }
    const char* options[] = {"",    "Round UP", "Round DOWN", "Round To Zero", "Round to NE",
                             "Add", "Sub"};
    for (int n = 1; n <= 6; ++n) {
      auto* o = Named<QRadioButton>(w, QString("Option%1").arg(n).toLatin1().constData());
      QVERIFY(o != nullptr);
      QCOMPARE(o->text(), QString(options[n]));
      QCOMPARE(o->parentWidget()->objectName(), QString(n >= 5 ? "Frame2" : "Frame1"));
      QCOMPARE(o->isChecked(), n == 5 || n == 4);
    }
    auto* check = Named<QCheckBox>(w, "Disabledisplay");
    QVERIFY(check != nullptr);
    QCOMPARE(check->text(), QString("Check1"));
    QVERIFY(Find<QLabel>(w, "INJ", 0) != nullptr);
    QVERIFY(Find<QLabel>(w, "INJ", 1) != nullptr);
    QStringList captions;
    for (QLabel* l : w.findChildren<QLabel*>())
      captions << l->text();
    for (const char* text : {"INPUTS", "Operand  A", "Operand  B"})
      QCOMPARE(captions.count(text), 1);
    for (const char* text : {"hidden", "s", "e", "f"})
      QCOMPARE(captions.count(text), 2);
  }

  void boxesHaveTheirColoursAndPitches() {
    QWidget& w = *form_;
    const auto base = [](QWidget* x) { return x->palette().color(QPalette::Base); };
    QCOMPARE(base(Named<QLineEdit>(w, "Sa")), QColor(255, 192, 192));
    QCOMPARE(base(Find(w, "EB", 4)), QColor(255, 255, 192));
    QCOMPARE(base(Find(w, "Fa", 9)), QColor(192, 255, 255));
    QCOMPARE(base(Find(w, "FB", 0)), QColor(192, 192, 192));
    QCOMPARE(base(Named<QLineEdit>(w, "OperandB")), QColor(192, 255, 192));
    // Exponent boxes run 10 .. 0 left to right, fraction boxes 0 .. 52 with a
    // wider gap before every eighth.
    const double px = QGuiApplication::primaryScreen()->logicalDotsPerInch() / 1440.0;
    for (int i = 9; i >= 0; --i) {
      const int step = Find(w, "Ea", i)->x() - Find(w, "Ea", i + 1)->x();
      QVERIFY2(std::abs(step - 185 * px) <= 1, qPrintable(QString::number(i)));
      QCOMPARE(Find(w, "Ea", i)->y(), Find(w, "Ea", 10)->y());
    }
    for (int i = 1; i <= 52; ++i) {
      const int step = Find(w, "FB", i)->x() - Find(w, "FB", i - 1)->x();
      const double expected = (175 + (i % 8 == 0 ? 80 : 0)) * px;
      QVERIFY2(std::abs(step - expected) <= 1, qPrintable(QString::number(i)));
    }
    // Every box lies inside the window at its design size.
    for (QLineEdit* box : w.findChildren<QLineEdit*>()) {
      QVERIFY2(w.rect().contains(box->geometry()), qPrintable(box->objectName()));
    }
  }

  void aNarrowerWindowKeepsTheWholeFractionInSight() {
    QWidget& w = *form_;
    const double px = QGuiApplication::primaryScreen()->logicalDotsPerInch() / 1440.0;
    const int fullRow = Find(w, "Fa", 52)->geometry().right() - Find(w, "Fa", 0)->x();
    w.resize(static_cast<int>(9450 * px), w.height());
    for (const char* row : {"Fa", "FB"}) {
      QVERIFY(w.rect().contains(Find(w, row, 52)->geometry()));
      // The row keeps its proportions: a group step of 255 against a box
      // step of 175.
      const double step = Find(w, row, 2)->x() - Find(w, row, 1)->x();
      const double groupStep = Find(w, row, 16)->x() - Find(w, row, 15)->x();
      QVERIFY2(std::abs(groupStep / step - 255.0 / 175.0) < 0.2,
               qPrintable(QString::number(groupStep / step)));
      const int row0to52 = Find(w, row, 52)->geometry().right() - Find(w, row, 0)->x();
      QVERIFY(row0to52 < fullRow);
    }
    // The exponent keeps its pitch.
    QVERIFY(std::abs(Find(w, "Ea", 0)->x() - Find(w, "Ea", 1)->x() - 185 * px) <= 1);
  }

  void aWrongDigitBecomesZeroAndTheFocusMovesRight() {
    QWidget& w = *form_;
    QLineEdit* e5 = Find(w, "Ea", 5);
    Click(e5);
    QVERIFY(e5->hasFocus());
    QCOMPARE(e5->selectedText(), QString("0"));
    QTest::keyClicks(e5, "7");
    QCOMPARE(e5->text(), QString("0"));
    QCOMPARE(entry_->Ea[5], "0");
    QCOMPARE(QApplication::focusWidget(), Find(w, "Ea", 4));
    QCOMPARE(Find(w, "Ea", 4)->selectedText(), QString("0"));  // ready to be replaced

    // The last fraction box keeps the focus, still ready for the next key.
    QLineEdit* last = Find(w, "FB", 52);
    Click(last);
    QTest::keyClicks(last, "1");
    QCOMPARE(QApplication::focusWidget(), last);
    QCOMPARE(last->selectedText(), QString("1"));
    QTest::keyClicks(last, "x");
    QCOMPARE(last->text(), QString("0"));
    QCOMPARE(entry_->FB[52], "0");
  }

  void arrowKeysStepAlongTheBoxes() {
    QWidget& w = *form_;
    Click(Find(w, "Ea", 1));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Left);
    QCOMPARE(QApplication::focusWidget(), Find(w, "Ea", 2));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Right);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Right);
    QCOMPARE(QApplication::focusWidget(), Find(w, "Ea", 0));
    Click(Find(w, "FB", 30));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Right);
    QCOMPARE(QApplication::focusWidget(), Find(w, "FB", 31));
    QCOMPARE(Find(w, "FB", 31)->selectedText(), QString("0"));
    QCOMPARE(entry_->FB[30], "0");  // stepping writes nothing
  }

  void typingAWholeOperandBitByBit() {
    QWidget& w = *form_;
    const double values[] = {-2.5, 0.1, 6.02214076e23, 5e-324};
    for (const double value : values) {
      for (const bool a : {true, false}) {
        const std::uint64_t u = std::bit_cast<std::uint64_t>(value);
        QLineEdit* sign = Named<QLineEdit>(w, a ? "Sa" : "SB");
        Click(sign);
        QTest::keyClicks(sign, Bit(u, 63) ? "1" : "0");
        QString exponent;
        for (int i = 10; i >= 0; --i)
          exponent += Bit(u, 52 + i) ? '1' : '0';
        QString fraction;
        for (int i = 1; i <= 52; ++i)
          fraction += Bit(u, 52 - i) ? '1' : '0';
        // One click on the first exponent box, then the keys alone: the
        // focus walks through the exponent, skips the hidden bit and walks
        // through the fraction.
        Click(Find(w, a ? "Ea" : "EB", 10));
        for (const QChar c : exponent + fraction) {
          QTest::keyClick(QApplication::focusWidget(), c.toLatin1());
        }
        const Operand op = a ? Operand::A : Operand::B;
        QCOMPARE(ModelBits(*entry_, op), u);
        QCOMPARE(ShownBits(w, a), u);
        const bool normal = ((u >> 52) & 0x7FF) != 0;
        QCOMPARE(Find(w, a ? "Fa" : "FB", 0)->text(), QString(normal ? "1" : "0"));
        QCOMPARE(QApplication::focusWidget(), Find(w, a ? "Fa" : "FB", 52));

        // "->" shows the value.
        Click(Named<QPushButton>(w, a ? "BittoDecA" : "BittoDecB"));
        const QString text = Named<QLineEdit>(w, a ? "OperandA" : "OperandB")->text();
        const double back = std::strtod(text.toLatin1().constData(), nullptr);
        QVERIFY2(std::fabs(back - value) <= 1e-14 * std::fabs(value), qPrintable(text));
      }
    }
  }

  void decimalToBitsAndBack() {
    QWidget& w = *form_;
    const char* texts[] = {"-0.1", "1e-310", "123456.75", "-1.5E+300"};
    for (const char* text : texts) {
      for (const bool a : {true, false}) {
        QLineEdit* decimal = Named<QLineEdit>(w, a ? "OperandA" : "OperandB");
        decimal->clear();
        Click(decimal);
        QTest::keyClicks(decimal, text);
        QCOMPARE((a ? entry_->OperandA : entry_->OperandB), std::string(text));
        Click(Named<QPushButton>(w, a ? "DectoBitA" : "DectoBitB"));
        const double value = std::strtod(text, nullptr);
        QCOMPARE(ShownBits(w, a), std::bit_cast<std::uint64_t>(value));

        // Wipe the decimal box, convert the bits back.
        decimal->clear();
        QTest::keyClicks(decimal, "junk");
        Click(Named<QPushButton>(w, a ? "BittoDecA" : "BittoDecB"));
        const double back = std::strtod(decimal->text().toLatin1().constData(), nullptr);
        QVERIFY2(std::fabs(back - value) <= 1e-14 * std::fabs(value), qPrintable(decimal->text()));
        QCOMPARE(decimal->text().toStdString(), (a ? entry_->OperandA : entry_->OperandB));
      }
    }
  }

  void exponentOverflowIsReportedThroughTheDialogs() {
    QWidget& w = *form_;
    Click(Find(w, "EB", 10));
    for (int i = 0; i < 11; ++i)
      QTest::keyClick(QApplication::focusWidget(), '1');
    Click(Named<QPushButton>(w, "BittoDecB"));
    QCOMPARE(dialogs_.messages, std::vector<std::string>{"Exponent Overflow!"});
    QCOMPARE(Find(w, "EB", 10)->text(), QString("0"));
    QCOMPARE(Named<QLineEdit>(w, "OperandB")->text(), QString(" 1"));
  }

  void disabledisplayStopsBitsToDecimal() {
    QWidget& w = *form_;
    entry_->SetDecimal(Operand::A, "keep");
    entry_->SetBox(BoxRow::Ea, 0, "1");
    form_->Refresh();
    auto* check = Named<QCheckBox>(w, "Disabledisplay");
    Click(check);
    QVERIFY(entry_->Disabledisplay);
    Click(Named<QPushButton>(w, "BittoDecA"));
    QCOMPARE(Named<QLineEdit>(w, "OperandA")->text(), QString("keep"));
    Click(check);
    QVERIFY(!entry_->Disabledisplay);
    Click(Named<QPushButton>(w, "BittoDecA"));
    QVERIFY(Named<QLineEdit>(w, "OperandA")->text() != "keep");
    entry_->Disabledisplay = true;
    form_->Refresh();
    QVERIFY(check->isChecked());
  }

  void optionButtonsSelectTheOperationAndTheMode() {
    QWidget& w = *form_;
    Click(Named<QRadioButton>(w, "Option6"));
    QVERIFY(!entry_->IsAdd());
    for (int mode = 1; mode <= 4; ++mode) {
      Click(Named<QRadioButton>(w, QString("Option%1").arg(mode).toLatin1().constData()));
      QCOMPARE(entry_->RoundingOption(), mode);
      for (int n = 1; n <= 4; ++n) {
        QCOMPARE(
            Named<QRadioButton>(w, QString("Option%1").arg(n).toLatin1().constData())->isChecked(),
            n == mode);
      }
    }
    QVERIFY(!entry_->IsAdd());
    // A reset in the model shows on the next refresh.
    entry_->Reset();
    form_->Refresh();
    QVERIFY(Named<QRadioButton>(w, "Option5")->isChecked());
    QVERIFY(Named<QRadioButton>(w, "Option4")->isChecked());
    QVERIFY(!Named<QRadioButton>(w, "Option6")->isChecked());
  }

  void refreshShowsTheModelAndTouchesOnlyChangedBoxes() {
    QWidget& w = *form_;
    // Writing a text box clears its modified mark: a box still marked was
    // left alone.
    const QList<QLineEdit*> boxes = w.findChildren<QLineEdit*>();
    for (QLineEdit* box : boxes)
      box->setModified(true);
    form_->Refresh();
    for (QLineEdit* box : boxes)
      QVERIFY2(box->isModified(), qPrintable(box->objectName()));
    // The batch runner writes the boxes directly, then the window refreshes.
    entry_->SetSign(Operand::B, "1");
    entry_->SetBox(BoxRow::EB, 10, "1");
    entry_->SetBox(BoxRow::FB, 3, "1");
    entry_->INJ[0] = "1";
    form_->Refresh();
    QCOMPARE(Named<QLineEdit>(w, "SB")->text(), QString("1"));
    QCOMPARE(Find(w, "EB", 10)->text(), QString("1"));
    QCOMPARE(Find(w, "FB", 0)->text(), QString("1"));  // the hidden bit followed
    QCOMPARE(Find(w, "FB", 3)->text(), QString("1"));
    QCOMPARE(Find<QLabel>(w, "INJ", 0)->text(), QString("1"));
    int rewritten = 0;
    for (QLineEdit* box : boxes)
      rewritten += box->isModified() ? 0 : 1;
    QCOMPARE(rewritten, 4);
    // Without an explicit refresh the window catches up on its own.
    entry_->SetBox(BoxRow::Fa, 7, "1");
    QTRY_COMPARE(Find(w, "Fa", 7)->text(), QString("1"));
  }

  void modelWritesDoNotStealTheFocus() {
    // Inside the main window: the focus sits in another window (the control
    // panel starting a reset or a batch) while the model writes the boxes.
    QMdiArea area;
    area.resize(1000, 700);
    form_.reset();
    auto* form = new InputForm(*entry_);  // the area owns it
    area.addSubWindow(form)->show();
    auto* panel = new QLineEdit;
    QMdiSubWindow* panelSub = area.addSubWindow(panel);
    panelSub->show();
    area.show();
    area.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&area));
    area.setActiveSubWindow(panelSub);
    panel->setFocus();
    QCOMPARE(QApplication::focusWidget(), panel);
    entry_->SetBox(BoxRow::Ea, 4, "1");
    entry_->ClearBoxes(BoxRow::Ea, 0, 10);
    entry_->Reset();
    QCOMPARE(QApplication::focusWidget(), panel);
    QCOMPARE(area.activeSubWindow(), panelSub);
    // Typing in the operand window itself does move it.
    Click(Find(*form, "Ea", 4));
    QTest::keyClick(QApplication::focusWidget(), '1');
    QCOMPARE(QApplication::focusWidget(), Find(*form, "Ea", 3));
  }

  void activationKeepsTheDecimalTexts() {
    entry_->SetDecimal(Operand::A, "12abc");
    entry_->SetDecimal(Operand::B, " 0.5");
    form_->Activated();
    QCOMPARE(entry_->OperandA, std::string("12abc"));
    QCOMPARE(Named<QLineEdit>(*form_, "OperandA")->text(), QString("12abc"));
    QCOMPARE(Named<QLineEdit>(*form_, "OperandB")->text(), QString(" 0.5"));
  }

  void injectionWindowAsAWindowOfItsOwn() {
    QVERIFY(form_->injectionWindow() == nullptr);
    Click(Named<QPushButton>(*form_, "Command1"));
    SetInjection* inj = form_->injectionWindow();
    QVERIFY(inj != nullptr);
    QVERIFY(inj->isVisible());
    QCOMPARE(inj->windowTitle(), QString("Set Injection"));
    QVERIFY(QTest::qWaitForWindowActive(inj));

    const char* names[] = {"INJ_UP", "INJ_DOWN", "INJ_ZERO", "INJ_NE"};
    const char* initial[4][2] = {{"1", "1"}, {"0", "1"}, {"0", "0"}, {"1", "0"}};
    for (int row = 0; row < 4; ++row) {
      for (int i = 0; i < 2; ++i)
        QCOMPARE(Find(*inj, names[row], i)->text(), QString(initial[row][i]));
    }
    QStringList labels;
    for (QLabel* l : inj->findChildren<QLabel*>())
      labels << l->text();
    for (const char* label : {"UP", "Down", "Zero", "NE"})
      QVERIFY2(labels.contains(label), label);

    // Each box accepts only "1".
    QLineEdit* down1 = Find(*inj, "INJ_DOWN", 1);
    Click(down1);
    QTest::keyClicks(down1, "x");
    QCOMPARE(down1->text(), QString("0"));
    QCOMPARE(entry_->injection.Box(InjectionTable::kDown, 1), "0");
    QLineEdit* zero0 = Find(*inj, "INJ_ZERO", 0);
    Click(zero0);
    QTest::keyClicks(zero0, "1");
    QCOMPARE(zero0->text(), QString("1"));
    QCOMPARE(entry_->injection.Box(InjectionTable::kZero, 0), "1");

    // Losing the focus minimises it; "INJ" brings it back, same window.
    form_->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(form_.get()));
    QTRY_VERIFY(inj->isMinimized());
    Click(Named<QPushButton>(*form_, "Command1"));
    QCOMPARE(form_->injectionWindow(), inj);
    QTRY_VERIFY(!inj->isMinimized());
    QCOMPARE(Find(*inj, "INJ_ZERO", 0)->text(), QString("1"));
  }

  void injectionWindowInsideTheMainWindow() {
    QMdiArea area;
    area.resize(1000, 700);
    ChildWindow::SetHost([&area](ChildWindow* child) { area.addSubWindow(child)->hide(); });
    form_.reset();
    auto* form = new InputForm(*entry_);  // the area owns it
    QMdiSubWindow* formSub = area.addSubWindow(form);
    area.show();
    formSub->show();
    area.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&area));
    area.setActiveSubWindow(formSub);

    Click(Named<QPushButton>(*form, "Command1"));
    SetInjection* inj = form->injectionWindow();
    QVERIFY(inj != nullptr);
    auto* injSub = qobject_cast<QMdiSubWindow*>(inj->parentWidget());
    QVERIFY(injSub != nullptr);
    QVERIFY(injSub->isVisible());
    QCOMPARE(area.activeSubWindow(), injSub);
    QVERIFY(!injSub->isMinimized());
    // It opens just below the button, inside the main window.
    const QPushButton* button = Named<QPushButton>(*form, "Command1");
    const QPoint below = button->mapTo(area.viewport(), QPoint(0, button->height()));
    QCOMPARE(injSub->y(), below.y());
    QVERIFY(area.viewport()->rect().contains(injSub->geometry()));

    // Another window takes the focus: this one minimises, the other keeps it.
    area.setActiveSubWindow(formSub);
    QTRY_VERIFY(injSub->isMinimized());
    QCOMPARE(area.activeSubWindow(), formSub);
    // Back to it: its normal state again.
    area.setActiveSubWindow(injSub);
    QTRY_VERIFY(!injSub->isMinimized());
    QCOMPARE(area.activeSubWindow(), injSub);
    // "INJ" on a minimised window shows it in its normal state.
    area.setActiveSubWindow(formSub);
    QTRY_VERIFY(injSub->isMinimized());
    Click(Named<QPushButton>(*form, "Command1"));
    QCOMPARE(form->injectionWindow(), inj);
    QTRY_VERIFY(!injSub->isMinimized());
  }
};

QTEST_MAIN(InputFormTest)
#include "input_window_window_test.moc"
