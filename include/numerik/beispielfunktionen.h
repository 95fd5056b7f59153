/** \file
 * The numbered example problems of the programs, the study and the page:
 * the rows of ::funktion, functions of the shape of numerik/funktion.h
 * whose values and derivatives are closed forms that ignore the context.
 *
 * Problem m (counted from 1) is row m-1 of ::funktion.  The table and the
 * functions it points to are constant; nothing needs releasing.
 *
 * The header compiles as C and as C++; every name has C linkage. */
#ifndef NUMERIK_BEISPIELFUNKTIONEN_H
#define NUMERIK_BEISPIELFUNKTIONEN_H

#include "funktion.h"

#ifdef __cplusplus
extern "C" {
#endif

/** The example problems; problem m is row m-1. */
extern const beispielfunktion funktion[];
/** The number of rows of ::funktion. */
extern const int funktion_anzahl;

#ifdef __cplusplus
}
#endif

#endif
