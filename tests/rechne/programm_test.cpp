// dunstwerk-rechne as a user starts it: files and standard input, exit
// status, messages, a full disk, and the decimal comma of a German session.
// Each case starts the built program (DUNSTWERK_RECHNE) in a folder of its own.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

constexpr const char* kGut = "Ort;temlu;rf\nA;20;50\n";
constexpr const char* kFehler = "Ort;temlu;rf\nA;20;50\nB;;50\n";

std::string Lies(const fs::path& datei) {
  std::ifstream ein(datei, std::ios::binary);
  return {std::istreambuf_iterator<char>(ein), {}};
}

struct Ergebnis {
  int status = -1;
  std::string aus;      // standard output, unless it went to a device
  std::string meldung;  // standard error
};

struct Start {
  std::vector<std::string> argumente;
  std::string eingabe = "/dev/null";  // standard input, in the test's folder
  std::string ausgabe{};              // standard output, when not captured
  bool deutsch = false;               // a German session (LC_ALL=de_DE.UTF-8)
};

class Programm : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string muster = (fs::temp_directory_path() / "rechne_programm.XXXXXX").string();
    ASSERT_NE(mkdtemp(muster.data()), nullptr);
    ordner_ = muster;
    std::ofstream(ordner_ / "gut.csv", std::ios::binary) << kGut;
    std::ofstream(ordner_ / "fehler.csv", std::ios::binary) << kFehler;
  }
  // Only the folder this test made, of regular files it or the program wrote.
  void TearDown() override { fs::remove_all(ordner_); }

  // Starts the program in the folder and waits for its end.
  Ergebnis Starte(const Start& s) {
    const fs::path aus = ordner_ / "aus.txt", meldung = ordner_ / "meldung.txt";
    const pid_t kind = fork();
    if (kind == 0) {
      // Devices are opened for writing only: never created, truncated or replaced.
      const std::string ziel = s.ausgabe.empty() ? aus.string() : s.ausgabe;
      const int flags = s.ausgabe.empty() ? O_WRONLY | O_CREAT | O_TRUNC : O_WRONLY;
      if (chdir(ordner_.c_str()) != 0) _exit(127);
      const int ein = open(s.eingabe.c_str(), O_RDONLY);
      const int a = open(ziel.c_str(), flags, 0644);
      const int m = open(meldung.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
      if (ein < 0 || a < 0 || m < 0 || dup2(ein, 0) < 0 || dup2(a, 1) < 0 || dup2(m, 2) < 0)
        _exit(127);
      if (s.deutsch) {
        setenv("LOCPATH", DUNSTWERK_LOCPATH, 1);
        setenv("LC_ALL", "de_DE.UTF-8", 1);
      }
      std::vector<char*> argv{const_cast<char*>(DUNSTWERK_RECHNE)};
      for (const std::string& arg : s.argumente) argv.push_back(const_cast<char*>(arg.c_str()));
      argv.push_back(nullptr);
      execv(argv[0], argv.data());
      _exit(127);
    }
    Ergebnis e;
    int status = 0;
    if (kind > 0 && waitpid(kind, &status, 0) == kind && WIFEXITED(status))
      e.status = WEXITSTATUS(status);
    if (s.ausgabe.empty()) e.aus = Lies(aus);
    e.meldung = Lies(meldung);
    return e;
  }

  fs::path ordner_;
};

// What cannot be done ends with 2 and a German reason; rows with errors with 1.
TEST_F(Programm, StatusAusgabeUndMeldung) {
  const struct {
    Start start;
    int status;
    const char* aus;      // the output holds it
    const char* meldung;  // the message holds it; none at all with status 0
  } faelle[] = {
      {{{"--dezimalpunkt", "-"}, "gut.csv"}, 0, "\nA;20;50;20.00;9.28;", ""},
      {{{"--dezimalpunkt", "-o", "datei.csv", "gut.csv"}}, 0, "", ""},
      {{{"--dezimalkomma", "fehler.csv"}}, 1, "\nB;;50;;;;;;;;;;;;;6;Eingaben fehlen !\n", ""},
      {{{"--unbekannt"}}, 2, "", "Unbekannte Option"},
      {{{"fehlt.csv"}}, 2, "", "nicht lesbar"},
      {{{"-o", "teil.csv", "/dev/null"}}, 2, "", "Kopfzeile fehlt"},
      {{{"gut.csv", "fehler.csv"}}, 2, "", "Nur eine Eingabedatei"},
      {{{"--rf"}}, 2, "", "braucht einen Namen"},
      {{{"gut.csv", "-o", "gut.csv"}}, 2, "", "dieselbe Datei"},
      {{{"."}}, 2, "", "nicht lesbar"},
      {{{"--hilfe"}}, 0, "Zeile hat zu wenige oder zu viele Felder", ""},
      {{{"--version"}}, 0, "dunstwerk-rechne (Dunstwerk) " DUNSTWERK_VERSION "\n", ""},
      // The German session's decimal comma, from the locales the test build made.
      {{{"gut.csv"}, "/dev/null", "", true}, 0, "\nA;20;50;20,00;9,28;", ""},
      {{{"--dezimalpunkt", "gut.csv"}, "/dev/null", "", true}, 0, "\nA;20;50;20.00;", ""},
      // A full disk: the write fails at some point, never with status 0.
      {{{"gut.csv"}, "/dev/null", "/dev/full"}, 2, "", "nicht geschrieben"},
      {{{"-o", "/dev/full", "gut.csv"}}, 2, "", "nicht geschrieben"},
      {{{"--hilfe"}, "/dev/null", "/dev/full"}, 2, "", "nicht geschrieben"},
  };
  std::string standardausgabe;
  for (const auto& f : faelle) {
    SCOPED_TRACE(f.start.argumente[0]);
    const Ergebnis e = Starte(f.start);
    if (standardausgabe.empty()) standardausgabe = e.aus;
    EXPECT_EQ(e.status, f.status) << e.meldung;
    EXPECT_NE(e.aus.find(f.aus), std::string::npos) << e.aus;
    EXPECT_TRUE(f.status != 0 || e.meldung.empty()) << e.meldung;
    EXPECT_NE(e.meldung.find(f.meldung), std::string::npos) << e.meldung;
    EXPECT_EQ(Lies(ordner_ / "gut.csv"), kGut) << "the input was overwritten";
  }
  EXPECT_EQ(Lies(ordner_ / "datei.csv"), standardausgabe);
  // A run that fails leaves no output file that could pass for a result, and
  // removes only files it created, never the device.
  EXPECT_FALSE(fs::exists(ordner_ / "teil.csv"));
  struct stat info {};
  ASSERT_EQ(stat("/dev/full", &info), 0);
  EXPECT_TRUE(S_ISCHR(info.st_mode)) << "the program removed the device /dev/full";
}

}  // namespace
