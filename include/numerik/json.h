/** \file
 * A small writer of JSON text, for the front ends that take a result as one
 * structure (the study's befund, the page's interface): objects, lists,
 * numbers, texts, truth values.  The text is ASCII whatever it carries:
 * every character outside ASCII is written as \\uXXXX (a surrogate pair
 * beyond the first plane), a byte that does not belong to valid UTF-8 as
 * U+FFFD.  A number is written with 17 significant digits, so that it reads
 * back as the same double; nan and inf, which JSON cannot write, as null.
 *
 * C++ only: everything it declares is under __cplusplus. */
#ifndef NUMERIK_JSON_H
#define NUMERIK_JSON_H

#ifdef __cplusplus

#include <string>
#include <string_view>

/** The writer: values are appended in order, the separators between them
 * set by the writer. */
class json_schreiber {
  public:
    /** Opens an object ({). */
    json_schreiber &objekt_auf();
    /** Closes the innermost object (}). */
    json_schreiber &objekt_zu();
    /** Opens a list ([). */
    json_schreiber &liste_auf();
    /** Closes the innermost list (]). */
    json_schreiber &liste_zu();
    /** The key of the next value inside an object. */
    json_schreiber &schluessel(std::string_view name);
    /** A number in 17 significant digits; nan and inf as null. */
    json_schreiber &zahl(double x);
    /** A whole number. */
    json_schreiber &ganz(long long x);
    /** true or false. */
    json_schreiber &wahrheit(bool b);
    /** A text (UTF-8), escaped to ASCII. */
    json_schreiber &text(std::string_view t);
    /** null. */
    json_schreiber &null();

    /** A field of an object: the key, then the value (a number, whole
     * number, truth value or text). */
    template <typename T> json_schreiber &feld(std::string_view name, T wert) {
        schluessel(name);
        return wert_schreiben(wert);
    }

    /** A value that is already JSON text (a whole object or list another
     * writer made), taken as it is. */
    json_schreiber &roh(std::string_view json);

    /** The text written so far. */
    const std::string &ergebnis() const { return text_; }
    /** Starts afresh. */
    void leeren();

  private:
    // Before a value or a key: the comma that separates it from the one
    // before in the same object or list.
    void trennen();

    json_schreiber &wert_schreiben(double x) { return zahl(x); }
    json_schreiber &wert_schreiben(int x) { return ganz(x); }
    json_schreiber &wert_schreiben(long x) { return ganz(x); }
    json_schreiber &wert_schreiben(unsigned x) { return ganz(x); }
    json_schreiber &wert_schreiben(bool b) { return wahrheit(b); }
    json_schreiber &wert_schreiben(const char *t) { return t == nullptr ? null() : text(t); }
    json_schreiber &wert_schreiben(const std::string &t) { return text(t); }

    std::string text_;
    // A value (or a closed object or list) came last: the next value or key
    // needs a comma.
    bool nach_wert_ = false;
};

#endif

#endif
