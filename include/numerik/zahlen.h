/** \file
 * Numbers of the text format.  Reading accepts exactly what scanf's "%d"
 * and "%lf" accept, with identical values; an int out of range is reported
 * instead of being undefined.  Writing gives exactly the bytes of printf's
 * "%f", or, where the process chose full precision, those of "%.17g".  The
 * conversions never depend on a locale (the library never calls
 * setlocale).
 *
 * The header compiles as C and as C++; every function has C linkage.  For C++
 * it also offers textschreiber, the block writer behind the library's own
 * vector output. */
#ifndef NUMERIK_ZAHLEN_H
#define NUMERIK_ZAHLEN_H

#include <stdio.h>

#ifdef __cplusplus
extern "C" {
#endif

/** Results of zahl_int_lesen. */
enum {
    ZAHL_OK = 0,         /**< read */
    ZAHL_KEINE_ZAHL = 1, /**< no number, where sscanf would read none */
    ZAHL_AUSSERHALB = 2  /**< a number beyond the int range */
};

/** Like sscanf(text, "%d", ziel): ZAHL_OK, ZAHL_KEINE_ZAHL, or
 * ZAHL_AUSSERHALB for a number beyond the int range.  *ziel is written only
 * on success. */
int zahl_int_lesen(const char *text, int *ziel);

/** Like sscanf(text, "%lf", ziel) == 1: 1 on success, 0 otherwise.  *ziel is
 * written only on success. */
int zahl_double_lesen(const char *text, double *ziel);

/** As zahl_int_lesen, and on success *ende (when ende is not NULL) points
 * behind the number, where strtol stops: a caller sees what follows it. */
int zahl_int_lesen_bis(const char *text, int *ziel, const char **ende);

/** As zahl_double_lesen, and on success *ende (when ende is not NULL) points
 * behind the number, where strtod stops ("1e5x": at the x; "1e": at the e,
 * which scanf takes but no number includes). */
int zahl_double_lesen_bis(const char *text, double *ziel, const char **ende);

/** The longest text of "%f": sign, the 309 integer digits of DBL_MAX, the
 * point and six decimals. */
#define ZAHL_F_MAXLAENGE 317

/** Writes x as printf("%f") (and "%lf") would, without a terminating NUL, and
 * returns the end.  ziel needs room for ZAHL_F_MAXLAENGE characters. */
char *zahl_f_schreiben(char *ziel, double x);

/** The largest precision zahl_formatiert_schreiben takes. */
#define ZAHL_HOECHSTE_STELLEN 40

/** The longest text of zahl_formatiert_schreiben without padding: sign, 309
 * integer digits, point and ZAHL_HOECHSTE_STELLEN decimals. */
#define ZAHL_FORMAT_MAXLAENGE (ZAHL_F_MAXLAENGE - 6 + ZAHL_HOECHSTE_STELLEN)

/** Writes x as printf's "%*.*f", "%*.*e" or "%*.*g" (art 'f', 'e' or 'g')
 * with the field width breite and the precision stellen (0 to
 * ZAHL_HOECHSTE_STELLEN; a negative one is printf's default 6) would, right
 * aligned with blanks, without a terminating NUL, and returns the end: the
 * same bytes, including "nan", "-nan", "inf" and "-0".  ziel needs room for
 * breite or ZAHL_FORMAT_MAXLAENGE characters, whichever is more. */
char *zahl_formatiert_schreiben(char *ziel, double x, char art, int breite, int stellen);

/** The forms in which the library writes the numbers of the text format
 * (vector entries and the double key lines). */
enum {
    ZAHL_FORM_F = 0,   /**< "%f", six decimals: the form of every file so far */
    ZAHL_FORM_VOLL = 1 /**< 17 significant digits, read back unchanged */
};

/** Chooses the form for the whole process (the programs' switch for full
 * precision) and returns the previous one; the default is ZAHL_FORM_F.  Not
 * thread-safe. */
int zahl_form_setzen(int form);
/** The form chosen for the process. */
int zahl_form(void);

/** The longest text of either form. */
#define ZAHL_MAXLAENGE ZAHL_F_MAXLAENGE

/** Writes x in the current form, without a terminating NUL, and returns the
 * end.  ziel needs room for ZAHL_MAXLAENGE characters. */
char *zahl_schreiben(char *ziel, double x);

/** How many threads format a long run of numbers (zahlenbloecke): 1, or 2
 * where the build has threads (not in the WebAssembly build).  Sets the
 * number for the whole process and returns the previous one; 0 or less
 * takes the default: the environment variable NUMERIK_FAEDEN if it is 1 or
 * 2, else 2 where a second core is free (the load average at least one
 * below the number of cores), else 1.  The text is the same either way.
 * Not thread-safe. */
int zahl_faeden_setzen(int anzahl);
/** The number of threads chosen for the process. */
int zahl_faeden(void);

#ifdef __cplusplus
}

