// The Python object over interpolations of the library: one per column of
// the values (a vector-valued y gives one interpolation per column over the
// same nodes), with how it continues beyond its interval.
#ifndef PYTHON_OBJEKT_H
#define PYTHON_OBJEKT_H

#include "modul.h"

#include "numerik/interplt.h"

#include <memory>
#include <mutex>
#include <string>
#include <utility>
#include <vector>

// How an object is evaluated outside its interval [a, b].
enum fortsetzung {
    FORTSETZUNG_KLASSE = 0,    // as the class continues (extrapolate=True)
    FORTSETZUNG_NAN = 1,       // not a number (extrapolate=False)
    FORTSETZUNG_PERIODISCH = 2 // x wrapped into [a, b) (extrapolate="periodisch")
};

// extrapolate= as a fortsetzung; None gives sonst.
int fortsetzung_lesen(const py::handle &wert, int sonst);
// The Python value of a fortsetzung.
py::object fortsetzung_wert(int f);

// What an object is made of.
struct bestand {
    std::vector<interpolation_zeiger> spalten; // at least one, all over the same nodes
    std::vector<py::ssize_t> wertform;         // the shape of one value; empty: a number
    int achse = 0;                             // the axis of the nodes in y
    int fortsetzung = FORTSETZUNG_KLASSE;
};

// The text form of ip (full precision or six decimals), and an
// interpolation read back from one.
std::string text_von(objekt *ip, bool voll);
interpolation_zeiger aus_text(const std::string &text);

// An interpolation held by a Python object.  Evaluation runs without the
// GIL; the mutex keeps two threads off one object (a periodic spline fixes
// its bounds at its first evaluation).
class interpolation {
  public:
    explicit interpolation(bestand b);
    virtual ~interpolation() = default;
    interpolation(const interpolation &) = delete;
    interpolation &operator=(const interpolation &) = delete;

    py::object werte(const py::handle &x, const py::handle &extrapolate);
    py::object ableitung(const py::handle &x, const py::handle &k, const py::handle &extrapolate);
    py::object integral(const py::handle &a, const py::handle &b);
    // Vector number index (0 nodes, 1 values, 2 coefficients).
    py::array vektor(int index);
    void speichern(const py::handle &pfad, const py::handle &voll);
    // The state for pickle and copy: the full-precision texts.
    py::tuple zustand();
    static bestand aus_zustand(const py::tuple &t);

    std::string name();
    std::string klasse();
    std::pair<double, double> grenzen();
    py::dict optionen();
    int fortsetzung() const { return fortsetzung_; }
    std::string darstellung(const std::string &pyname);
    // f on the one interpolation of an object of scalar values, for a
    // class's own queries (AAA's poles); a vector-valued object raises.
    template <class F> auto mit_objekt(F f) {
        if (spalten_.size() != 1)
            throw bibliotheksfehler("Diese Abfrage gibt es nur fuer Werte, die Zahlen sind.");
        std::lock_guard<std::mutex> sperre(mutex_);
        return f(erste());
    }

  private:
    template <class F> py::object feldweise(const py::handle &x, int fortsetzung, F f);
    objekt *erste() { return spalten_.front().get(); }
    py::object wertgestalt(py::array a, std::size_t vorne);

    std::vector<interpolation_zeiger> spalten_;
    std::vector<py::ssize_t> wertform_;
    int achse_;
    int fortsetzung_;
    std::mutex mutex_;
};

struct knotenart;
// The node kind of key schluessel (funktionen.cpp); an unknown key ends
// through the fatal path, naming the known ones.
const knotenart &knotenart_zu(const std::string &schluessel);

// The Python object of a loaded interpolation, of the class of its record.
std::unique_ptr<interpolation> geladen(interpolation_zeiger ip);

#endif
