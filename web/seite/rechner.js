// The page's computing, in a Web Worker: the module (numerik.js /
// numerik.wasm, the library compiled with em++) lives here, so that the main
// thread only draws.  The page sends named requests with plain data and
// gets plain data back (the long arrays as transferred Float64Arrays).
//
// Request {id, art, formel, daten, ...}: formel is the user's formula the
// request needs ({text, a, b, nr}, or null), daten the user's text ({bytes,
// nr}, or null); both are set in the instance once per number.  Answer
// {id, wert} or {id, fehler} with the library's lines on standard error in
// hinweise; {id, fortschritt: {was, anteil}} between the steps of a long
// request, {gestartet: true} for each fresh instance.
'use strict';

importScripts('numerik.js');

// The compiled module, sent by the page (compiled once for every worker).
let kompiliert = null;
let M = null;
// Where the library's lines on standard error go: the list of the request
// being answered (requests are answered one after the other).
let hinweise = [];

async function modulStarten() {
  const neu = await NumerikModul({
    instantiateWasm: (importe, fertig) => {
      WebAssembly.instantiate(kompiliert, importe).then((i) => fertig(i, kompiliert));
      return {};
    },
    print: (t) => console.log(t),
    printErr: (t) => hinweise.push(t),
  });
  neu._web_start();
  neu.datenNr = 0;
  neu.formelNr = 0;
  M = neu;
  postMessage({ gestartet: true });
}

const text = (p) => M.UTF8ToString(p);

// Copies n doubles out of the module's heap (the heap may be replaced by
// any call that allocates, so no view is kept).
const doublesLesen = (p, n) => new Float64Array(M.HEAPF64.buffer, p, n).slice();

function doublesSchreiben(werte) {
  const p = M._malloc(8 * Math.max(werte.length, 1));
  M.HEAPF64.set(werte, p / 8);
  return p;
}

function textInsModul(t) {
  const laenge = M.lengthBytesUTF8(t) + 1;
  const p = M._malloc(laenge);
  M.stringToUTF8(t, p, laenge);
  return p;
}

// A text made by a web_text_ function, as bytes; the C side frees it.
function textHolen(p) {
  const n = M._web_text_laenge();
  const bytes = M.HEAPU8.slice(p, p + n);
  M._web_text_freigeben(p);
  return bytes;
}

// The user's function (problem 0 of the module).
function formelSetzen(f) {
  const p = textInsModul(f.text);
  try {
    M._web_formel(p, f.a, f.b);
  } finally {
    M._free(p);
  }
  M.formelNr = f.nr;
}

// The user's text, loaded into the instance once; 1 interpolation, 2 value
// file.  The loaded objects keep nothing of the text: it is freed at once.
function datenSicherstellen(daten) {
  if (daten === null) throw new Error('Keine eigenen Daten geladen.');
  if (M.datenNr === daten.nr) return M.datenArt;
  const p = M._malloc(daten.bytes.length + 1);
  M.HEAPU8.set(daten.bytes, p);
  M.HEAPU8[p + daten.bytes.length] = 0;
  M.datenArt = M._web_laden(p, daten.bytes.length);
  M._free(p);
  M.datenNr = daten.nr;
  return M.datenArt;
}

// The dash types of the table (1 solid, 2 dashed, 3 dotted) as uPlot
// draws them.
const STRICHE = { 2: [10, 6], 3: [3, 4] };
function methodenStil(i) {
  return { farbe: text(M._web_methode_farbe(i)), dash: STRICHE[M._web_methode_strich(i)],
    breite: M._web_methode_breite(i) };
}

// One step of a request: arbeit() runs on the instance without a break, the
// library's warnings going into liste.  A failure of the library gives
// {fehler: its message}; the instance is then dropped and the next step
// starts a fresh one.
async function schritt(auftrag, liste, arbeit) {
  if (M === null) await modulStarten();
  hinweise = liste;
  try {
    if (auftrag.formel && M.formelNr !== auftrag.formel.nr) formelSetzen(auftrag.formel);
    return { wert: arbeit() };
  } catch (e) {
    M = null;
    if (e && e.name === 'NumerikFehler') return { fehler: e.message };
    console.error(e);
    return { fehler: `Interner Fehler der Seite: ${e && e.message ? e.message : e}` };
  }
}

// ---- What the page asks for ---------------------------------------------------

