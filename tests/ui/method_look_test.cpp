// SPDX-License-Identifier: GPL-3.0-or-later
// Every method of the method table has a look of its own in the plots: a
// colour, a marker and a dash that no other method shares, so that no plot
// tells the methods apart by colour alone; on a dark background each colour
// keeps at least 3:1 against the plot.
#include <QApplication>
#include <QPalette>
#include <QtTest>

#include "core/method_table.h"
#include "tests/ui/window_test_support.h"
#include "ui/charts/method_look.h"

namespace {

QPalette LightPalette() {
  QPalette light;
  light.setColor(QPalette::Base, Qt::white);
  return light;
}

}  // namespace

class MethodLookTest : public QObject {
  Q_OBJECT

 private slots:
  void eachMethodLooksApart_data();
  void eachMethodLooksApart();
};

void MethodLookTest::eachMethodLooksApart_data() {
  QTest::addColumn<int>("method");
  for (const core::MethodEntry& entry : core::kMethods)
    QTest::newRow(entry.key.data()) << static_cast<int>(entry.number);
}

void MethodLookTest::eachMethodLooksApart() {
  QFETCH(int, method);
  const auto number = static_cast<std::uint8_t>(method);
  const QPalette light = LightPalette();
  const QPalette dark = window_test::DarkPalette();
  QVERIFY(!ui::IsDark(light));
  QVERIFY(ui::IsDark(dark));
  QVERIFY(!ui::MethodShortName(number).isEmpty());
  const double contrast =
      window_test::Contrast(ui::MethodColour(number, dark), dark.color(QPalette::Base));
  QVERIFY2(contrast >= 3, qPrintable(QString::number(contrast)));
  for (const core::MethodEntry& other : core::kMethods) {
    if (other.number == number) continue;
    const QByteArray name(other.key.data(), static_cast<qsizetype>(other.key.size()));
    QVERIFY2(ui::MethodColour(number, light) != ui::MethodColour(other.number, light), name);
    QVERIFY2(ui::MethodColour(number, dark) != ui::MethodColour(other.number, dark), name);
    QVERIFY2(ui::MethodMarker(number) != ui::MethodMarker(other.number), name);
    QVERIFY2(ui::MethodDash(number) != ui::MethodDash(other.number), name);
    QVERIFY2(ui::MethodShortName(number) != ui::MethodShortName(other.number), name);
  }
}

QTEST_MAIN(MethodLookTest)
#include "method_look_test.moc"