#include <cstddef>
#include <memory>
#include <string_view>

/** Writes long runs of numbers: formats an array of doubles value by value
 * and hands the text to the stream in order, behind what was written to the
 * stream before, in blocks of at most blockgroesse values.  A large block
 * is formatted by two threads at once, each one half (see
 * zahl_faeden_setzen); the text is the same.  Write errors show in the
 * stream's error flag, as they would for fprintf.  Allocation failure ends
 * through the fatal path (numerik/fehler.h). */
class zahlenbloecke {
  public:
    /** The text of one value: writes at most the hoechstlaenge given to the
     * constructor characters at ziel and returns the end.  k counts the
     * values written through the writer from 0; kontext is the
     * constructor's.  Called from either thread: it must not change shared
     * state. */
    using formatierer = char *(*)(char *ziel, double x, long long k, const void *kontext);

    /** Values per block unless the caller chooses. */
    static constexpr std::size_t BLOCKGROESSE = 1 << 16;

    /** A writer to aus (the stream stays the caller's). */
    zahlenbloecke(FILE *aus, formatierer format, const void *kontext, std::size_t hoechstlaenge,
                  std::size_t blockgroesse = BLOCKGROESSE);
    /** Ends the helper thread, if one was started. */
    ~zahlenbloecke();
    zahlenbloecke(const zahlenbloecke &) = delete;
    zahlenbloecke &operator=(const zahlenbloecke &) = delete;

    /** Formats werte[0..anzahl-1] and writes the text. */
    void schreiben(const double *werte, std::size_t anzahl);

    /** The formatter of vector entries: x in the current form (zahl_form),
     * then a newline; hoechstlaenge ZAHL_MAXLAENGE + 1. */
    static char *zahl_zeile(char *ziel, double x, long long k, const void *kontext);

  private:
    struct zustand;
    std::unique_ptr<zustand> z_;
};

/** Collects text in a large block and hands it to the stream with one fwrite
 * per block.  The text reaches the stream in order, behind what was written
 * to the stream before; the rest is written at leeren() or destruction.
 * Write errors show in the stream's error flag, as they would for fprintf. */
class textschreiber {
  public:
    /** A writer to aus; the stream stays the caller's. */
    explicit textschreiber(FILE *aus) : aus_(aus) {}
    /** Writes the rest. */
    ~textschreiber() { leeren(); }
    textschreiber(const textschreiber &) = delete;
    textschreiber &operator=(const textschreiber &) = delete;

    /** x as "%f", then the character nach: double_f(x, '\n') is "%f\n". */
    void double_f(double x, char nach) {
        if (ende_ - frei_ < ZAHL_F_MAXLAENGE + 1) leeren();
        frei_ = zahl_f_schreiben(frei_, x);
        *frei_++ = nach;
    }
    /** x in the current form (zahl_form), then the character nach. */
    void zahl(double x, char nach) {
        if (ende_ - frei_ < ZAHL_MAXLAENGE + 1) leeren();
        frei_ = zahl_schreiben(frei_, x);
        *frei_++ = nach;
    }
    /** The characters of s, as they are. */
    void text(std::string_view s);
    /** Hands what was collected to the stream, in one fwrite. */
    void leeren();

  private:
    static constexpr std::size_t GROESSE = 1 << 15;
    FILE *aus_;
    char puffer_[GROESSE];
    char *frei_ = puffer_;
    char *const ende_ = puffer_ + GROESSE;
};
#endif

#endif
