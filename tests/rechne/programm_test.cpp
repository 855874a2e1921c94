// dunstwerk-rechne (DUNSTWERK_RECHNE) started from a shell as a user starts it,
// in a folder of the test's own, in a German session too.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>

namespace {

namespace fs = std::filesystem;

constexpr const char* kGut = "Ort;temlu;rf\nA;20;50\n";

std::string Lies(const fs::path& datei) {
  std::ifstream ein(datei, std::ios::binary);
  return {std::istreambuf_iterator<char>(ein), {}};
}

// What cannot be done ends with 2 and a German reason, and every run says
// what it did. (Rows with errors give 1, which the comparisons with gleich/
// check.)
TEST(Programm, StatusAusgabeUndMeldung) {
  std::string muster = (fs::temp_directory_path() / "rechne_programm.XXXXXX").string();
  ASSERT_NE(mkdtemp(muster.data()), nullptr);
  const fs::path ordner = muster;
  std::ofstream(ordner / "gut.csv", std::ios::binary) << kGut;
  // Yesterday's result, which no failed run may touch.
  std::ofstream(ordner / "ergebnis.csv", std::ios::binary) << "gestern\n";
  const struct {
    const char* argumente;  // and redirections, for a shell
    bool deutsch;           // a German session (LC_ALL=de_DE.UTF-8)
    int status;
    const char* aus;      // the output holds it
    const char* meldung;  // the message holds it
  } faelle[] = {
      {"--dezimalpunkt - <gut.csv", false, 0, "\nA;20;50;20.00;9.28;", "1 gerechnet, 0 mit Fehler"},
      {"--still --dezimalpunkt -o datei.csv gut.csv", false, 0, "", ""},
      {"--unbekannt", false, 2, "", "Unbekannte Option"},
      {"fehlt.csv", false, 2, "", "nicht lesbar"},
      {"-o teil.csv /dev/null", false, 2, "", "Kopfzeile fehlt"},
      {"gut.csv gut.csv", false, 2, "", "Nur eine Eingabedatei"},
      {"--rf", false, 2, "", "braucht SPALTE"},
      {"gut.csv -o gut.csv", false, 2, "", "dieselbe Datei"},
      {".", false, 2, "", "nicht lesbar"},
      {"--temlu falsch -o ergebnis.csv gut.csv", false, 2, "", "»falsch« fehlt"},
      {"--diagramm karte.svg --beschriftung Ort gut.csv", false, 0, "\nA;20;50;", "1 gerechnet"},
      {"--diagramm keine.svg --temlu falsch gut.csv", false, 2, "", "»falsch« fehlt"},
      {"--diagramm gut.csv gut.csv", false, 2, "", "eine Datei für sich"},
      {"--hilfe", false, 0, "Zeile hat zu wenige oder zu viele Felder", ""},
      {"--version", false, 0, "dunstwerk-rechne (Dunstwerk) " DUNSTWERK_VERSION "\n", ""},
      // The German session's decimal comma, from the locales the test build
      // made, where the file shows no decimal separator of its own.
      {"gut.csv", true, 0, "\nA;20;50;20,00;9,28;", ""},
      {"--dezimalpunkt gut.csv", true, 0, "\nA;20;50;20.00;", ""},
      // A full disk: the write fails at some point, never with status 0. The
      // shell opens a device for writing only, and never creates or replaces it.
      {"gut.csv >/dev/full", false, 2, "", "nicht geschrieben"},
      {"-o /dev/full gut.csv", false, 2, "", "nicht geschrieben"},
      {"--hilfe >/dev/full", false, 2, "", "nicht geschrieben"},
  };
  std::string standardausgabe;
  for (const auto& f : faelle) {
    SCOPED_TRACE(f.argumente);
    const std::string befehl =
        "cd '" + ordner.string() + "' && " +
        (f.deutsch ? "LOCPATH='" DUNSTWERK_LOCPATH "' LC_ALL=de_DE.UTF-8 " : "") +
        "'" DUNSTWERK_RECHNE "' </dev/null >aus.txt 2>meldung.txt " + f.argumente;
    const int status = std::system(befehl.c_str());
    const std::string aus = Lies(ordner / "aus.txt"), meldung = Lies(ordner / "meldung.txt");
    if (standardausgabe.empty()) standardausgabe = aus;
    EXPECT_EQ(WIFEXITED(status) ? WEXITSTATUS(status) : -1, f.status) << meldung;
    EXPECT_NE(aus.find(f.aus), std::string::npos) << aus;
    const std::string_view argumente = f.argumente;
    const bool stumm =
        argumente.starts_with("--still") || argumente == "--hilfe" || argumente == "--version";
    EXPECT_EQ(meldung.empty(), stumm) << meldung;
    EXPECT_NE(meldung.find(f.meldung), std::string::npos) << meldung;
    EXPECT_EQ(Lies(ordner / "gut.csv"), kGut) << "the input was overwritten";
  }
  EXPECT_EQ(Lies(ordner / "datei.csv"), standardausgabe);
  // A run that fails leaves no output file that could pass for a result,
  // leaves an existing one as it was, and removes only files it created,
  // never the device; nothing it wrote under another name is left.
  EXPECT_FALSE(fs::exists(ordner / "teil.csv"));
  EXPECT_FALSE(fs::exists(ordner / "keine.svg"));
  EXPECT_NE(Lies(ordner / "karte.svg").find(">A</text>"), std::string::npos);
  EXPECT_EQ(Lies(ordner / "ergebnis.csv"), "gestern\n");
  for (const auto& datei : fs::directory_iterator(ordner))
    EXPECT_FALSE(datei.path().filename().string().starts_with(".")) << datei.path();
  EXPECT_TRUE(fs::is_character_file("/dev/full")) << "the program removed the device /dev/full";
  fs::remove_all(ordner);  // the folder this test made, of files it or the program wrote
}

// Started without a file at a terminal (script gives it one), it says that
// it reads the keyboard and how to end, and then reads what is typed.
TEST(Programm, AmTerminalSagtEsWieEnden) {
  const fs::path aus = fs::temp_directory_path() / "rechne_terminal.txt";
  const std::string befehl =
      "(sleep 0.5; printf 'temlu;rf\\n20;50\\n'; sleep 0.5; printf '\\004') | "
      "script -qec \"'" DUNSTWERK_RECHNE "' --dezimalpunkt\" /dev/null >'" +
      aus.string() + "'";
  ASSERT_EQ(std::system(befehl.c_str()), 0);
  const std::string text = Lies(aus);
  EXPECT_NE(text.find("von der Tastatur, bis Strg+D"), std::string::npos) << text;
  EXPECT_NE(text.find("20;50;20.00;9.28;13.75;"), std::string::npos) << text;
  fs::remove(aus);
}

}  // namespace
