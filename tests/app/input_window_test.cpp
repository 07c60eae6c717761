// The operand entry window and the injection window inside the main window,
// driven with the keyboard and the mouse: the box check and focus advance,
// typing whole operands, "<-" and "->", the injection window's boxes.

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <cmath>
#include <cstdlib>

#include "app/control_panel_window.h"
#include "app/injection_window.h"
#include "app/input_window.h"
#include "app/style.h"
#include "app/window_fixture.h"

using namespace sumaris;
using namespace sumaris::test;

namespace {

// The 64 bits one operand's boxes show: sign, exponent boxes 10 .. 0,
// fraction boxes 1 .. 52.
std::string ShownBits(const InputForm& form, Operand op) {
  const bool a = op == Operand::A;
  std::string bits = form.SignBox(op)->text().toStdString();
  for (int i = 10; i >= 0; --i)
    bits += form.Box(a ? BoxRow::Ea : BoxRow::EB, i)->text().toStdString();
  for (int i = 1; i <= 52; ++i)
    bits += form.Box(a ? BoxRow::Fa : BoxRow::FB, i)->text().toStdString();
  return bits;
}

QPushButton* Button(const InputForm& form, const QString& name) {
  return form.findChild<QPushButton*>(name);
}

}  // namespace

class InputFormTest : public QObject {
  Q_OBJECT

 private slots:
  void aBoxTakesOnlyABitAndPassesTheFocusOn() {
    StartedWindow s;
    QVERIFY(s.Start());
    InputForm& form = *s.window->inputForm();
    const OperandEntry& entry = s.window->adder().input;
    const Cell* rows[] = {entry.Ea.data(), entry.EB.data(), entry.Fa.data(), entry.FB.data()};
    // Exponent boxes run from 10 down to 0, then on to the first fraction
    // bit (past the hidden bit); the last fraction box keeps the focus.
    const struct {
      BoxRow row;
      int index;
      char key;
      const char* text;
      BoxRow nextRow;
      int next;
    } cases[] = {
        {BoxRow::Ea, 5, '7', "0", BoxRow::Ea, 4},   {BoxRow::EB, 10, '1', "1", BoxRow::EB, 9},
        {BoxRow::Ea, 0, '1', "1", BoxRow::Fa, 1},   {BoxRow::Fa, 7, 'x', "0", BoxRow::Fa, 8},
        {BoxRow::FB, 52, '1', "1", BoxRow::FB, 52}, {BoxRow::FB, 52, 'x', "0", BoxRow::FB, 52},
    };
    for (const auto& c : cases) {
      Click(form.Box(c.row, c.index));
      QTest::keyClick(QApplication::focusWidget(), c.key);
      QCOMPARE(form.Box(c.row, c.index)->text(), QString(c.text));
      QCOMPARE(rows[static_cast<int>(c.row)][c.index].str(), std::string(c.text));
      QLineEdit* next = form.Box(c.nextRow, c.next);
      QCOMPARE(QApplication::focusWidget(), next);
      QCOMPARE(next->selectedText(), next->text());  // the next key replaces it
    }
    // The hidden bits follow the exponents.
    QCOMPARE(form.Box(BoxRow::Fa, 0)->text() + form.Box(BoxRow::FB, 0)->text(), QString("11"));
  }

  void typingAnOperandBitByBitAndShowingIt() {
    StartedWindow s;
    QVERIFY(s.Start());
    InputForm& form = *s.window->inputForm();
    for (const double value : {-2.5, 0.1, 6.02214076e23, 5e-324}) {
      for (const Operand op : {Operand::A, Operand::B}) {
        const std::string bits = Bits(value);
        Click(form.SignBox(op));
        TypeKeys(QString::fromStdString(bits.substr(0, 1)));
        // One click on the first exponent box, then the keys alone.
        Click(form.Box(op == Operand::A ? BoxRow::Ea : BoxRow::EB, 10));
        TypeKeys(QString::fromStdString(bits.substr(1)));
        QCOMPARE(ShownBits(form, op), bits);
        QCOMPARE(form.Box(op == Operand::A ? BoxRow::Fa : BoxRow::FB, 0)->text(),
                 QString(std::fabs(value) >= 0x1p-1022 ? "1" : "0"));
        // "->" shows the value as a decimal, from the bits as typed.
        Click(Button(form, op == Operand::A ? "BittoDecA" : "BittoDecB"));
        const QString text = form.DecimalBox(op)->text();
        const double shown = std::strtod(text.toLatin1().constData(), nullptr);
        QVERIFY2(std::fabs(shown - value) <= 1e-14 * std::fabs(value), qPrintable(text));
      }
    }
  }

