#include "antwort.h"

#include <emscripten/emscripten.h>

#include "numerik/fehler.h"

#include <cstring>
#include <malloc.h>

namespace {

// The result of the last call; the page reads it before its next call.
antwort *letzte = nullptr;

antwort &aktuelle() {
    if (letzte == nullptr) letzte = new antwort();
    return *letzte;
}

// Leaves the library's failing call by a C++ exception: every frame between
// here and aufrufen releases what it holds on the way.
[[noreturn]] void fehlerbehandlung(const char *meldung, int) {
    throw bibliotheksfehler(meldung);
}

void warnungen_schreiben(antwort &a) {
    a.json.schluessel("warnungen").liste_auf();
    for (const std::string &w : a.warnungen)
        a.json.text(w);
    a.json.liste_zu();
}

const antwort_kopf *kopf_setzen(antwort &a) {
    a.reihen_koepfe.clear();
    for (const std::vector<double> &r : a.reihen)
        a.reihen_koepfe.push_back({r.data(), static_cast<std::int32_t>(r.size())});
    const std::string &json = a.json.ergebnis();
    a.kopf = {json.data(),
              static_cast<std::int32_t>(json.size()),
              static_cast<std::int32_t>(a.reihen.size()),
              a.reihen_koepfe.data(),
              a.bytes.empty() ? nullptr : a.bytes.data(),
              static_cast<std::int32_t>(a.bytes.size())};
    return &a.kopf;
}

} // namespace

std::vector<double> &antwort::reihe(const char *name) {
    reihen_namen.emplace_back(name);
    return reihen.emplace_back();
}

void warnung_aufnehmen(const char *text) {
    aktuelle().warnungen.emplace_back(text);
}

antwort &antwort_beginnen() {
    antwort &a = aktuelle();
    // Swapped with empty ones, so that a large result gives its memory back.
    a = antwort();
    a.json.objekt_auf();
    return a;
}

const antwort_kopf *antwort_abschliessen() {
    antwort &a = aktuelle();
    a.json.schluessel("reihen").liste_auf();
    for (const std::string &name : a.reihen_namen)
        a.json.text(name);
    a.json.liste_zu();
    warnungen_schreiben(a);
    a.json.objekt_zu();
    return kopf_setzen(a);
}

const antwort_kopf *antwort_fehler(const char *meldung) {
    antwort &a = aktuelle();
    try {
        std::vector<std::string> warnungen = std::move(a.warnungen);
        a = antwort();
        a.warnungen = std::move(warnungen);
        a.json.objekt_auf().feld("fehler", meldung);
        warnungen_schreiben(a);
        a.json.objekt_zu();
        return kopf_setzen(a);
    } catch (const std::bad_alloc &) {
        // Not even the message fits: a text that needs no memory.
        static const char text[] = "{\"fehler\":\"Nicht genug Speicher.\\n\",\"warnungen\":[]}";
        a = antwort();
        a.kopf = {text, static_cast<std::int32_t>(std::strlen(text)), 0, nullptr, nullptr, 0};
        return &a.kopf;
    }
}

extern "C" {

// Called once for every new instance of the module.
EMSCRIPTEN_KEEPALIVE void web_start() {
    numerik_fehlerbehandlung_setzen(fehlerbehandlung);
    numerik_warnungsbehandlung_setzen(warnung_aufnehmen);
}

// Gives the memory of the last result back once the page has read it.
EMSCRIPTEN_KEEPALIVE void web_antwort_loslassen() {
    if (letzte != nullptr) *letzte = antwort();
}

// The bytes of the module's heap in use (allocated and not yet freed), for
// the test that failing calls leave nothing behind.
EMSCRIPTEN_KEEPALIVE int web_speicher_belegt() {
    return static_cast<int>(mallinfo().uordblks);
}

} // extern "C"
