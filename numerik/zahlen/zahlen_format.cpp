// printf's "%*.*f", "%*.*e" and "%*.*g" for one double, byte for byte and
// without the C library's formatter: the numbers of the printed form and of
// full precision.  The digits come from an exact integer computation where
// it fits into 128 bits, else from to_chars with a precision (exact as
// well), and without floating-point to_chars (em++'s C++ library) from the C
// library's own "%.*e" / "%.*f".
#include "numerik/zahlen.h"

#include "zahlen/bitmuster.h"

#include <array>
#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>

namespace {

using u128 = unsigned __int128;

constexpr std::array<std::uint64_t, 28> FUENFERPOTENZEN = [] {
    std::array<std::uint64_t, 28> p{};
    p[0] = 1;
    for (std::size_t i = 1; i < p.size(); ++i)
        p[i] = p[i - 1] * 5;
    return p;
}();

constexpr std::array<std::uint64_t, 20> ZEHNERPOTENZEN = [] {
    std::array<std::uint64_t, 20> p{};
    p[0] = 1;
    for (std::size_t i = 1; i < p.size(); ++i)
        p[i] = p[i - 1] * 10;
    return p;
}();

int bitlaenge(u128 z) {
    const auto oben = static_cast<std::uint64_t>(z >> 64);
    if (oben != 0) return 128 - std::countl_zero(oben);
    return 64 - std::countl_zero(static_cast<std::uint64_t>(z));
}

// |x| = mantisse * 2^exponent exactly; feld 0x7ff is inf or nan.
struct zerlegung {
    bool negativ;
    int feld;
    std::uint64_t bruch;
    std::uint64_t mantisse;
    int exponent;
};

zerlegung zerlegen(double x) {
    const std::uint64_t bits = bitmuster(x);
    zerlegung z{};
    z.negativ = (bits >> 63) != 0;
    z.feld = static_cast<int>((bits >> 52) & 0x7ff);
    z.bruch = bits & ((std::uint64_t{1} << 52) - 1);
    z.mantisse = z.feld == 0 ? z.bruch : z.bruch | (std::uint64_t{1} << 52);
    z.exponent = (z.feld == 0 ? 1 : z.feld) - 1075;
    return z;
}

// n = mantisse * 2^exponent * 10^k rounded to an integer, a tie to even
// (printf's rounding in the default rounding mode, which this library never
// changes).  False where the exact quotient does not fit the 128-bit
// arithmetic or n does not fit 64 bits; the caller then takes the general
// path.
bool skaliert(std::uint64_t mantisse, int exponent, int k, std::uint64_t &n) {
    if (k >= static_cast<int>(FUENFERPOTENZEN.size()) ||
        -k >= static_cast<int>(FUENFERPOTENZEN.size()))
        return false;
    u128 zaehler = mantisse;
    u128 nenner = 1;
    if (k >= 0)
        zaehler *= FUENFERPOTENZEN[k]; // < 2^53 * 2^63
    else
        nenner = FUENFERPOTENZEN[-k];
    const int zweier = exponent + k;
    u128 q = 0;
    u128 rest = 0;
    if (zweier >= 0) {
        if (zweier >= 128 - bitlaenge(zaehler)) return false;
        zaehler <<= zweier;
        if (nenner == 1) {
            q = zaehler;
        } else {
            q = zaehler / nenner;
            rest = zaehler % nenner;
        }
    } else if (nenner == 1) {
        // A power of two: the rest is the bits shifted out.
        const int schieben = -zweier;
        if (schieben >= 127) {
            // zaehler < 2^117: below one half, and never exactly one half.
            n = 0;
            return true;
        }
        q = zaehler >> schieben;
        rest = zaehler & ((u128{1} << schieben) - 1);
        nenner = u128{1} << schieben;
    } else {
        if (-zweier >= 127 - bitlaenge(nenner)) return false;
        nenner <<= -zweier;
        if ((zaehler >> 64) == 0 && (nenner >> 64) == 0) {
            const auto z64 = static_cast<std::uint64_t>(zaehler);
            const auto n64 = static_cast<std::uint64_t>(nenner);
            q = z64 / n64;
            rest = z64 % n64;
        } else {
            q = zaehler / nenner;
            rest = zaehler % nenner;
        }
    }
    // rest < nenner < 2^127: nenner - rest does not wrap.
    if (rest > nenner - rest || (rest == nenner - rest && (q & 1) != 0)) ++q;
    if ((q >> 64) != 0) return false;
    n = static_cast<std::uint64_t>(q);
    return true;
}

char *exponent_schreiben(char *ziel, int e) {
    *ziel++ = 'e';
    *ziel++ = e < 0 ? '-' : '+';
    const int betrag = e < 0 ? -e : e;
    if (betrag < 10) *ziel++ = '0';
    return std::to_chars(ziel, ziel + 4, betrag).ptr;
}

// The stellen significant digits of |x| (x finite, not zero) and the
// decimal exponent of the first: what "%.(stellen-1)e" shows.
int ziffern_bestimmen(const zerlegung &z, double x, int stellen, char *ziffern) {
    if (stellen <= static_cast<int>(ZEHNERPOTENZEN.size()) - 1) {
        // floor(log10 2^e2), the exponent of the first digit or one less.
        const int e2 = z.exponent + 63 - std::countl_zero(z.mantisse);
        const int schaetzung = (e2 * 78913) >> 18;
        int k = stellen - 1 - schaetzung;
        std::uint64_t n = 0;
        bool genau = skaliert(z.mantisse, z.exponent, k, n);
        if (genau && n >= ZEHNERPOTENZEN[stellen]) {
            --k;
            genau = skaliert(z.mantisse, z.exponent, k, n);
        }
        if (genau) {
            // Rounding up to 10^stellen: the digits are 1000..., one place up.
            if (n >= ZEHNERPOTENZEN[stellen]) {
                n /= 10;
                --k;
            }
            std::to_chars(ziffern, ziffern + stellen, n);
            return stellen - 1 - k;
        }
    }
    char text[400];
    char *ende = nullptr;
#if defined(__cpp_lib_to_chars)
    ende = std::to_chars(text, text + sizeof text, std::fabs(x), std::chars_format::scientific,
                         stellen - 1)
               .ptr;
#else
    ende = text + std::snprintf(text, sizeof text, "%.*e", stellen - 1, std::fabs(x));
#endif
    // "d.ddde+XX": the digits without the point, then the exponent.
    int anzahl = 0;
    const char *p = text;
    for (; p < ende && *p != 'e'; ++p)
        if (*p != '.') ziffern[anzahl++] = *p;
    int exponent = 0;
    std::from_chars(p + (p[1] == '+' ? 2 : 1), ende, exponent);
    return exponent;
}

char *f_schreiben(char *ziel, const zerlegung &z, double x, int stellen) {
    if (z.negativ) *ziel++ = '-';
    std::uint64_t n = 0;
    if (stellen < static_cast<int>(ZEHNERPOTENZEN.size()) &&
        skaliert(z.mantisse, z.exponent, stellen, n)) {
        const std::uint64_t einheit = ZEHNERPOTENZEN[stellen];
        ziel = std::to_chars(ziel, ziel + 20, n / einheit).ptr;
        if (stellen == 0) return ziel;
        *ziel++ = '.';
        // The decimals with their leading zeros.
        std::uint64_t bruch = n % einheit;
        for (int i = stellen - 1; i >= 0; --i) {
            ziel[i] = static_cast<char>('0' + bruch % 10);
            bruch /= 10;
        }
        return ziel + stellen;
    }
    // Without its sign, which is written above (also that of -0).
    const double betrag = std::fabs(x);
#if defined(__cpp_lib_to_chars)
    return std::to_chars(ziel, ziel + ZAHL_F_MAXLAENGE + stellen, betrag, std::chars_format::fixed,
                         stellen)
        .ptr;
#else
    return ziel + std::snprintf(ziel, ZAHL_F_MAXLAENGE + stellen + 1, "%.*f", stellen, betrag);
#endif
}

char *e_schreiben(char *ziel, const zerlegung &z, double x, int stellen) {
    if (z.negativ) *ziel++ = '-';
    char ziffern[400];
    int exponent = 0;
    if (z.mantisse == 0) {
        std::memset(ziffern, '0', static_cast<std::size_t>(stellen) + 1);
    } else {
        exponent = ziffern_bestimmen(z, x, stellen + 1, ziffern);
    }
    *ziel++ = ziffern[0];
    if (stellen > 0) {
        *ziel++ = '.';
        std::memcpy(ziel, ziffern + 1, static_cast<std::size_t>(stellen));
        ziel += stellen;
    }
    return exponent_schreiben(ziel, exponent);
}

char *g_schreiben(char *ziel, const zerlegung &z, double x, int stellen) {
    if (stellen == 0) stellen = 1;
    if (z.negativ) *ziel++ = '-';
    if (z.mantisse == 0) {
        *ziel++ = '0';
        return ziel;
    }
    char ziffern[400];
    const int exponent = ziffern_bestimmen(z, x, stellen, ziffern);
    // Without '#', trailing zeros go, and a point with nothing behind it.
    int anzahl = stellen;
    while (anzahl > 1 && ziffern[anzahl - 1] == '0')
        --anzahl;
    if (exponent < -4 || exponent >= stellen) {
        *ziel++ = ziffern[0];
        if (anzahl > 1) {
            *ziel++ = '.';
            std::memcpy(ziel, ziffern + 1, static_cast<std::size_t>(anzahl - 1));
            ziel += anzahl - 1;
        }
        return exponent_schreiben(ziel, exponent);
    }
    if (exponent < 0) {
        // 0.000ddd
        *ziel++ = '0';
        *ziel++ = '.';
        std::memset(ziel, '0', static_cast<std::size_t>(-exponent - 1));
        ziel += -exponent - 1;
        std::memcpy(ziel, ziffern, static_cast<std::size_t>(anzahl));
        return ziel + anzahl;
    }
    // exponent + 1 integer digits, all of them among the stellen digits.
    std::memcpy(ziel, ziffern, static_cast<std::size_t>(exponent) + 1);
    ziel += exponent + 1;
    if (anzahl > exponent + 1) {
        *ziel++ = '.';
        std::memcpy(ziel, ziffern + exponent + 1, static_cast<std::size_t>(anzahl - exponent - 1));
        ziel += anzahl - exponent - 1;
    }
    return ziel;
}

} // namespace

