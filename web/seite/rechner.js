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

// The result of a call (web/wasm/antwort.h): its head is six 32-bit fields,
// the JSON text (pointer, length), the series (count, pointer to a pair of
// pointer and count each, in the order of the JSON's "reihen") and a file's
// bytes (pointer, length).  Everything is copied out (any later call may
// replace the heap) and the module's copy released.  The library's
// warnings join the lines of the answer; a failure of the library throws a
// NumerikFehler with its message.
function antwortLesen(p) {
  const k = p >> 2;
  const kopf = M.HEAP32.slice(k, k + 6);
  const wert = JSON.parse(new TextDecoder().decode(M.HEAPU8.subarray(kopf[0] >>> 0, (kopf[0] >>> 0) + kopf[1])));
  for (const [i, name] of (wert.reihen || []).entries()) {
    const r = (kopf[3] >>> 0) / 4 + 2 * i;
    wert[name] = new Float64Array(M.HEAPF64.buffer, M.HEAPU32[r], M.HEAP32[r + 1]).slice();
  }
  if (kopf[4] !== 0) wert.bytes = M.HEAPU8.slice(kopf[4] >>> 0, (kopf[4] >>> 0) + kopf[5]);
  M._web_antwort_loslassen();
  for (const w of wert.warnungen) hinweise.push(...w.replace(/\n$/, '').split('\n'));
  if (wert.fehler !== undefined) {
    const fehler = new Error(wert.fehler);
    fehler.name = 'NumerikFehler';
    throw fehler;
  }
  delete wert.reihen;
  delete wert.warnungen;
  return wert;
}

// Calls web_<name> of the module with args and reads its result.
const rufen = (name, ...args) => antwortLesen(M[`_web_${name}`](...args));

// A text in the module's heap for the length of arbeit(pointer).
function mitText(t, arbeit) {
  const laenge = M.lengthBytesUTF8(t) + 1;
  const p = M._malloc(laenge);
  M.stringToUTF8(t, p, laenge);
  try {
    return arbeit(p);
  } finally {
    M._free(p);
  }
}

// JSON has no nan and inf: the module writes them as null, read here as
// NaN, as the page compares such figures.
const zahl = (x) => (x === null ? NaN : x);

// The user's function (problem 0 of the module).
function formelSetzen(f) {
  mitText(f.text, (p) => rufen('formel', p, f.a, f.b));
  M.formelNr = f.nr;
}

// The user's text, loaded into the instance once: what web_laden says of
// it (art 1 interpolation, 2 value file).  The loaded objects keep nothing
// of the text: it is freed at once.  A text that does not load leaves the
// one before loaded, in the module as here.
function datenSicherstellen(daten) {
  if (daten === null) throw new Error('Keine eigenen Daten geladen.');
  if (M.datenNr === daten.nr) return M.daten;
  const p = M._malloc(daten.bytes.length + 1);
  M.HEAPU8.set(daten.bytes, p);
  M.HEAPU8[p + daten.bytes.length] = 0;
  try {
    M.daten = rufen('laden', p, daten.bytes.length);
  } finally {
    M._free(p);
  }
  M.datenNr = daten.nr;
  return M.daten;
}

// The dash types of the table (1 solid, 2 dashed, 3 dotted) as uPlot
// draws them.
const STRICHE = { 2: [10, 6], 3: [3, 4] };
const stil = (s) => ({ farbe: s.farbe, dash: STRICHE[s.strich], breite: s.breite });

// One step of a request: arbeit() runs on the instance without a break, the
// library's warnings going into liste.  A failure of the library gives
// {fehler: its message}, and the instance goes on: the module has left the
// failing call through a C++ exception, every frame releasing what it held.
// Anything else (a fault of the page, a trap of the module) drops the
// instance, and the next step starts a fresh one.
async function schritt(auftrag, liste, arbeit) {
  if (M === null) await modulStarten();
  hinweise = liste;
  try {
    if (auftrag.formel && M.formelNr !== auftrag.formel.nr) formelSetzen(auftrag.formel);
    return { wert: arbeit() };
  } catch (e) {
    if (e && e.name === 'NumerikFehler') return { fehler: e.message };
    M = null;
    console.error(e);
    return { fehler: `Interner Fehler der Seite: ${e && e.message ? e.message : e}` };
  }
}

// ---- What the page asks for ---------------------------------------------------

// One method: nodes, values on the grid, pointwise and largest error.
function verfahrenRechnen(w, v, daten) {
  const eigene = w.quelle === 'daten';
  if (eigene) datenSicherstellen(daten);
  const r = rufen('verfahren', eigene ? 1 : 0, w.m, v.k, w.art, w.n, w.punkte);
  const ergebnis = { v, name: r.name, typ: r.typ, knoten: { x: r.knoten_x, y: r.knoten_y }, x: r.x, y: r.y };
  if (!eigene) {
    ergebnis.e = r.e;
    ergebnis.max = zahl(r.max);
    ergebnis.maxText = r.maxText;
    // The study's mark: the Newton figure is rounding where its stable
    // form over the same nodes is much closer to f.
    ergebnis.rundung = r.rundung;
  }
  return ergebnis;
}

// f on the grid of the methods of w (w.punkte points of the problem's
// interval).
function funktionRechnen(w) {
  const r = rufen('funktion', w.m, w.punkte);
  return { x: r.x, y: r.y };
}

