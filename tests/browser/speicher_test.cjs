// A failure of the library ends its call, not the page's module: in one
// instance (in node, without a browser), 10^4 failing calls of each kind
// answer with the library's message, the very text the programs print, the
// heap in use stops growing, and afterwards the instance computes what a
// fresh one computes and keeps the data it had loaded.
'use strict';
const fs = require('fs');
const os = require('os');
const path = require('path');
const h = require('./hilfe.cjs');

const { seite, bin, beispiele } = h.argumente();
const p = new h.Pruefung();

const WIEDERHOLUNGEN = 10000;
const ERSTE_MESSUNG = 1000;
// A leak of the smallest block (8 bytes) a failure shows as 72000 bytes
// between the two measurements; the heap may move by a few blocks besides.
const SPIELRAUM = 4096;

async function modul() {
  const fabrik = require(path.resolve(seite, 'numerik.js'));
  const M = await fabrik({ wasmBinary: fs.readFileSync(path.join(seite, 'numerik.wasm')), printErr: () => {} });
  M._web_start();
  return M;
}

// The result of a call (web/wasm/antwort.h), as the worker reads it.
function lesen(M, zeiger) {
  const k = zeiger >> 2;
  const kopf = M.HEAP32.slice(k, k + 6);
  const wert = JSON.parse(Buffer.from(M.HEAPU8.subarray(kopf[0] >>> 0, (kopf[0] >>> 0) + kopf[1])).toString('latin1'));
  for (const [i, name] of (wert.reihen || []).entries()) {
    const r = (kopf[3] >>> 0) / 4 + 2 * i;
    wert[name] = new Float64Array(M.HEAPF64.buffer, M.HEAPU32[r], M.HEAP32[r + 1]).slice();
  }
  M._web_antwort_loslassen();
  return wert;
}

// A call that takes a text (and its length when mitLaenge).
function mitText(M, text, arbeit) {
  const bytes = Buffer.from(text);
  const zeiger = M._malloc(bytes.length + 1);
  M.HEAPU8.set(bytes, zeiger);
  M.HEAPU8[zeiger + bytes.length] = 0;
  try {
    return lesen(M, arbeit(zeiger, bytes.length));
  } finally {
    M._free(zeiger);
  }
}

// What a program writes to standard error for a text stored in a file.
function programmMeldung(programm, args, inhalt) {
  const datei = path.join(os.tmpdir(), `numerik_speicher_${process.pid}.txt`);
  fs.writeFileSync(datei, inhalt);
  const r = h.programm(bin, programm, args.map((a) => (a === 'DATEI' ? datei : a)));
  fs.rmSync(datei);
  if (r.status !== 1) throw new Error(`${programm} ${args.join(' ')} endete mit ${r.status}`);
  return r.stderr;
}

// A value file of the points x and the values y, as beispielwerte writes it.
const wertedatei = (x, y) => `NM_MATRIX: X-Werte\nn = ${x.length}\nm = 1\n${x.join('\n')}\n` +
  `NM_MATRIX: Y-Werte\nn = ${y.length}\nm = 1\n${y.join('\n')}\n`;
// Two hundred points, so that a failure that keeps a vector shows.
const PUNKTE = Array.from({ length: 200 }, (_, i) => (i / 10).toFixed(6));
const WERTE = PUNKTE.map((x) => Math.sin(Number(x)).toFixed(6));
const GUT = wertedatei(PUNKTE, WERTE);
// kurvenpunkte meets a method over own data as this text.
const alsNewton = (datei) => `NEWTON_INTERPOLATION: Eigene Daten, Newton-Form\nart = 0\n${datei}`;

