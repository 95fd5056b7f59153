// A small writer of JSON text for the page's interface: objects, lists,
// numbers, texts, truth values.  The text is ASCII whatever it carries:
// every character outside ASCII is written as \uXXXX (a surrogate pair
// beyond the first plane), a byte that does not belong to valid UTF-8 as
// U+FFFD.  A number is written with 17 significant digits, so that it reads
// back as the same double; nan and inf, which JSON cannot write, as null.
#ifndef NUMERIK_WEB_JSON_H
#define NUMERIK_WEB_JSON_H

#include <string>
#include <string_view>

class json_schreiber {
  public:
    json_schreiber &objekt_auf();
    json_schreiber &objekt_zu();
    json_schreiber &liste_auf();
    json_schreiber &liste_zu();
    // The key of the next value inside an object.
    json_schreiber &schluessel(std::string_view name);
    json_schreiber &zahl(double x);
    json_schreiber &ganz(long long x);
    json_schreiber &wahrheit(bool b);
    json_schreiber &text(std::string_view t);
    json_schreiber &null();

    // A field of an object: the key, then the value.
    template <typename T> json_schreiber &feld(std::string_view name, T wert) {
        schluessel(name);
        return wert_schreiben(wert);
    }

    const std::string &ergebnis() const { return text_; }
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