extern "C" {

char *zahl_formatiert_schreiben(char *ziel, double x, char art, int breite, int stellen) {
    if (stellen < 0) stellen = 6;
    if (stellen > ZAHL_HOECHSTE_STELLEN) stellen = ZAHL_HOECHSTE_STELLEN;
    // Written behind the room for the padding, then moved to the right place
    // when it is shorter than breite.
    char text[ZAHL_F_MAXLAENGE + ZAHL_HOECHSTE_STELLEN + 2];
    char *ende = text;
    const zerlegung z = zerlegen(x);
    if (z.feld == 0x7ff) {
        // printf writes the sign bit of a NaN too: "-nan".
        if (z.negativ) *ende++ = '-';
        std::memcpy(ende, z.bruch != 0 ? "nan" : "inf", 3);
        ende += 3;
    } else if (art == 'e') {
        ende = e_schreiben(ende, z, x, stellen);
    } else if (art == 'g') {
        ende = g_schreiben(ende, z, x, stellen);
    } else if (stellen == 6) {
        ende = zahl_f_schreiben(ende, x);
    } else {
        ende = f_schreiben(ende, z, x, stellen);
    }
    const auto laenge = static_cast<int>(ende - text);
    if (laenge < breite) {
        std::memset(ziel, ' ', static_cast<std::size_t>(breite - laenge));
        ziel += breite - laenge;
    }
    std::memcpy(ziel, text, static_cast<std::size_t>(laenge));
    return ziel + laenge;
}

} // extern "C"
