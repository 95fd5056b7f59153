#include "rahmen.h"

#include "ausgabedatei.h"

#include "numerik/nmmatrix.h"
#include "numerik/zahlen.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cerrno>
#include <cfloat>
#include <climits>
#include <cstdlib>
#include <fcntl.h>
#include <new>
#include <sys/stat.h>
#include <ctime>
#include <unistd.h>

namespace {
// The C++ parts (names built with std::string, the solver's work vectors)
// allocate through operator new.  When that fails, the program ends with a
// message like at every other allocation, instead of an uncaught
// std::bad_alloc that aborts it.
[[noreturn]] void speicher_fehlt() {
    numerik_fehler("Nicht genug Speicher fuer Zwischenergebnisse!\n");
}
[[maybe_unused]] const std::new_handler vorheriger = std::set_new_handler(speicher_fehlt);

// A descriptor among 0-2 that the caller closed would be taken by the next
// file the program opens, and what goes to that standard stream would land
// in the file: a warning to a closed standard error as the first line of
// the output.  Each is opened on /dev/null here, before main and so before
// any file.  It is opened for the other direction, so that it still acts as
// the closed descriptor did: a message to standard error is lost without
// harm, and output to a closed standard output still fails and is reported.
bool standarddeskriptoren_belegen() {
    for (int fd = 0; fd <= 2; ++fd) {
        if (fcntl(fd, F_GETFD) >= 0 || errno != EBADF) continue;
        // open takes the lowest free descriptor: fd, as those below are open.
        if (open("/dev/null", fd == 0 ? O_WRONLY : O_RDONLY) != fd)
            numerik_fehler("Oeffnen der Datei %s fehlgeschlagen.", "/dev/null");
    }
    return true;
}
[[maybe_unused]] const bool deskriptoren_belegt = standarddeskriptoren_belegen();

} // namespace

schalterstand schalter_lesen(int &argc, char **&argv, eigener_schalter eigene, void *kontext) {
    schalterstand stand;
    while (argc > 1 && argv[1][0] == '-') {
        char zeichen = argv[1][1];
        bool ende = false;
        if (eigene != nullptr && zeichen != '\0' && eigene(zeichen, kontext)) {
            // the program's own switch
        } else if (zeichen == '-') {
            ende = true;
        } else if (zeichen == 'h') {
            stand.hilfe = true;
        } else {
            std::fprintf(stderr, "Schalter %s unbekannt.\n", argv[1]);
            stand.fehler = true;
        }
        argv[1] = argv[0];
        ++argv;
        --argc;
        if (ende) break;
    }
    return stand;
}

void benutzung_pruefen(const programmbeschreibung &programm, int argc, char **argv,
                       schalterstand stand) {
    if (argc < programm.min_argumente || argc > programm.max_argumente) stand.fehler = true;
    if (!stand.hilfe && !stand.fehler) return;
    std::fprintf(stderr, programm.benutzung, argv[0]);
    std::fputs(programm.schalterzeile, stderr);
    for (const char *zeile : programm.weitere_zeilen)
        std::fputs(zeile, stderr);
    if (programm.kredit != nullptr) std::fputs(programm.kredit, stderr);
    std::exit(stand.fehler ? 1 : 0);
}

bool genauigkeitsschalter(char zeichen, void *) {
    if (zeichen != 'v') return false;
    zahl_form_setzen(ZAHL_FORM_VOLL);
    return true;
}

int zahl_argument(const char *text, const char *was) {
    // The form first, so that "12abc" is no number even where its digits
    // would be too large for an int.
    const char *z = text;
    if (*z == '+' || *z == '-') ++z;
    bool ziffern = std::isdigit(static_cast<unsigned char>(*z)) != 0;
    while (std::isdigit(static_cast<unsigned char>(*z)))
        ++z;
    if (!ziffern || *z != '\0') numerik_fehler("%s = %s ist keine ganze Zahl.\n", was, text);
    int wert = 0;
    if (zahl_int_lesen(text, &wert) == ZAHL_OK) return wert;
    if (*text == '-') numerik_fehler("%s zu klein!\n", was);
    numerik_fehler("%s zu gross!\n", was);
}

double reelles_argument(const char *text) {
    char *ende = nullptr;
    errno = 0;
    double wert = std::strtod(text, &ende);
    if (ende == text || *ende != '\0' || !std::isfinite(wert)) return NAN;
    // A subnormal number is a number (strtod says ERANGE for it too); a
    // text that is not 0 but comes out as 0 is not.
    if (errno == ERANGE && wert == 0.0) return NAN;
    return wert;
}

double grenze_argument(const char *text, const char *was) {
    double wert = reelles_argument(text);
    if (!std::isnan(wert)) return wert;
    char *ende = nullptr;
    errno = 0;
    const double roh = std::strtod(text, &ende);
    if (ende != text && *ende == '\0' && errno == ERANGE) {
        if (std::isinf(roh))
            numerik_fehler("%s = %s ist zu gross, groesser als %g.\n", was, text, DBL_MAX);
        numerik_fehler("%s = %s ist zu klein, ungleich 0 und kleiner als %g.\n", was, text,
                       4.9406564584124654e-324);
    }
    numerik_fehler("%s = %s ist keine endliche Zahl.\n", was, text);
}

gewaehlte_funktion funktion_argumente(bool formel, char **argv, int &i) {
    gewaehlte_funktion g;
    if (!formel) {
        g.m = problem_argument(argv[i++], funktion_anzahl);
        g.problem = funktion[g.m - 1];
        return g;
    }
    const char *text = argv[i];
    double a = grenze_argument(argv[i + 1], "A");
    double b = grenze_argument(argv[i + 2], "B");
    i += 3;
    g.formel.reset(formel_erzeugen(text, a, b));
    g.problem = formel_als_funktion(g.formel.get());
    return g;
}