  void decimalTextToBits() {
    StartedWindow s;
    QVERIFY(s.Start());
    InputForm& form = *s.window->inputForm();
    for (const char* text : {"-0.1", "1e-310", "123456.75", "-1.5E+300"}) {
      for (const Operand op : {Operand::A, Operand::B}) {
        QLineEdit* decimal = form.DecimalBox(op);
        Click(decimal);
        decimal->selectAll();
        QTest::keyClicks(decimal, text);
        Click(Button(form, op == Operand::A ? "DectoBitA" : "DectoBitB"));
        QCOMPARE(ShownBits(form, op), Bits(std::strtod(text, nullptr)));
      }
    }
  }

  // "<-" with a number beyond the double range says the bits are unchanged
  // and why. A decimal box beside bits it no longer describes (typed by
  // hand, then Run) is greyed with its text kept, until a conversion.
  void theOperandEntrySaysWhenNothingHappened() {
    StartedWindow s;
    QVERIFY(s.Start());
    InputForm& form = *s.window->inputForm();
    const auto greyed = [&form](Operand op) {
      return form.DecimalBox(op)->palette().color(QPalette::Text) == style::StaleTextColor();
    };
    QLineEdit* decimal = form.DecimalBox(Operand::A);
    Click(decimal);
    decimal->selectAll();
    QTest::keyClicks(decimal, "0.5");
    Click(Button(form, "DectoBitA"));
    QVERIFY(!greyed(Operand::A));
    Click(decimal);
    decimal->selectAll();
    QTest::keyClicks(decimal, "1e400");
    Click(Button(form, "DectoBitA"));
    QCOMPARE(ShownBits(form, Operand::A), Bits(0.5));
    QCOMPARE(decimal->text(), QString("1e400"));
    QCOMPARE(s.dialogs.messages,
             std::vector<std::string>{"Operand A: the bits are unchanged.\n1e400 lies beyond the "
                                      "range of a double (largest about 1.8E+308)."});

    // Bits typed by hand and run: both forms no longer agree.
    Click(form.Box(BoxRow::EB, 10));
    TypeKeys("0111111111");  // B = 2^-1 ... as typed, its decimal box still "0"
    Click(s.window->panel()->findChild<QPushButton*>("cmdRun"));
    QApplication::processEvents();
    QVERIFY(greyed(Operand::B));
    QCOMPARE(form.DecimalBox(Operand::B)->text(), QString("0"));
    QVERIFY(form.DecimalBox(Operand::B)->toolTip().contains("no longer"));
    Click(Button(form, "BittoDecB"));
    QVERIFY(!greyed(Operand::B));
    QCOMPARE(form.DecimalBox(Operand::B)->text(), QString(" 0.5"));
  }

  void injectionBoxesTakeOnlyAOne() {
    StartedWindow s;
    QVERIFY(s.Start());
    InputForm& form = *s.window->inputForm();
    Click(Button(form, "Command1"));
    SetInjection* window = form.injectionWindow();
    QVERIFY(window != nullptr && window->isVisible());
    QCOMPARE(window->windowTitle(), QString("Set Injection"));
    const char* initial[4][2] = {
        {"INJ_UP", "11"}, {"INJ_DOWN", "01"}, {"INJ_ZERO", "00"}, {"INJ_NE", "10"}};
    for (int row = 0; row < 4; ++row) {
      QCOMPARE(window->Box(row, 1)->objectName(), QString(initial[row][0]));
      QCOMPARE(window->Box(row, 0)->text() + window->Box(row, 1)->text(), QString(initial[row][1]));
    }
    const struct {
      int row, index;
      char key;
      const char* text;
    } cases[] = {{1, 1, 'x', "0"}, {2, 0, '1', "1"}, {3, 1, '0', "0"}, {0, 0, '1', "1"}};
    for (const auto& c : cases) {
      Click(window->Box(c.row, c.index));
      window->Box(c.row, c.index)->selectAll();
      QTest::keyClick(window->Box(c.row, c.index), c.key);
      QCOMPARE(window->Box(c.row, c.index)->text(), QString(c.text));
    }
  }
};

QTEST_MAIN(InputFormTest)
#include "input_window_test.moc"