// The interpolation of method v for the choice w; frei says whether the
// caller releases it.
function interpolationErzeugen(w, v, daten) {
  if (w.quelle !== 'daten') return { ip: M._web_beispiel_erzeugen(w.m, v.k, w.art, w.n), frei: true };
  if (datenSicherstellen(daten) === 1) return { ip: M._web_geladen(), frei: false };
  return { ip: M._web_daten_erzeugen(v.k), frei: true };
}

// One method: nodes, values on the grid, pointwise and largest error.
function verfahrenRechnen(w, v, daten) {
  const { ip, frei } = interpolationErzeugen(w, v, daten);
  const ergebnis = { v, name: text(M._web_name(ip)), typ: text(M._web_typ(ip)) };
  const anzahl = M._web_knoten_anzahl(ip);
  const pkx = M._malloc(8 * anzahl);
  const pky = M._malloc(8 * anzahl);
  M._web_knoten(ip, pkx, pky);
  ergebnis.knoten = { x: doublesLesen(pkx, anzahl), y: doublesLesen(pky, anzahl) };
  M._free(pkx);
  M._free(pky);

  // The grid: the example's interval, or the interpolation's own.
  const a = w.quelle === 'daten' ? M._web_links(ip) : M._web_beispiel_a(w.m);
  const b = w.quelle === 'daten' ? M._web_rechts(ip) : M._web_beispiel_b(w.m);
  const g = w.punkte;
  const px = M._malloc(8 * g);
  const py = M._malloc(8 * g);
  M._web_gitter(g, a, b, px);
  M._web_werte(ip, px, py, g);
  ergebnis.x = doublesLesen(px, g);
  ergebnis.y = doublesLesen(py, g);
  if (w.quelle !== 'daten') {
    const pe = M._malloc(8 * g);
    M._web_fehler(w.m, px, py, pe, g);
    // The figure itself from the study's own measurement.
    const max = M._web_groesster_fehler(ip, w.m, g);
    ergebnis.e = doublesLesen(pe, g);
    ergebnis.max = max;
    ergebnis.maxText = text(M._web_zahl(max, 3));
    // The study's mark: the Newton figure is rounding where its stable
    // form over the same nodes is much closer to f.
    ergebnis.rundung = M._web_rundung(w.m, v.k, w.art, w.n, g, max) === 1;
    M._free(pe);
  }
  M._free(px);
  M._free(py);
  if (frei) M._web_freigeben(ip);
  return ergebnis;
}

// f on the grid x, or on the example's own grid of w.punkte points.
function funktionRechnen(w, x) {
  if (x === null) {
    const px = M._malloc(8 * w.punkte);
    M._web_gitter(w.punkte, M._web_beispiel_a(w.m), M._web_beispiel_b(w.m), px);
    x = doublesLesen(px, w.punkte);
    M._free(px);
  }
  const px = doublesSchreiben(x);
  const py = M._malloc(8 * x.length);
  M._web_beispielwerte(w.m, px, py, x.length);
  const y = doublesLesen(py, x.length);
  M._free(px);
  M._free(py);
  return { x, y };
}

// The Lebesgue function of the nodes on at most LEBESGUE_PUNKTE points.
const LEBESGUE_PUNKTE = 10001;
function lebesgueRechnen(w) {
  const anzahl = Math.min(w.punkte, LEBESGUE_PUNKTE);
  const a = M._web_beispiel_a(w.m);
  const b = M._web_beispiel_b(w.m);
  const px = M._malloc(8 * anzahl);
  const pl = M._malloc(8 * anzahl);
  M._web_gitter(anzahl, a, b, px);
  const konstante = M._web_lebesgue(w.art, w.n, a, b, anzahl, pl);
  const ergebnis = { x: doublesLesen(px, anzahl), l: doublesLesen(pl, anzahl),
    konstante, konstanteText: text(M._web_zahl(konstante, 4)) };
  M._free(px);
  M._free(pl);
  return ergebnis;
}

