// The result patterns: rounding, signs, separators and very large values.
#include "ui/zahlformat.h"

#include <QTest>
#include <cmath>
#include <limits>

#include "engine/primitives.h"

using dunstwerk::FormatiereMuster;

class ZahlformatTest : public QObject {
  Q_OBJECT

 private slots:
  void muster_data() {
    QTest::addColumn<double>("wert");
    QTest::addColumn<int>("stellen");
    QTest::addColumn<QString>("trenner");
    QTest::addColumn<QString>("erwartet");

    // Halves that binary floating point holds a little below the half.
    QTest::newRow("2.675") << 2.675 << 2 << ","
                           << "2,68";
    QTest::newRow("1.005") << 1.005 << 2 << ","
                           << "1,01";
    QTest::newRow("0.125") << 0.125 << 2 << ","
                           << "0,13";
    QTest::newRow("38.75 to one decimal") << 38.75 << 1 << ","
                                          << "38,8";
    QTest::newRow("0.000005 to five") << 0.000005 << 5 << ","
                                      << "0,00001";
    // Carries across the separator and into a new leading digit.
    QTest::newRow("9.995") << 9.995 << 2 << ","
                           << "10,00";
    QTest::newRow("99.96 to one") << 99.96 << 1 << "."
                                  << "100.0";
    QTest::newRow("0.995") << 0.995 << 2 << ","
                           << "1,00";
    // Leading zero, padding, no grouping.
    QTest::newRow("small") << 0.00737 << 5 << ","
                           << "0,00737";
    QTest::newRow("below rounding") << 0.000004 << 5 << ","
                                    << "0,00000";
    QTest::newRow("far below") << 1e-300 << 2 << ","
                               << "0,00";
    QTest::newRow("integer") << 20.0 << 2 << "."
                             << "20.00";
    QTest::newRow("thousands") << 1234567.891 << 2 << ","
                               << "1234567,89";
    QTest::newRow("no decimals") << 2.5 << 0 << ","
                                 << "3";
    // Signs.
    QTest::newRow("negative") << -2.675 << 2 << ","
                              << "-2,68";
    QTest::newRow("negative to zero") << -0.001 << 2 << ","
                                      << "-0,00";
    QTest::newRow("negative tiny") << -1e-300 << 5 << ","
                                   << "-0,00000";
    QTest::newRow("zero") << 0.0 << 2 << ","
                          << "0,00";
    QTest::newRow("negative zero") << -0.0 << 5 << ","
                                   << "0,00000";
    // Only fifteen significant digits count, then zeros.
    QTest::newRow("1e20") << 1e20 << 1 << ","
                          << "100000000000000000000,0";
    QTest::newRow("2^60") << 1152921504606846976.0 << 2 << ","
                          << "1152921504606850000,00";
    QTest::newRow("1e300") << 1e300 << 2 << "," << QString("1") + QString(300, '0') + ",00";
    QTest::newRow("other separator")
        << 1.5 << 2 << QString::fromUtf8("\u066b") << QString::fromUtf8("1\u066b50");
  }

  void muster() {
    QFETCH(double, wert);
    QFETCH(int, stellen);
    QFETCH(QString, trenner);
    QFETCH(QString, erwartet);
    QCOMPARE(QString::fromStdString(FormatiereMuster(wert, stellen, trenner.toStdString())),
             erwartet);
  }

  // Whatever is shown must read back as the value it stands for.
  void liestZurueck_data() {
    QTest::addColumn<double>("wert");
    QTest::addColumn<int>("stellen");
    for (double wert : {1e300, -1e300, std::numeric_limits<double>::max(), 123456789.123456,
                        -3.14159, 1e15 + 0.5, 6.02214076e23, 0.07}) {
      for (int stellen : {1, 2, 5}) {
        QTest::addRow("%g/%d", wert, stellen) << wert << stellen;
      }
    }
  }

  void liestZurueck() {
    QFETCH(double, wert);
    QFETCH(int, stellen);
    for (const char* trenner : {",", "."}) {
      const std::string text = FormatiereMuster(wert, stellen, trenner);
      const double gelesen = dunstwerk::ZahlAusText(text);
      const double toleranz = std::max(std::abs(wert) * 1e-14, 0.5 * std::pow(10.0, -stellen));
      QVERIFY2(std::isfinite(gelesen), text.c_str());
      QVERIFY2(std::abs(gelesen - wert) <= toleranz, text.c_str());
    }
  }
};

QTEST_APPLESS_MAIN(ZahlformatTest)
#include "zahlformat_test.moc"