(async () => {
  const M = await modul();
  const tabellen = lesen(M, M._web_tabellen());
  const k = (schluessel) => tabellen.verfahren.find((v) => v.schluessel === schluessel).k;
  const spline = fs.readFileSync(path.join(beispiele, 'spline_natuerlich.txt'), 'utf8');
  const gleich = [...PUNKTE.slice(0, -1), PUNKTE[PUNKTE.length - 2]];
  const abgebrochen = GUT.slice(0, GUT.indexOf('\n', GUT.indexOf('NM_MATRIX: Y') + 100));

  // Each kind: the failing call, and the message the program prints for it.
  const arten = [
    ['Formel, die nicht lesbar ist', () => mitText(M, '1/(1+x^', (t) => M._web_formel(t, -1, 1)),
      () => h.programm(bin, 'beispielwerte', ['-f', '10', '1/(1+x^', '-1', '1']).stderr],
    ['Interpolationstext, der abbricht', () => mitText(M, spline.replace('n = 5', 'n = 7'), M._web_laden),
      () => programmMeldung('kurvenpunkte', ['10', 'DATEI'], spline.replace('n = 5', 'n = 7'))],
    ['Wertedatei, deren Werte fehlen', () => mitText(M, abgebrochen, M._web_laden),
      () => programmMeldung('fehlervergleich', ['DATEI', 'DATEI'], abgebrochen)],
    ['Wertedatei mit zwei gleichen Stuetzstellen', () => {
      mitText(M, wertedatei(gleich, WERTE), M._web_laden);
      return lesen(M, M._web_pruefen(k('newton')));
    }, () => programmMeldung('kurvenpunkte', ['10', 'DATEI'], alsNewton(wertedatei(gleich, WERTE)))],
    ['Wertedatei mit weniger Y- als X-Werten', () => {
      mitText(M, wertedatei(PUNKTE, WERTE.slice(1)), M._web_laden);
      return lesen(M, M._web_pruefen(k('newton')));
    }, () => programmMeldung('kurvenpunkte', ['10', 'DATEI'], alsNewton(wertedatei(PUNKTE, WERTE.slice(1))))],
    ['Spline mit zwei Stuetzstellen', () => lesen(M, M._web_verfahren(0, 4, k('natuerlich'), 1, 1, 1001)),
      () => h.programm(bin, 'splineerzeuger', ['-a', '-n', '1', '4', path.join(os.tmpdir(), 'numerik_nie')]).stderr],
    ['Liste von n mit einem Wort', () => mitText(M, '2 4 x', (t) => M._web_studie(4, t, 0, 0)),
      () => h.programm(bin, 'fehlerstudie', ['4', '2', '4', 'x']).stderr],
  ];

  for (const [was, aufruf, soll] of arten) {
    const meldung = soll();
    let abweichend = 0;
    let belegt1000 = 0;
    let beginn = 0;
    let erste = null;
    for (let i = 1; i <= WIEDERHOLUNGEN; ++i) {
      const r = aufruf();
      if (erste === null) erste = r.fehler;
      if (r.fehler !== meldung) abweichend += 1;
      if (i === ERSTE_MESSUNG) {
        belegt1000 = M._web_speicher_belegt();
        beginn = performance.now();
      }
    }
    const dauer = (performance.now() - beginn) / (WIEDERHOLUNGEN - ERSTE_MESSUNG);
    const zuwachs = M._web_speicher_belegt() - belegt1000;
    console.log(`     Messung: ${was}: ${(1000 * dauer).toFixed(1)} us je Fehlschlag`);
    p.gleich(erste, meldung, `${was}: die Meldung des Programms`);
    p.gleich(abweichend, 0, `${was}: ${WIEDERHOLUNGEN} Mal dieselbe Meldung`);
    const text = `${was}: der Heap waechst von ${ERSTE_MESSUNG} bis ${WIEDERHOLUNGEN} Fehlschlaegen um ${zuwachs} Bytes`;
    p.pruefe(zuwachs <= SPIELRAUM, text);
  }

  // After all of them, the same instance: loaded data stay loaded through a
  // text that does not load, and every figure is that of a fresh instance.
  const frisch = await modul();
  const vergleichen = (was, a, b) => {
    const gleich = a.fehler === undefined && ['x', 'y', 'knoten_x', 'knoten_y', 'e'].every((r) =>
      (a[r] === undefined && b[r] === undefined) || (a[r].length === b[r].length && a[r].every((v, i) => Object.is(v, b[r][i]))));
    p.pruefe(gleich && a.max === b.max && a.name === b.name, `${was}: wie in einer frischen Instanz`,
      JSON.stringify([a.fehler, a.max, b.max]));
  };
  for (const m of [M, frisch]) {
    p.gleich(mitText(m, GUT, m._web_laden).art, 2, 'die gute Wertedatei laedt');
  }
  mitText(M, abgebrochen, M._web_laden);
  vergleichen('Spline ueber die zuvor geladene Wertedatei', lesen(M, M._web_verfahren(1, 0, k('natuerlich'), 0, 0, 1001)),
    lesen(frisch, frisch._web_verfahren(1, 0, k('natuerlich'), 0, 0, 1001)));
  for (const [schluessel, art, n] of [['natuerlich', 1, 16], ['newton', 2, 40], ['baryzentrisch', 1, 8]]) {
    vergleichen(`${schluessel}, Knotenart ${art}, n = ${n}`, lesen(M, M._web_verfahren(0, 4, k(schluessel), art, n, 1001)),
      lesen(frisch, frisch._web_verfahren(0, 4, k(schluessel), art, n, 1001)));
  }
  const studie = (m) => mitText(m, '2 4 8 16', (t) => m._web_studie(4, t, 0, 3)).text;
  p.gleich(studie(M), studie(frisch), 'die Studie wie in einer frischen Instanz');
})().then(() => p.ende(), (e) => { console.error(e); process.exitCode = 2; });
