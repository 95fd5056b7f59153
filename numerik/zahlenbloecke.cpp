// Long runs of numbers, formatted block by block and, where the build has
// threads, a large block by two threads at once.  The helper thread only
// formats into its own buffer; the stream is written by the caller's thread
// alone, the first half of a block before the second, so the text is the
// same however many threads format it.
#include "numerik/zahlen.h"

#include "fehler_intern.h"

#include <cstdlib>
#include <cstring>
#include <new>

// The WebAssembly build has no threads.
#if defined(__EMSCRIPTEN__) && !defined(__EMSCRIPTEN_PTHREADS__)
#define NUMERIK_MIT_FAEDEN 0
#else
#define NUMERIK_MIT_FAEDEN 1
#include <condition_variable>
#include <mutex>
#include <system_error>
#include <thread>
#endif

namespace {

int gewaehlte_faeden = 0; // 0: not chosen yet

int standard_faeden() {
#if NUMERIK_MIT_FAEDEN
    const char *wert = std::getenv("NUMERIK_FAEDEN");
    if (wert != nullptr && std::strcmp(wert, "1") == 0) return 1;
    return 2;
#else
    return 1;
#endif
}

// Below this many values a block is formatted by one thread: handing half
// of it over would cost about what it saves.
constexpr std::size_t MINDEST_GETEILT = 4096;

// Short runs are formatted in the writer itself, without an allocation.
constexpr std::size_t KLEINER_PUFFER = 1 << 14;

char *formatieren(char *ziel, const double *werte, std::size_t anzahl, long long k,
                  zahlenbloecke::formatierer format, const void *kontext) {
    for (std::size_t i = 0; i < anzahl; ++i)
        ziel = format(ziel, werte[i], k + static_cast<long long>(i), kontext);
    return ziel;
}

// A text buffer for at least werte values, grown on demand.
struct puffer {
    char *text = nullptr;
    std::size_t platz = 0; // values

    ~puffer() { std::free(text); }
    char *fuer(std::size_t werte, std::size_t hoechstlaenge) {
        if (werte > platz) {
            std::free(text);
            text = nullptr;
            platz = 0;
            // malloc, not calloc: only the pages the text reaches become
            // resident, so the room for the longest text costs nothing.
            text = static_cast<char *>(std::malloc(werte * hoechstlaenge));
            if (text == nullptr) fehler("Nicht genug Speicher fuer den Ausgabepuffer!\n");
            platz = werte;
        }
        return text;
    }
};

} // namespace

struct zahlenbloecke::zustand {
    FILE *aus;
    formatierer format;
    const void *kontext;
    std::size_t hoechstlaenge;
    std::size_t block;
    long long geschrieben = 0;
    puffer eigener;
    char klein[KLEINER_PUFFER];

#if NUMERIK_MIT_FAEDEN
    // The helper thread and its task, guarded by the mutex.
    std::thread helfer;
    bool helfer_fehlt = false; // creation failed: one thread from then on
    std::mutex sperre;
    std::condition_variable signal;
    puffer helfer_puffer;
    const double *auftrag_werte = nullptr;
    std::size_t auftrag_anzahl = 0;
    long long auftrag_k = 0;
    bool auftrag = false;
    bool fertig = false;
    bool schluss = false;
    char *auftrag_ende = nullptr;

    void arbeiten() {
        std::unique_lock<std::mutex> lock(sperre);
        for (;;) {
            signal.wait(lock, [this] { return auftrag || schluss; });
            if (!auftrag) return;
            auftrag = false;
            const double *werte = auftrag_werte;
            const std::size_t anzahl = auftrag_anzahl;
            const long long k = auftrag_k;
            char *ziel = helfer_puffer.text;
            lock.unlock();
            char *ende = formatieren(ziel, werte, anzahl, k, format, kontext);
            lock.lock();
            auftrag_ende = ende;
            fertig = true;
            signal.notify_all();
        }
    }

    // Starts the helper on its first use; false when it cannot be had.
    bool helfer_bereit() {
        if (helfer.joinable()) return true;
        if (helfer_fehlt) return false;
        try {
            helfer = std::thread([this] { arbeiten(); });
        } catch (const std::system_error &) {
            helfer_fehlt = true;
        }
        return !helfer_fehlt;
    }

    void beenden() {
        if (!helfer.joinable()) return;
        {
            std::lock_guard<std::mutex> lock(sperre);
            schluss = true;
        }
        signal.notify_all();
        helfer.join();
    }
#endif
};

zahlenbloecke::zahlenbloecke(FILE *aus, formatierer format, const void *kontext,
                             std::size_t hoechstlaenge, std::size_t blockgroesse)
    : z_(new (std::nothrow) zustand) {
    if (z_ == nullptr) fehler("Nicht genug Speicher fuer den Ausgabepuffer!\n");
    z_->aus = aus;
    z_->format = format;
    z_->kontext = kontext;
    z_->hoechstlaenge = hoechstlaenge;
    z_->block = blockgroesse > 0 ? blockgroesse : 1;
}

zahlenbloecke::~zahlenbloecke() {
#if NUMERIK_MIT_FAEDEN
    z_->beenden();
#endif
}

void zahlenbloecke::schreiben(const double *werte, std::size_t anzahl) {
    zustand &z = *z_;
    while (anzahl > 0) {
        const std::size_t teil = anzahl < z.block ? anzahl : z.block;
        std::size_t erste = teil;
#if NUMERIK_MIT_FAEDEN
        const bool geteilt = teil >= MINDEST_GETEILT && zahl_faeden() >= 2 && z.helfer_bereit();
        if (geteilt) {
            // The helper formats the second half while this thread formats
            // and writes the first.
            erste = teil / 2;
            z.helfer_puffer.fuer(teil - erste, z.hoechstlaenge);
            std::lock_guard<std::mutex> lock(z.sperre);
            z.auftrag_werte = werte + erste;
            z.auftrag_anzahl = teil - erste;
            z.auftrag_k = z.geschrieben + static_cast<long long>(erste);
            z.auftrag = true;
            z.fertig = false;
        }
        if (geteilt) z.signal.notify_all();
#endif
        char *text = erste * z.hoechstlaenge <= KLEINER_PUFFER
                         ? z.klein
                         : z.eigener.fuer(erste, z.hoechstlaenge);
        char *ende = formatieren(text, werte, erste, z.geschrieben, z.format, z.kontext);
        std::fwrite(text, 1, static_cast<std::size_t>(ende - text), z.aus);
#if NUMERIK_MIT_FAEDEN
        if (geteilt) {
            std::unique_lock<std::mutex> lock(z.sperre);
            z.signal.wait(lock, [&z] { return z.fertig; });
            char *zweite = z.helfer_puffer.text;
            std::fwrite(zweite, 1, static_cast<std::size_t>(z.auftrag_ende - zweite), z.aus);
        }
#endif
        z.geschrieben += static_cast<long long>(teil);
        werte += teil;
        anzahl -= teil;
    }
}

char *zahlenbloecke::zahl_zeile(char *ziel, double x, long long, const void *) {
    ziel = zahl_schreiben(ziel, x);
    *ziel++ = '\n';
    return ziel;
}

extern "C" {

int zahl_faeden_setzen(int anzahl) {
    const int vorher = zahl_faeden();
    gewaehlte_faeden = anzahl <= 0 ? standard_faeden() : anzahl >= 2 && NUMERIK_MIT_FAEDEN ? 2 : 1;
    return vorher;
}

int zahl_faeden(void) {
    if (gewaehlte_faeden == 0) gewaehlte_faeden = standard_faeden();
    return gewaehlte_faeden;
}

} // extern "C"