// The Lebesgue function of the nodes on at most LEBESGUE_PUNKTE points.
const LEBESGUE_PUNKTE = 10001;
function lebesgueRechnen(w) {
  const r = rufen('lebesgue', w.m, w.art, w.n, Math.min(w.punkte, LEBESGUE_PUNKTE));
  return { x: r.x, l: r.l, konstante: zahl(r.konstante), konstanteText: r.konstanteText };
}

// The study as the page draws it: the library's befund with each column's
// style as uPlot takes it, figures that are no number as NaN.
function studieLesen(s) {
  const b = s.befund;
  s.n = b.n;
  s.grob = b.grob;
  s.decke = zahl(b.decke);
  s.boden = zahl(b.boden);
  s.spalten = b.spalten.map((sp, j) => Object.assign(sp, stil(s.stile[j]), { fehler: sp.fehler.map(zahl),
    vorhersage: (sp.vorhersage || []).map(zahl), rundungsboden: sp.rundungsboden.map(zahl) }));
  // The theory's verdicts and the marks' legend, for warum.js.
  s.warum = b.warum;
  s.markenLegende = b.marken_legende;
  for (const linie of s.bezug) linie.werte = linie.werte.map(zahl);
  delete s.befund;
  delete s.stile;
  return s;
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

// The files of web_datei.
const DATEIEN = { problem: 0, kurvenpunkte: 1, koeffizienten: 2, beispielwerte: 3 };

const AUFTRAEGE = {
  // The module's tables: examples, node kinds, methods with their styles.
  async tabellen(auftrag, liste) {
    return schritt(auftrag, liste, () => {
      const t = rufen('tabellen');
      const arten = t.arten.map((a) => ({ ...a, nummer: String(a.nummer) }));
      // Each node kind in the style of the method's row of that kind, as
      // the study draws its columns.
      const verfahren = t.verfahren.map((v) => ({ ...v,
        stile: Object.fromEntries(arten.map((a) => [a.nummer, stil(v.stile[a.nummer])])) }));
      return { beispiele: t.beispiele, arten, verfahren };
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
    // A global form over more than 10^4 of the user's nodes runs only when
    // the user asked for it after seeing its cost.
    const zurueckgestellt = [];
    for (const [i, v] of auftrag.liste.entries()) {
      melden({ was: v.titel, anteil: i / schritte });
      if (w.quelle === 'daten' && v.k >= 0 && !(auftrag.bestaetigt || []).includes(v.schluessel)) {
        const k = await schritt(auftrag, liste, () => rufen('kosten', v.k, datenSicherstellen(auftrag.daten).punkte - 1,
          w.punkte));
        if (k.wert && k.wert.fragen) {
          zurueckgestellt.push({ v, sekunden: k.wert.sekunden });
          continue;
        }
      }
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
      const r = await schritt(auftrag, liste, () => funktionRechnen(w));
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
    return { wert: { ergebnisse, fehlgeschlagen, zurueckgestellt, meldungen, fy, x, lebesgue } };
  },

  // The study of fehlerstudie for problem w.m at the n of nText; for the
  // user's data that of their AAA fit.
  async studie(auftrag, liste, melden) {
    return schritt(auftrag, liste, () => {
      const { w, nText, spaltenwahl, punkte } = auftrag;
      M.fortschritt = (was, anteil) => melden({ was, anteil });
      try {
        if (w.quelle === 'daten') {
          // The user's data: the study of their AAA fit where it stands in
          // for f, else only the line that says why not.
          datenSicherstellen(auftrag.daten);
          const r = mitText(nText, (p) => rufen('studie_daten', p, punkte, spaltenwahl));
          return r.befund ? studieLesen(r) : r;
        }
        return studieLesen(mitText(nText, (p) => rufen('studie', w.m, p, punkte, spaltenwahl)));
      } finally {
        M.fortschritt = null;
      }
    });
  },

  // A new formula: the module reads it (and refuses what it cannot read,
  // and one that is no finite number where the pass asks for it).
  async formel(auftrag, liste) {
    return schritt(auftrag, liste, () => {
      formelSetzen(auftrag.neu);
      const { punkte, art, n } = auftrag.probe;
      rufen('formel_pruefen', punkte, art, n);
    });
  },

  // The user's text: what it is, and for an interpolation its style.
  async laden(auftrag, liste) {
    return schritt(auftrag, liste, () => {
      const d = datenSicherstellen(auftrag.daten);
      if (d.art === 1) return { art: d.art, stil: stil(d.stil), typ: d.typ, name: d.name, knoten: d.knoten };
      return { art: d.art, punkte: d.punkte, spalten: d.spalten === true };
    });
  },

  // Whether method k can be made over the loaded value file.
  async pruefen(auftrag, liste) {
    return schritt(auftrag, liste, () => {
      datenSicherstellen(auftrag.daten);
      rufen('pruefen', auftrag.k);
    });
  },

  // A file as the programs write it, in the number form chosen.
  async datei(auftrag, liste, melden, transfer) {
    const { w, v, welche, punkte } = auftrag;
    const r = await schritt(auftrag, liste, () => {
      const eigene = w.quelle === 'daten';
      if (eigene) datenSicherstellen(auftrag.daten);
      return rufen('datei', DATEIEN[welche], eigene ? 1 : 0, w.m, v ? v.k : 0, w.art, w.n, punkte || 0,
        w.voll ? 1 : 0).bytes;
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