// The reference lines of the study's plot: C n^-2 and C n^-4 through the
// first spline column's last converging figure, and the geometric rate
// fitted to the Chebyshev polynomial column with the most converging
// figures (the stable form where the Newton form rounds).
function studienBezug(s) {
  const bezug = [];
  const reihe = (wert) => s.n.map((_, k) => wert(k));
  const spline = s.spalten.findIndex((_, j) => M._web_studie_bezugsart(j) === 1);
  if (spline >= 0 && Number.isFinite(M._web_studie_potenz(spline, 2, 0))) {
    for (const p of [2, 4]) bezug.push({ label: `h^${p}`, p, werte: reihe((k) => M._web_studie_potenz(spline, p, k)) });
  }
  let polynom = -1;
  for (let j = 0; j < s.spalten.length; ++j) {
    if (M._web_studie_bezugsart(j) !== 2 || !Number.isFinite(M._web_studie_rho(j))) continue;
    if (polynom < 0 || M._web_studie_rate_zeilen(j) > M._web_studie_rate_zeilen(polynom)) polynom = j;
  }
  if (polynom >= 0) {
    const rho = M._web_studie_rho(polynom);
    bezug.push({ label: `rho^-n, rho = ${text(M._web_zahl(rho, 4))}`, p: 0, rho, spalte: s.spalten[polynom].spalte,
      werte: reihe((k) => M._web_studie_geometrisch(polynom, k)) });
  }
  return bezug;
}

// The points of a grid worth drawing on a plot eimer pixels wide: in each of
// eimer equal runs of the grid, the smallest and largest value of each
// series, and the ends of each run of values that are no finite number (a
// gap); the ends of the grid.  The
// line through them looks as the line through all points, for a fraction
// of the drawing time.  null when the grid is small enough as it is.
function zeichenpunkte(reihen, n, eimer) {
  if (n <= 4 * eimer) return null;
  const behalten = new Uint8Array(n);
  behalten[0] = 1;
  behalten[n - 1] = 1;
  for (const r of reihen) {
    for (let b = 0; b < eimer; ++b) {
      const von = Math.floor((b * n) / eimer);
      const bis = Math.floor(((b + 1) * n) / eimer);
      let lo = -1;
      let hi = -1;
      for (let i = von; i < bis; ++i) {
        const y = r[i];
        if (!Number.isFinite(y)) {
          // The ends of a gap.
          if (i === 0 || i === n - 1 || Number.isFinite(r[i - 1]) || Number.isFinite(r[i + 1])) behalten[i] = 1;
          continue;
        }
        if (lo < 0 || y < r[lo]) lo = i;
        if (hi < 0 || y > r[hi]) hi = i;
      }
      if (lo >= 0) behalten[lo] = 1;
      if (hi >= 0) behalten[hi] = 1;
    }
  }
  const index = [];
  for (let i = 0; i < n; ++i) if (behalten[i]) index.push(i);
  return index;
}

const auswaehlen = (werte, index) => Float64Array.from(index, (i) => werte[i]);

