// Long runs of numbers, formatted block by block and, where the build has
// threads, a large block by two threads at once.  A block is cut into
// pieces; both threads take the next piece not yet taken, and the caller's
// thread writes the pieces in order as they are done.  A piece that the
// helper has taken but not finished when the caller needs it is formatted
// by the caller once more, so the caller never waits for a helper that the
// system does not run in time (the machine may be busy with other work).
// The stream is written by the caller's thread alone, so the text is the
// same however the pieces were shared.
#include "numerik/zahlen.h"

#include "grund/fehler_intern.h"

#include <cstdlib>
#include <cstring>
#include <new>

// The WebAssembly build has no threads.
#if defined(__EMSCRIPTEN__) && !defined(__EMSCRIPTEN_PTHREADS__)
#define NUMERIK_MIT_FAEDEN 0
#else
#define NUMERIK_MIT_FAEDEN 1
#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <exception>
#include <thread>
#include <unistd.h>
#endif

namespace {

int gewaehlte_faeden = 0; // 0: not chosen yet

// NUMERIK_FAEDEN=1 or 2 if set; otherwise two where a second core is
// free: on a machine busy with other work (load average within one of the
// number of cores), handing pieces to a helper costs more than it saves.
int standard_faeden() {
#if NUMERIK_MIT_FAEDEN
    const char *wert = std::getenv("NUMERIK_FAEDEN");
    if (wert != nullptr && std::strcmp(wert, "1") == 0) return 1;
    if (wert != nullptr && std::strcmp(wert, "2") == 0) return 2;
    const long kerne = sysconf(_SC_NPROCESSORS_ONLN);
    double last = 0.0;
    if (kerne < 2 || getloadavg(&last, 1) != 1) return 1;
    return last < static_cast<double>(kerne) - 1.0 ? 2 : 1;
#else
    return 1;
#endif
}

// The values of one piece: large enough that taking it costs nothing
// against its formatting, small enough that the caller, waiting for the
// helper's current piece, waits a moment at most.
constexpr std::size_t STUECK = 2048;

// How long the helper looks for the next block before it sleeps: some ten
// microseconds.
constexpr int WARTERUNDEN = 1000;

inline void pausieren() {
#if defined(__x86_64__) || defined(__i386__)
    __builtin_ia32_pause();
#endif
}

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
    // Rounds: each shared block is one, numbered from 1.  Pieces are taken
    // by counting up the low half of runde, which holds the round's number
    // in its high half, so that a helper late from an earlier round takes no
    // piece of this one.  The helper reads the values from a copy of its
    // own (one for odd and one for even rounds) and writes into a text
    // buffer of its own, so a late helper touches nothing the caller uses.
    std::thread helfer;
    bool helfer_fehlt = false; // creation failed: one thread from then on
    std::mutex sperre;
    std::condition_variable signal;
    bool schluss = false;
    std::uint32_t runde_nummer = 0;
    bool schlaeft = false; // the helper waits for the signal
    std::size_t runde_anzahl = 0;
    long long runde_k = 0;
    std::atomic<std::uint64_t> runde{0};
    std::atomic<std::uint32_t> helfer_in{0}; // the helper's round, 0 between rounds
    double *kopie[2] = {nullptr, nullptr};
    puffer helfer_puffer;
    // Per piece: the round in the high half and the length of the helper's
    // text in the low half, once the helper has finished it.
    std::atomic<std::uint64_t> fertig[BLOCKGROESSE / STUECK + 1] = {};

    ~zustand() {
        std::free(kopie[0]);
        std::free(kopie[1]);
    }

    static std::size_t stuecke(std::size_t anzahl) {
        return (anzahl + STUECK - 1) / STUECK;
    }

    // The next piece of round nummer, or false when none is left.
    bool nehmen(std::uint32_t nummer, std::size_t zahl, std::size_t &stueck) {
        std::uint64_t stand = runde.load(std::memory_order_relaxed);
        for (;;) {
            if ((stand >> 32) != nummer || (stand & 0xffffffffu) >= zahl) return false;
            if (runde.compare_exchange_weak(stand, stand + 1, std::memory_order_acq_rel)) {
                stueck = static_cast<std::size_t>(stand & 0xffffffffu);
                return true;
            }
        }
    }

    // The text of piece stueck of werte[0..anzahl-1] at ziel's place for it.
    char *stueck_formatieren(char *ziel, const double *werte, std::size_t anzahl, long long k,
                             std::size_t stueck) const {
        const std::size_t anfang = stueck * STUECK;
        const std::size_t n = anzahl - anfang < STUECK ? anzahl - anfang : STUECK;
        return formatieren(ziel + anfang * hoechstlaenge, werte + anfang, n,
                           k + static_cast<long long>(anfang), format, kontext);
    }

