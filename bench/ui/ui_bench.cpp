// Timings of the window on the offscreen platform:
//  - from the first line of main to the first painted window, and the peak
//    memory of such a process (each in a fresh child process);
//  - from a click on "Rechne !" to the painted results (in this process).
// Prints the medians. Run without arguments.
#include <sys/resource.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <vector>

#include "ui/qt/frm_dunstwerk.h"

namespace {

using Uhr = std::chrono::steady_clock;

double Median(std::vector<double> werte) {
  std::sort(werte.begin(), werte.end());
  const std::size_t n = werte.size();
  return n % 2 ? werte[n / 2] : (werte[n / 2 - 1] + werte[n / 2]) / 2;
}

long SpitzenspeicherKiB() {
  rusage nutzung{};
  getrusage(RUSAGE_SELF, &nutzung);
  return nutzung.ru_maxrss;
}

// Quits a loop on the first paint of the watched window.
class ErstesMalen : public QObject {
 public:
  explicit ErstesMalen(QEventLoop& schleife) : schleife_(schleife) {}

 protected:
  bool eventFilter(QObject*, QEvent* ereignis) override {
    if (ereignis->type() == QEvent::Paint) schleife_.quit();
    return false;
  }

 private:
  QEventLoop& schleife_;
};

QPushButton* Knopf(const QWidget& fenster, const char* name) {
  return fenster.findChild<QPushButton*>(QLatin1String(name));
}

QLineEdit* Feld(const QWidget& fenster, const char* name) {
  return fenster.findChild<QLineEdit*>(QLatin1String(name));
}

// One start: main to first paint, then one calculation; prints both figures.
int EinStart(int argc, char* argv[], Uhr::time_point beginn) {
  QApplication app(argc, argv);
  dunstwerk::frm_Dunstwerk fenster;
  QEventLoop schleife;
  ErstesMalen filter(schleife);
  fenster.installEventFilter(&filter);
  fenster.show();
  schleife.exec();
  const double ms = std::chrono::duration<double, std::milli>(Uhr::now() - beginn).count();
  fenster.removeEventFilter(&filter);

  Knopf(fenster, "cmd_Rechn_1")->click();
  Feld(fenster, "txt_temlu")->setText("20");
  Feld(fenster, "txt_rf")->setText("50");
  Knopf(fenster, "cmd_rechne")->click();
  // Whole microseconds: QApplication has set the C library's LC_NUMERIC from
  // the environment, and a German one would print a decimal comma that the
  // parent, in the C locale, reads as the end of the number.
  std::printf("%lld %ld\n", std::llround(ms * 1000), SpitzenspeicherKiB());
  return 0;
}

}  // namespace

int main(int argc, char* argv[]) {
  const auto beginn = Uhr::now();
  qputenv("QT_QPA_PLATFORM", "offscreen");
  if (argc > 1 && std::strcmp(argv[1], "--ein-start") == 0) return EinStart(argc, argv, beginn);

  constexpr int kStarts = 21;
  std::vector<double> startMs, startGesamtMs, speicherMiB;
  for (int i = 0; i < kStarts; ++i) {
    QProcess kind;
    QElapsedTimer uhr;
    uhr.start();
    kind.start(QString::fromLocal8Bit(argv[0]), {QStringLiteral("--ein-start")});
    if (!kind.waitForFinished(30000) || kind.exitCode() != 0) {
      std::fprintf(stderr, "start %d failed\n", i);
      return 1;
    }
    startGesamtMs.push_back(static_cast<double>(uhr.nsecsElapsed()) / 1e6);
    long long us = 0;
    long kib = 0;
    if (std::sscanf(kind.readAllStandardOutput().constData(), "%lld %ld", &us, &kib) != 2) return 1;
    startMs.push_back(static_cast<double>(us) / 1000);
    speicherMiB.push_back(static_cast<double>(kib) / 1024);
  }

  QApplication app(argc, argv);
  QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
  dunstwerk::frm_Dunstwerk fenster;
  fenster.show();
  QCoreApplication::processEvents();
  Knopf(fenster, "cmd_Rechn_1")->click();
  constexpr int kKlicks = 501;
  std::vector<double> klickMs;
  for (int i = 0; i < kKlicks; ++i) {
    Feld(fenster, "txt_temlu")->setText("20");
    Feld(fenster, "txt_rf")->setText("50");
    QCoreApplication::processEvents();
    QElapsedTimer uhr;
    uhr.start();
    // The handler repaints the window before it returns.
    Knopf(fenster, "cmd_rechne")->click();
    klickMs.push_back(static_cast<double>(uhr.nsecsElapsed()) / 1e6);
    if (Feld(fenster, "txt_h1")->text() != QStringLiteral("38,8")) return 1;
    Knopf(fenster, "cmd_neustart")->click();
  }

  std::printf("main to first painted window: median %.2f ms over %d starts (goal < 50 ms)\n",
              Median(startMs), kStarts);
  std::printf("process start to exit, with one calculation: median %.2f ms\n",
              Median(startGesamtMs));
  std::printf("peak memory of a start with one calculation: median %.1f MiB (goal < 40 MiB)\n",
              Median(speicherMiB));
  std::printf("click on Rechne ! to painted results: median %.3f ms over %d clicks (goal < 1 ms)\n",
              Median(klickMs), kKlicks);
  return 0;
}