const AUFTRAEGE = {
  // The module's tables: examples, node kinds, methods with their styles.
  async tabellen(auftrag, liste) {
    return schritt(auftrag, liste, () => {
      const beispiele = [];
      for (let m = 1; m <= M._web_beispiel_anzahl(); ++m) {
        beispiele.push({ m, name: text(M._web_beispiel_name(m)), formel: text(M._web_beispiel_formel(m)),
          a: M._web_beispiel_a(m), b: M._web_beispiel_b(m) });
      }
      const arten = [];
      for (let i = 0; i < M._web_knotenarten_anzahl(); ++i) {
        arten.push({ nummer: String(M._web_knotenart_nummer(i)), anzeige: text(M._web_knotenart_anzeige(i)),
          kuerzel: text(M._web_knotenart_kuerzel(i)), gespeichert: M._web_knotenart_gespeichert(i) === 1 });
      }
      const verfahren = [];
      for (let k = 0; k < M._web_verfahren_anzahl(); ++k) {
        // Each node kind in the style of the method's row of that kind, as
        // the study draws its columns.
        const stile = {};
        for (const art of arten) stile[art.nummer] = methodenStil(M._web_verfahren_methode(k, Number(art.nummer)));
        const i = M._web_verfahren_methode(k, 0);
        verfahren.push({ k, schluessel: text(M._web_verfahren_schluessel(k)), titel: text(M._web_verfahren_titel(k)),
          stile, arten: M._web_methode_arten(i), abl2: M._web_methode_abl2(i) === 1 });
      }
      return { beispiele, arten, verfahren };
    });
  },

  // One pass of the main view: each method, f, the Lebesgue function; a
  // method that fails is reported and the others go on.
  async durchlauf(auftrag, liste, melden, transfer) {
    const { w } = auftrag;
    const meldungen = [];
    const ergebnisse = [];
    const fehlgeschlagen = [];
    const schritte = auftrag.liste.length + 2;
    for (const [i, v] of auftrag.liste.entries()) {
      melden({ was: v.titel, anteil: i / schritte });
      const r = await schritt(auftrag, liste, () => verfahrenRechnen(w, v, auftrag.daten));
      if (r.fehler !== undefined) {
        meldungen.push({ wo: v.titel, text: r.fehler });
        fehlgeschlagen.push({ v });
      } else {
        ergebnisse.push(r.wert);
        for (const a of [r.wert.x, r.wert.y, r.wert.e, r.wert.knoten.x, r.wert.knoten.y]) if (a) transfer.push(a.buffer);
      }
    }
    // The exact function on the grid of the methods (or on its own grid
    // when no method is chosen).
    let fy = null;
    // x: the grid of f when it is not the first method's.
    let x = null;
    if (w.quelle !== 'daten') {
      melden({ was: 'f', anteil: (schritte - 2) / schritte });
      const r = await schritt(auftrag, liste, () => funktionRechnen(w, ergebnisse.length > 0 ? ergebnisse[0].x : null));
      if (r.fehler !== undefined) {
        meldungen.push({ wo: 'f', text: r.fehler });
      } else {
        fy = r.wert.y;
        transfer.push(fy.buffer);
        if (ergebnisse.length === 0) {
          x = r.wert.x;
          transfer.push(x.buffer);
        }
      }
    }
    let lebesgue = null;
    if (auftrag.lebesgue) {
      melden({ was: 'Lebesgue-Funktion', anteil: (schritte - 1) / schritte });
      const r = await schritt(auftrag, liste, () => lebesgueRechnen(w));
      if (r.fehler !== undefined) {
        meldungen.push({ wo: 'Lebesgue-Funktion', text: r.fehler });
      } else {
        lebesgue = r.wert;
        transfer.push(lebesgue.x.buffer, lebesgue.l.buffer);
      }
    }
    // Only what the plots draw goes back: for each plot the grid's points
    // worth drawing there (the figures are measured on the whole grid
    // above).  The curves of one plot share their x; the error curves,
    // which dip at every node, are picked apart from the values, which are
    // mostly smooth, so that neither plot carries the other's points.
    const gitter = ergebnisse.length > 0 ? ergebnisse[0].x : x;
    // (Own data has no error curves.)
    if (gitter !== null) {
      const indexF = zeichenpunkte([...ergebnisse.map((e) => e.y), ...(fy ? [fy] : [])], gitter.length, auftrag.breite);
      const indexE = w.quelle === 'daten' ? null
        : zeichenpunkte(ergebnisse.map((e) => e.e), gitter.length, auftrag.breite);
      if (indexF !== null) {
        transfer.length = 0;
        const xF = auswaehlen(gitter, indexF);
        const xE = indexE === null ? null : auswaehlen(gitter, indexE);
        for (const e of ergebnisse) {
          e.y = auswaehlen(e.y, indexF);
          e.x = xF;
          if (indexE !== null) {
            e.e = auswaehlen(e.e, indexE);
            e.xe = xE;
            transfer.push(e.e.buffer);
          }
          transfer.push(e.y.buffer, e.knoten.x.buffer, e.knoten.y.buffer);
        }
        if (fy) fy = auswaehlen(fy, indexF);
        if (ergebnisse.length === 0) x = xF;
        for (const a of [fy, xF, xE]) if (a) transfer.push(a.buffer);
        if (lebesgue) transfer.push(lebesgue.x.buffer, lebesgue.l.buffer);
      }
    }
    return { wert: { ergebnisse, fehlgeschlagen, meldungen, fy, x, lebesgue } };
  },

  // The study of fehlerstudie for problem w.m at the n of nText.
  async studie(auftrag, liste, melden) {
    return schritt(auftrag, liste, () => {
      const { w, nText, spaltenwahl, punkte } = auftrag;
      const pn = textInsModul(nText);
      M.fortschritt = (was, anteil) => melden({ was, anteil });
      let spalten;
      try {
        spalten = M._web_studie_verfolgt(w.m, pn, punkte, spaltenwahl);
      } finally {
        M.fortschritt = null;
        M._free(pn);
      }
      const n = [];
      const grob = [];
      for (let k = 0; k < M._web_studie_n_anzahl(); ++k) {
        n.push(M._web_studie_n(k));
        grob.push(M._web_studie_grob(k) === 1);
      }
      const s = { m: w.m, punkte, gitterText: text(M._web_studie_gitter_text()), n, grob, spalten: [],
        decke: M._web_studie_decke(), boden: M._web_studie_boden() };
      for (let j = 0; j < spalten; ++j) {
        const sp = { spalte: text(M._web_studie_spalte(j)), titel: text(M._web_studie_titel(j)),
          ...methodenStil(M._web_studie_methode(j)), konvergiert: M._web_studie_konvergiert(j) === 1,
          fehler: [], zellen: [], rundung: [], ordnungen: [''] };
        for (let k = 0; k < n.length; ++k) {
          sp.fehler.push(M._web_studie_fehler(k, j));
          sp.zellen.push(text(M._web_studie_zelle(k, j)));
          sp.rundung.push(M._web_studie_rundung(k, j) === 1);
          if (k > 0) sp.ordnungen.push(text(M._web_studie_ordnung(k, j)));
        }
        s.spalten.push(sp);
      }
      s.bezug = studienBezug(s);
      s.text = new TextDecoder().decode(textHolen(M._web_studie_text()));
      s.deckeText = text(M._web_zahl(s.decke, 1));
      return s;
    });
  },

  // A new formula: the module reads it (and refuses what it cannot read).
  async formel(auftrag, liste) {
    return schritt(auftrag, liste, () => formelSetzen(auftrag.neu));
  },

  // The user's text: what it is, and for an interpolation its style.
  async laden(auftrag, liste) {
    return schritt(auftrag, liste, () => {
      const art = datenSicherstellen(auftrag.daten);
      if (art === 1) {
        const ip = M._web_geladen();
        return { art, stil: methodenStil(Math.max(0, M._web_geladen_methode())),
          typ: text(M._web_typ(ip)), name: text(M._web_name(ip)), knoten: M._web_knoten_anzahl(ip) };
      }
      return { art, punkte: M._web_daten_anzahl() };
    });
  },

  // Whether method k can be made over the loaded value file.
  async pruefen(auftrag, liste) {
    return schritt(auftrag, liste, () => {
      datenSicherstellen(auftrag.daten);
      M._web_freigeben(M._web_daten_erzeugen(auftrag.k));
    });
  },

  // A file as the programs write it, in the number form chosen.
  async datei(auftrag, liste, melden, transfer) {
    const { w, v, welche, punkte } = auftrag;
    const r = await schritt(auftrag, liste, () => {
      M._web_zahlform(w.voll ? 1 : 0);
      let bytes;
      if (welche === 'beispielwerte') {
        bytes = textHolen(M._web_text_beispielwerte(w.m, punkte));
      } else if (welche === 'problem' && w.quelle !== 'daten') {
        bytes = textHolen(M._web_text_problem(w.m, v.k, w.art, w.n));
      } else if (welche === 'problem') {
        bytes = datenSicherstellen(auftrag.daten) === 1 ? textHolen(M._web_text_interpolation(M._web_geladen()))
          : textHolen(M._web_text_daten_problem(v.k));
      } else {
        const { ip, frei } = interpolationErzeugen(w, v, auftrag.daten);
        bytes = textHolen(welche === 'kurvenpunkte' ? M._web_text_kurvenpunkte(ip, punkte)
          : M._web_text_koeffizienten(ip));
        if (frei) M._web_freigeben(ip);
      }
      M._web_zahlform(0);
      return bytes;
    });
    if (r.wert) transfer.push(r.wert.buffer);
    return r;
  },

  // Nothing: answers once the instance is up (for measuring its start).
  async bereit(auftrag, liste) {
    return schritt(auftrag, liste, () => true);
  },
};

// Requests are answered in the order they come, one at a time.
let kette = Promise.resolve();
// The user's data come once to each worker (megabytes for a large value
// file); later requests name them by number only.
let daten = null;

onmessage = (e) => {
  const auftrag = e.data;
  if (auftrag.art === 'modul') {
    kompiliert = auftrag.modul;
    return;
  }
  if (auftrag.daten && auftrag.daten.bytes) daten = auftrag.daten;
  else if (auftrag.daten) auftrag.daten = daten !== null && daten.nr === auftrag.daten.nr ? daten : null;
  kette = kette.then(async () => {
    const liste = [];
    const transfer = [];
    const melden = (f) => postMessage({ id: auftrag.id, fortschritt: f });
    const r = await AUFTRAEGE[auftrag.art](auftrag, liste, melden, transfer);
    postMessage({ id: auftrag.id, ...r, hinweise: liste }, transfer);
  });
};
