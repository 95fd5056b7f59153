// The frame shared by every program: switch loop, argument count, usage text,
// opening and closing files, and checking that the output really was written.
// Linking it also opens /dev/null on any of the descriptors 0-2 that the
// caller left closed, before main: no file the program opens can then take
// the place of a standard stream, which still fails as a closed one does.
#ifndef WERKZEUGE_RAHMEN_H
#define WERKZEUGE_RAHMEN_H

#include "numerik/beispielfunktionen.h"
#include "numerik/fehler.h"
#include "numerik/formel.h"
#include "numerik/interplt.h"
#include "numerik/matrix.h"

#include <cstdio>
#include <initializer_list>
#include <memory>
#include <string>

struct programmbeschreibung {
    const char *benutzung;     // usage line, "%s" is the program name as invoked
    const char *schalterzeile; // "Schalter: -h ..."
    std::initializer_list<const char *> weitere_zeilen;
    const char *kredit; // credit line, or nullptr for none
    int min_argumente;  // allowed argument count, program name included
    int max_argumente;
};

struct schalterstand {
    bool hilfe = false;
    bool fehler = false;
};

// A program's own switch letters: returns true when it knows the character.
using eigener_schalter = bool (*)(char zeichen, void *kontext);

// The switch loop.  Only the second character of an argument counts; "--"
// ends the switches; an unknown one prints "Schalter %s unbekannt.\n" and
// sets the error flag.  Each switch is removed from the list, the program name
// moving into its place, so argv[0] stays the program name.
schalterstand schalter_lesen(int &argc, char **&argv, eigener_schalter eigene = nullptr,
                             void *kontext = nullptr);

// Checks the argument count; when help was asked for or anything is wrong,
// prints the usage text and ends with exit status 0 (help only) or 1.
void benutzung_pruefen(const programmbeschreibung &programm, int argc, char **argv,
                       schalterstand stand);

// The switch -v of the programs that write values: every number they write
// (vector entries, key lines, fehlervergleich's figure) with 17 significant
// digits, which every loader reads back unchanged (zahl_form_setzen of
// numerik/zahlen.h).  An eigener_schalter for programs without switches of
// their own; others call it from theirs.
bool genauigkeitsschalter(char zeichen, void *kontext);

// A whole-number argument, read whole: an optional sign and digits, nothing
// before or after them.  Anything else ("1e3", "3x", "1.5", "12abc", "abc",
// "") ends with "<was> = <text> ist keine ganze Zahl.\n"; a number beyond
// the int range with "<was> zu gross!\n" (or "zu klein").  The caller
// checks the range of what it reads.
int zahl_argument(const char *text, const char *was);

// A real argument, read whole: the text must be one finite number as strtod
// reads it and nothing else.  Not a number (NaN) otherwise: the caller
// refuses it with its own message.  A subnormal number is taken.
double reelles_argument(const char *text);

// A bound or point, read as reelles_argument reads it; anything else ends
// with "<was> = <text> ist keine endliche Zahl.\n", a number beyond the
// double range with "... ist zu gross, groesser als 1.79769e+308.\n" and
// one that is not 0 but below the smallest subnormal with "... ist zu
// klein, ungleich 0 und kleiner als 4.94066e-324.\n".
double grenze_argument(const char *text, const char *was);

// The argument n of the programs that work on n+1 values: at least 1
// ("n muss mindestens 1 sein!\n"), and n+1 must still be an int.
int anzahl_argument(const char *text);

// The number m of an example problem, 1 .. anzahl ("m muss mindestens 1
// sein!\n", "Funktion Nr. %i nicht definiert.\n").
int problem_argument(const char *text, int anzahl);

// The function a program works on: example problem m, or, where the
// switch -f announces it, a formula in x and its interval A B in place of
// m (m is then 0, FORMEL_PROBLEM of numerik/studie.h); the formula object
// lives as long as this.
struct gewaehlte_funktion {
    beispielfunktion problem = {};
    int m = 0;
    std::unique_ptr<formelfunktion, void (*)(formelfunktion *)> formel{nullptr, formel_freigeben};
};

// Reads the function at argv[i]: m (i moves on by one) or, with formel, the
// formula and its bounds (i moves on by three).  A bound that is not one
// finite number ends with "A = <text> ist keine endliche Zahl.\n"; the
// formula and the interval are checked by formel_erzeugen.
gewaehlte_funktion funktion_argumente(bool formel, char **argv, int &i);

// The function as the names of objects call it: "Beispielfunktion " and
// its name, or "Formel" (a formula's text may hold any character).
std::string funktionsname(const gewaehlte_funktion &g);

// The switch -f of the programs that take a function: sets *kontext (a bool).
bool formelschalter(char zeichen, void *kontext);

// Progress of a long run on standard error while standard error is a
// terminal: one line, rewritten in place with \r, saying what is being
// computed, the share done and the time left.  It shows only once the run
// has taken half a second and is seen to take more than about two seconds
// in all, and at most four times a second; the destructor clears the line.
// When standard error is a file or a pipe it writes nothing at all.  A
// SIGINT (Ctrl-C) ends the program by the frame's signal handling as at any
// other time; the line then stays as it was.
class fortschrittsanzeige {
  public:
    fortschrittsanzeige();
    ~fortschrittsanzeige();
    fortschrittsanzeige(const fortschrittsanzeige &) = delete;
    fortschrittsanzeige &operator=(const fortschrittsanzeige &) = delete;
    // was: what is being computed (ASCII, shortened to the line), anteil:
    // the share of the whole run done, 0 to 1.
    void melden(const char *was, double anteil);
    // The same as a callback with a context (the studie_fortschritt of
    // numerik/studie.h): kontext is the fortschrittsanzeige.
    static void rueckruf(void *kontext, const char *was, double anteil);
    // Clears the line, before anything else is written to the terminal.
    void loeschen();

  private:
    bool terminal_;
    bool sichtbar_ = false;
    double beginn_;
    double zuletzt_ = -1.0;
};

// A new NM_MATRIX of zeilen rows and one column, all entries 0.0.
objekt *nullvektor(int zeilen, const char *name);

// "rb" input; failure ends with "Oeffnen der Datei %s fehlgeschlagen.", a
// directory with "%s ist ein Verzeichnis, keine Datei.\n".
FILE *eingabe_oeffnen(const char *name);

// Output to the named file.  When eingabe is given and the named file is the
// very file eingabe reads (same device and inode), ends with a message before
// anything is written.  The file is replaced only by a run that succeeds
// (ausgabedatei.h): until ausgabe_abschliessen it keeps its content.
FILE *ausgabe_oeffnen(const char *name, FILE *eingabe = nullptr);

// Closes a stream the program opened itself (never a standard stream).
void eingabe_schliessen(FILE *ein);

// Makes sure everything written to aus has arrived: flushes it, checks its
// error flag and, for a file the program opened itself, closes it and puts a
// temporary file in the place of the target.  A failed write ends with a
// message and exit status 1, the target unchanged.
void ausgabe_abschliessen(FILE *aus, const char *name);

#endif
