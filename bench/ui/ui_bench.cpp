// Timings of the window on the offscreen platform, each set beside a bare
// window of the same 39 controls (kind, caption, font, place, start
// visibility and the window's background) with nothing else: no icon, no
// behaviour, no accessibility, no colour rules. The difference is what the
// window's own start and click cost.
//  - from the first line of main to the first painted window, the whole
//    process from start to exit, and the peak memory of such a process (each
//    in a fresh child process, the real and the bare window taken in turn);
//  - from a click on "Rechne !" to the painted results (both windows in this
//    process, clicked in turn; the bare one shows the same texts it is given).
// Prints the medians and their ratios. Run without arguments, or with a
// number of start pairs (21 by default).
#include <sys/resource.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <algorithm>
#include <array>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "ui/layout.h"
#include "ui/qt/frm_dunstwerk.h"

namespace {

using namespace dunstwerk;
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

QString Qs(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// The results of 20 °C and 50 %, as the window shows them.
constexpr std::array<const char*, 12> kErgebnisse{"20,00",   "9,28",    "13,75",   "50,00",
                                                  "0,00877", "0,00737", "1,19941", "0,01171",
                                                  "0,02342", "0,00995", "0,00258", "38,8"};

// The bare window: the same controls, built from the same table.
class NacktesFenster : public QWidget {
 public:
  NacktesFenster() {
    QPalette p = palette();
    p.setColor(QPalette::Window, QColor(kHintergrund.r, kHintergrund.g, kHintergrund.b));
    setPalette(p);
    setAutoFillBackground(true);
    setFixedSize(Pixel(kFensterBreiteTwips), Pixel(kFensterHoeheTwips));
    for (Element e = 0; e < kSteuerelemente.size(); ++e) {
      const dunstwerk::Steuerelement& s = kSteuerelemente[e];
      QWidget* w = nullptr;
      switch (s.art) {
        case Art::Bezeichnung: {
          auto* l = new QLabel(Qs(s.text), this);
          l->setWordWrap(true);
          l->setAutoFillBackground(true);
          w = l;
          break;
        }
        case Art::Textfeld:
          w = new QLineEdit(this);
          break;
        case Art::Schaltflaeche:
          w = new QPushButton(Qs(s.text), this);
          break;
        case Art::Bildfeld:
          w = new QWidget(this);
          w->setAutoFillBackground(true);
          break;
      }
      QFont schrift(QStringLiteral("Arial"));
      schrift.setPointSizeF(s.punkt);
      schrift.setWeight(QFont::Bold);
      schrift.setItalic(s.kursiv);
      w->setFont(schrift);
      w->setGeometry(Pixel(s.links), Pixel(s.oben), Pixel(s.breite), Pixel(s.hoehe));
      w->setVisible(s.sichtbar);
      elemente_[e] = w;
    }
  }

  QWidget* Teil(const char* name) const { return elemente_[ElementVon(name)]; }

  // What a click on a mode button, "Rechne !" and "Erneut starten !" change.
  void Modus() {
    for (const char* n : {"cmd_Rechn_1", "cmd_Rechn_2", "cmd_Rechn_3", "lbl_Aufford_Z1",
                          "lbl_Aufford_Z2a", "lbl_Aufford_Z3a", "lbl_Aufford_Z5"})
      Teil(n)->hide();
    Teil("txt_temlu")->show();
    Teil("txt_rf")->show();
    Teil("cmd_rechne")->show();
  }
  void Rechne() {
    Teil("cmd_rechne")->hide();
    for (std::size_t i = 0; i < kErgebnisfelder.size(); ++i) {
      auto* feld = static_cast<QLineEdit*>(elemente_[kErgebnisfelder[i]]);
      feld->show();
      feld->setText(QString::fromLatin1(kErgebnisse[i]));
    }
    Teil("cmd_neustart")->show();
    Teil("cmd_beenden")->show();
    repaint();
  }
  void Neustart() {
    for (Element e : kErgebnisfelder) {
      static_cast<QLineEdit*>(elemente_[e])->clear();
      if (e != ElementVon("txt_temlu") && e != ElementVon("txt_rf")) elemente_[e]->hide();
    }
    Teil("cmd_neustart")->hide();
    Teil("cmd_beenden")->hide();
    Teil("cmd_rechne")->show();
  }

 private:
  std::array<QWidget*, kSteuerelemente.size()> elemente_{};
};

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
int EinStart(int argc, char* argv[], Uhr::time_point beginn, bool nackt) {
  QApplication app(argc, argv);
  std::unique_ptr<QWidget> fenster;
  if (nackt)
    fenster = std::make_unique<NacktesFenster>();
  else
    fenster = std::make_unique<frm_Dunstwerk>();
  QEventLoop schleife;
  ErstesMalen filter(schleife);
  fenster->installEventFilter(&filter);
  fenster->show();
  schleife.exec();
  const double ms = std::chrono::duration<double, std::milli>(Uhr::now() - beginn).count();
  fenster->removeEventFilter(&filter);

  if (nackt) {
    auto* n = static_cast<NacktesFenster*>(fenster.get());
    n->Modus();
    n->Rechne();
  } else {
    Knopf(*fenster, "cmd_Rechn_1")->click();
    Feld(*fenster, "txt_temlu")->setText("20");
    Feld(*fenster, "txt_rf")->setText("50");
    Knopf(*fenster, "cmd_rechne")->click();
  }
  // Whole microseconds: QApplication has set the C library's LC_NUMERIC from
  // the environment, and a German one would print a decimal comma that the
  // parent, in the C locale, reads as the end of the number.
  std::printf("%lld %ld\n", std::llround(ms * 1000), SpitzenspeicherKiB());
  return 0;
}

struct Start {
  double ms, gesamtMs, mib;
};

bool Starte(const char* programm, bool nackt, Start& start) {
  QProcess kind;
  QElapsedTimer uhr;
  uhr.start();
  QStringList argumente{QStringLiteral("--ein-start")};
  if (nackt) argumente << QStringLiteral("nackt");
  kind.start(QString::fromLocal8Bit(programm), argumente);
  if (!kind.waitForFinished(30000) || kind.exitCode() != 0) return false;
  start.gesamtMs = static_cast<double>(uhr.nsecsElapsed()) / 1e6;
  long long us = 0;
  long kib = 0;
  if (std::sscanf(kind.readAllStandardOutput().constData(), "%lld %ld", &us, &kib) != 2)
    return false;
  start.ms = static_cast<double>(us) / 1000;
  start.mib = static_cast<double>(kib) / 1024;
  return true;
}

void Zeile(const char* was, const std::vector<double>& echt, const std::vector<double>& nackt,
           const char* einheit) {
  const double e = Median(echt), n = Median(nackt);
  std::printf("%-44s %9.3f %9.3f %s  ratio %.3f\n", was, e, n, einheit, e / n);
}

}  // namespace

int main(int argc, char* argv[]) {
  const auto beginn = Uhr::now();
  qputenv("QT_QPA_PLATFORM", "offscreen");
  if (argc > 1 && std::strcmp(argv[1], "--ein-start") == 0)
    return EinStart(argc, argv, beginn, argc > 2 && std::strcmp(argv[2], "nackt") == 0);

  const int paare = argc > 1 ? std::max(1, std::atoi(argv[1])) : 21;
  std::vector<double> ms[2], gesamtMs[2], mib[2];
  for (int i = 0; i < paare; ++i) {
    // Which goes first changes from pair to pair.
    for (int j = 0; j < 2; ++j) {
      const bool nackt = (i + j) % 2 != 0;
      Start s{};
      if (!Starte(argv[0], nackt, s)) {
        std::fprintf(stderr, "start %d failed\n", i);
        return 1;
      }
      ms[nackt].push_back(s.ms);
      gesamtMs[nackt].push_back(s.gesamtMs);
      mib[nackt].push_back(s.mib);
    }
  }

  QApplication app(argc, argv);
  QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
  frm_Dunstwerk fenster;
  fenster.show();
  NacktesFenster nackt;
  nackt.show();
  QCoreApplication::processEvents();
  Knopf(fenster, "cmd_Rechn_1")->click();
  nackt.Modus();
  constexpr int kKlicks = 501;
  std::vector<double> klickMs[2];
  for (int i = 0; i < kKlicks; ++i) {
    Feld(fenster, "txt_temlu")->setText("20");
    Feld(fenster, "txt_rf")->setText("50");
    QCoreApplication::processEvents();
    QElapsedTimer uhr;
    uhr.start();
    // The handler repaints the window before it returns.
    Knopf(fenster, "cmd_rechne")->click();
    klickMs[0].push_back(static_cast<double>(uhr.nsecsElapsed()) / 1e6);
    if (Feld(fenster, "txt_h1")->text() != QStringLiteral("38,8")) return 1;
    Knopf(fenster, "cmd_neustart")->click();

    static_cast<QLineEdit*>(nackt.Teil("txt_temlu"))->setText("20");
    static_cast<QLineEdit*>(nackt.Teil("txt_rf"))->setText("50");
    QCoreApplication::processEvents();
    uhr.start();
    nackt.Rechne();
    klickMs[1].push_back(static_cast<double>(uhr.nsecsElapsed()) / 1e6);
    nackt.Neustart();
  }

  std::printf("%-44s %9s %9s\n", "median over alternating runs", "window", "bare");
  Zeile("main to first painted window", ms[0], ms[1], "ms");
  Zeile("process start to exit, one calculation", gesamtMs[0], gesamtMs[1], "ms");
  Zeile("peak memory, one calculation", mib[0], mib[1], "MiB");
  Zeile("click on Rechne ! to painted results", klickMs[0], klickMs[1], "ms");
  std::printf(
      "(%d start pairs, %d click pairs; goals: window start < 50 ms, memory < 40 MiB,\n"
      " click < 1 ms; against the bare window each ratio < 1.1)\n",
      paare, kKlicks);
  return 0;
}
