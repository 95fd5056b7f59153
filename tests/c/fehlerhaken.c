/* The error hook from C: a handler that leaves through longjmp lands back in
 * the caller, which goes on using the library. */
#define _POSIX_C_SOURCE 200809L
#include <numerik/fehler.h>
#include <numerik/interplt.h>
#include <numerik/nmmatrix.h>

#include <setjmp.h>
#include <stdio.h>
#include <string.h>

static jmp_buf ruecksprung;
static char meldung[256];
static int status;
static int fehlschlaege;

static void behandlung(const char *text, int s) {
    snprintf(meldung, sizeof meldung, "%s", text);
    status = s;
    longjmp(ruecksprung, 1);
}

static void erwarte(int bedingung, const char *was) {
    if (!bedingung) {
        printf("FEHLER: %s\n", was);
        ++fehlschlaege;
    }
}

static objekt *laden(const char *text) {
    FILE *ein = fmemopen((void *)text, strlen(text), "r");
    objekt *ip = interpolation_tabelle(&allg_interpolation)->laden(ein, NULL);
    fclose(ein);
    return ip;
}

/* Loads and evaluates where a failure is not expected: it lands here. */
static double laden_und_auswerten(const char *text, double x) {
    if (setjmp(ruecksprung) != 0) {
        printf("FEHLER: unerwartet abgebrochen: %s", meldung);
        ++fehlschlaege;
        return -1.0;
    }
    objekt *ip = laden(text);
    double wert = interpolation_tabelle(ip)->funktionswert(ip, x);
    interpolation_tabelle(ip)->freigeben(ip);
    return wert;
}

int main(void) {
    erwarte(numerik_fehlerbehandlung_setzen(behandlung) == NULL, "kein Handler zu Beginn");
    nmmatrix_parameter p = {2, 2, "A", 1};
    objekt *a = nmmatrix_kreieren(&p, NULL);

    if (setjmp(ruecksprung) == 0) {
        nmmatrix_amIndex(a, 3, 1);
        erwarte(0, "Index (3,1) ohne Fehler");
    } else {
        erwarte(strcmp(meldung, "NM_MATRIX A Ungueltiger Index fuer Matrix: (3,1)\n") == 0,
                "Meldung des Index");
        erwarte(status == 1, "Status 1");
    }
    /* The matrix is still whole. */
    nmmatrix_setzen(a, 2, 2, 4.5);
    erwarte(nmmatrix_amIndex(a, 2, 2) == 4.5, "Matrix nach dem Fehler benutzbar");

    /* A load that fails half way, then one that works. */
    if (setjmp(ruecksprung) == 0) {
        laden("NEWTON_INTERPOLATION: p\nart = 1\na = 0\nb = 2\nNM_MATRIX: y\nn = 3\nm = 1\n1\n");
        erwarte(0, "abgebrochener Text ohne Fehler");
    } else {
        erwarte(strcmp(meldung, "Zeile  nicht gefunden - EOF.\n") == 0, "Meldung des Endes");
    }
    erwarte(laden_und_auswerten("NEWTON_INTERPOLATION: p\nart = 1\na = 0\nb = 2\n"
                                "NM_MATRIX: y\nn = 3\nm = 1\n1\n3\n7\n",
                                3.0) == 13.0,
            "p(3) = 13");

    /* A header line read by hand and left waiting does not block the next
     * load once a failure has passed. */
    if (setjmp(ruecksprung) == 0) {
        char typ[80] = "";
        const char *text = "NM_MATRIX: x\n";
        FILE *ein = fmemopen((void *)text, strlen(text), "r");
        matrix_kopfzeile(ein, typ);
        fclose(ein);
        nmmatrix_amIndex(a, 0, 1);
    }
    erwarte(laden_und_auswerten("NEWTON_INTERPOLATION: q\nart = 1\na = 0\nb = 1\n"
                                "NM_MATRIX: y\nn = 1\nm = 1\n5\n",
                                0.5) == 5.0,
            "q nach dem Fehler");

    nmmatrix_freigeben(a);
    erwarte(numerik_fehlerbehandlung_setzen(NULL) == behandlung, "voriger Handler");
    if (fehlschlaege == 0) puts("Fehlerbehandlung aus C in Ordnung.");
    return fehlschlaege == 0 ? 0 : 1;
}
