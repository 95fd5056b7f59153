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

#ifdef __cplusplus
}

#include <cstddef>
#include <string_view>

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