    void arbeiten() {
        std::uint32_t gesehen = 0;
        for (;;) {
            std::uint32_t nummer = 0;
            std::size_t anzahl = 0;
            long long k = 0;
            // The next block usually follows at once: a short wait without
            // sleeping saves the wake-up, which on a busy machine may cost
            // the caller its core.
            for (int i = 0;
                 i < WARTERUNDEN && (runde.load(std::memory_order_relaxed) >> 32) == gesehen; ++i)
                pausieren();
            {
                std::unique_lock<std::mutex> lock(sperre);
                schlaeft = true;
                signal.wait(lock, [&] { return schluss || runde_nummer != gesehen; });
                schlaeft = false;
                if (schluss) return;
                gesehen = nummer = runde_nummer;
                anzahl = runde_anzahl;
                k = runde_k;
                helfer_in.store(nummer, std::memory_order_release);
            }
            const double *werte = kopie[nummer & 1];
            char *text = helfer_puffer.text;
            std::size_t stueck = 0;
            while (nehmen(nummer, stuecke(anzahl), stueck)) {
                char *ende = stueck_formatieren(text, werte, anzahl, k, stueck);
                const auto laenge =
                    static_cast<std::uint64_t>(ende - (text + stueck * STUECK * hoechstlaenge));
                fertig[stueck].store(static_cast<std::uint64_t>(nummer) << 32 | laenge,
                                     std::memory_order_release);
            }
            helfer_in.store(0, std::memory_order_release);
            helfer_in.notify_one();
        }
    }

    // Starts the helper on its first use; false when it cannot be had.
    bool helfer_bereit() {
        if (helfer.joinable()) return true;
        if (helfer_fehlt) return false;
        for (double *&k : kopie) {
            k = static_cast<double *>(std::malloc(block * sizeof(double)));
            if (k == nullptr) fehler("Nicht genug Speicher fuer den Ausgabepuffer!\n");
        }
        helfer_puffer.fuer(block, hoechstlaenge);
        try {
            helfer = std::thread([this] { arbeiten(); });
        } catch (const std::exception &) {
            // No thread to be had (system_error, or bad_alloc for its
            // state): the caller formats alone, the text is the same.
            helfer_fehlt = true;
        }
        return !helfer_fehlt;
    }

    // Formats and writes werte[0..anzahl-1] with the helper.
    void geteilt_schreiben(const double *werte, std::size_t anzahl) {
        const std::uint32_t nummer = runde_nummer + 1;
        // The copy of this round's parity may still be read by a helper
        // late from two rounds ago; it ends its piece soon.
        for (std::uint32_t in = helfer_in.load(std::memory_order_acquire);
             in != 0 && in == nummer - 2; in = helfer_in.load(std::memory_order_acquire))
            helfer_in.wait(in, std::memory_order_acquire);
        std::memcpy(kopie[nummer & 1], werte, anzahl * sizeof(double));
        bool wecken = false;
        {
            std::lock_guard<std::mutex> lock(sperre);
            runde_nummer = nummer;
            runde_anzahl = anzahl;
            runde_k = geschrieben;
            runde.store(static_cast<std::uint64_t>(nummer) << 32, std::memory_order_release);
            wecken = schlaeft;
        }
        if (wecken) signal.notify_one();
        const std::size_t zahl = stuecke(anzahl);
        // The lengths of the pieces formatted here, 0 for the others.
        std::size_t eigene[BLOCKGROESSE / STUECK + 1] = {};
        char *text = eigener.text;
        for (std::size_t naechstes = 0; naechstes < zahl;) {
            const char *anfang = nullptr;
            std::size_t laenge = eigene[naechstes];
            if (laenge != 0) {
                anfang = text + naechstes * STUECK * hoechstlaenge;
            } else {
                const std::uint64_t f = fertig[naechstes].load(std::memory_order_acquire);
                if ((f >> 32) == nummer) {
                    laenge = static_cast<std::size_t>(f & 0xffffffffu);
                    anfang = helfer_puffer.text + naechstes * STUECK * hoechstlaenge;
                }
            }
            if (anfang == nullptr) {
                // Not done: take the next free piece, or, with none left,
                // format this one here as well.
                std::size_t stueck = 0;
                if (!nehmen(nummer, zahl, stueck)) stueck = naechstes;
                char *ende = stueck_formatieren(text, werte, anzahl, geschrieben, stueck);
                eigene[stueck] =
                    static_cast<std::size_t>(ende - (text + stueck * STUECK * hoechstlaenge));
                continue;
            }
            std::fwrite(anfang, 1, laenge, aus);
            ++naechstes;
        }
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
    // The pieces of a block must fit the writer's table of piece ends.
    z_->block = blockgroesse == 0 ? 1 : blockgroesse > BLOCKGROESSE ? BLOCKGROESSE : blockgroesse;
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
        if (teil * z.hoechstlaenge <= KLEINER_PUFFER) {
            char *ende = formatieren(z.klein, werte, teil, z.geschrieben, z.format, z.kontext);
            std::fwrite(z.klein, 1, static_cast<std::size_t>(ende - z.klein), z.aus);
        } else {
            // Room for a whole block at once: the helper's buffer is never
            // moved while it may still write into it.
            z.eigener.fuer(z.block, z.hoechstlaenge);
#if NUMERIK_MIT_FAEDEN
            if (teil >= 2 * STUECK && zahl_faeden() >= 2 && z.helfer_bereit()) {
                z.geteilt_schreiben(werte, teil);
            } else
#endif
            {
                char *text = z.eigener.text;
                char *ende = formatieren(text, werte, teil, z.geschrieben, z.format, z.kontext);
                std::fwrite(text, 1, static_cast<std::size_t>(ende - text), z.aus);
            }
        }
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