std::string funktionsname(const gewaehlte_funktion &g) {
    if (g.formel) return "Formel";
    return std::string("Beispielfunktion ") + g.problem.name;
}

bool formelschalter(char zeichen, void *kontext) {
    if (zeichen != 'f') return false;
    *static_cast<bool *>(kontext) = true;
    return true;
}

namespace {
double sekunden_jetzt() {
    timespec t{};
    clock_gettime(CLOCK_MONOTONIC, &t);
    return static_cast<double>(t.tv_sec) + 1e-9 * static_cast<double>(t.tv_nsec);
}

// The width of the line: what is written is padded to it, so that a
// shorter text covers a longer one before it, and never longer, so that
// no terminal wraps it.
constexpr int ZEILENBREITE = 79;
} // namespace

fortschrittsanzeige::fortschrittsanzeige()
    : terminal_(isatty(STDERR_FILENO) != 0), beginn_(sekunden_jetzt()) {}

fortschrittsanzeige::~fortschrittsanzeige() {
    loeschen();
}

void fortschrittsanzeige::loeschen() {
    if (!sichtbar_) return;
    std::fprintf(stderr, "\r%*s\r", ZEILENBREITE, "");
    std::fflush(stderr);
    sichtbar_ = false;
}

void fortschrittsanzeige::melden(const char *was, double anteil) {
    if (!terminal_) return;
    double jetzt = sekunden_jetzt();
    double vergangen = jetzt - beginn_;
    if (vergangen < 0.5 || jetzt - zuletzt_ < 0.25 || !(anteil > 0.0)) return;
    anteil = std::fmin(anteil, 1.0);
    // The time left at the speed so far.
    double rest = vergangen * (1.0 - anteil) / anteil;
    if (!sichtbar_ && vergangen + rest < 2.0) return;
    zuletzt_ = jetzt;
    sichtbar_ = true;
    char zeit[32];
    if (rest < 60.0)
        std::snprintf(zeit, sizeof zeit, "%d s", static_cast<int>(rest + 0.5));
    else if (rest < 3600.0)
        std::snprintf(zeit, sizeof zeit, "%d min %02d s", static_cast<int>(rest / 60),
                      static_cast<int>(rest) % 60);
    else
        std::snprintf(zeit, sizeof zeit, "%d h %02d min", static_cast<int>(rest / 3600),
                      static_cast<int>(rest / 60) % 60);
    char zeile[ZEILENBREITE + 1];
    int rechts =
        std::snprintf(nullptr, 0, ": %3d %%, noch etwa %s", static_cast<int>(100.0 * anteil), zeit);
    std::snprintf(zeile, sizeof zeile, "%.*s: %3d %%, noch etwa %s",
                  std::max(0, ZEILENBREITE - rechts), was, static_cast<int>(100.0 * anteil), zeit);
    std::fprintf(stderr, "\r%-*s", ZEILENBREITE, zeile);
    std::fflush(stderr);
}

void fortschrittsanzeige::rueckruf(void *kontext, const char *was, double anteil) {
    static_cast<fortschrittsanzeige *>(kontext)->melden(was, anteil);
}

int anzahl_argument(const char *text) {
    int n = zahl_argument(text, "n");
    if (n < 1) numerik_fehler("n muss mindestens 1 sein!\n");
    if (n == INT_MAX) numerik_fehler("n zu gross!\n");
    return n;
}

int problem_argument(const char *text, int anzahl) {
    int m = zahl_argument(text, "m");
    if (m < 1) numerik_fehler("m muss mindestens 1 sein!\n");
    if (m > anzahl) numerik_fehler("Funktion Nr. %i nicht definiert.\n", m);
    return m;
}

objekt *nullvektor(int zeilen, const char *name) {
    nmmatrix_parameter p = {zeilen, 1, name, 1};
    return matrix_tabelle(&nm_matrix)->kreieren(&p, nullptr);
}

FILE *eingabe_oeffnen(const char *name) {
    FILE *datei = std::fopen(name, "rb");
    if (datei == nullptr) numerik_fehler("Oeffnen der Datei %s fehlgeschlagen.", name);
    // A directory opens for reading, and only the first read fails.
    struct stat status {};
    if (fstat(fileno(datei), &status) == 0 && S_ISDIR(status.st_mode))
        numerik_fehler("%s ist ein Verzeichnis, keine Datei.\n", name);
    return datei;
}

FILE *ausgabe_oeffnen(const char *name, FILE *eingabe) {
    struct stat ein_stat {};
    struct stat aus_stat {};
    if (eingabe != nullptr && fstat(fileno(eingabe), &ein_stat) == 0 &&
        stat(name, &aus_stat) == 0 && ein_stat.st_dev == aus_stat.st_dev &&
        ein_stat.st_ino == aus_stat.st_ino)
        numerik_fehler("Ausgabedatei %s ist die Eingabedatei; sie wird nicht ueberschrieben.\n",
                       name);
    return ausgabedatei_oeffnen(name);
}

void eingabe_schliessen(FILE *ein) {
    if (ein != stdin) std::fclose(ein);
}

void ausgabe_abschliessen(FILE *aus, const char *name) {
    bool fehlgeschlagen = std::fflush(aus) != 0 || std::ferror(aus) != 0;
    if (aus != stdout && !ausgabedatei_schliessen(aus, fehlgeschlagen)) fehlgeschlagen = true;
    if (fehlgeschlagen)
        numerik_fehler("Schreiben in %s fehlgeschlagen.\n",
                       aus == stdout ? "die Standardausgabe" : name);
}
