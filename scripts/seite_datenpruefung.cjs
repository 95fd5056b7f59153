// The check of a loaded value file: the module's check without creation
// (web_pruefen) against making the Newton form over the same points
// (web_datei, its coefficients), as the page's check did before.  Medians.
//   node scripts/seite_datenpruefung.cjs build/web/wasm/seite [N]
// N points (20000 unless given) of 1/(1+x^2) on [-9, 9]; OHNE_ALT=1 skips
// the Newton form (minutes at 10^5).
'use strict';
const fs = require('fs');
const path = require('path');
const seite = process.argv[2];
const n = Number(process.argv[3] || 20000);
(async () => {
  const fabrik = require(path.resolve(seite, 'numerik.js'));
  const M = await fabrik({ wasmBinary: fs.readFileSync(path.join(seite, 'numerik.wasm')), printErr: () => {} });
  M._web_start();
  const lesen = (z) => {
    const k = z >> 2;
    const kopf = M.HEAP32.slice(k, k + 6);
    const w = JSON.parse(Buffer.from(M.HEAPU8.subarray(kopf[0] >>> 0, (kopf[0] >>> 0) + kopf[1])).toString('latin1'));
    M._web_antwort_loslassen();
    return w;
  };
  const x = Array.from({ length: n }, (_, i) => (-9 + 18 * i / (n - 1)).toFixed(9));
  const y = x.map((v) => (1 / (1 + v * v)).toFixed(9));
  const text = Buffer.from(`NM_MATRIX: X-Werte\nn = ${n}\nm = 1\n${x.join('\n')}\nNM_MATRIX: Y-Werte\nn = ${n}\nm = 1\n${y.join('\n')}\n`);
  const p = M._malloc(text.length + 1);
  M.HEAPU8.set(text, p);
  M.HEAPU8[p + text.length] = 0;
  console.log('laden', JSON.stringify(lesen(M._web_laden(p, text.length))).slice(0, 80));
  const t = lesen(M._web_tabellen());
  const k = t.verfahren.find((v) => v.schluessel === 'newton').k;
  const median = (l) => [...l].sort((a, b) => a - b)[Math.floor(l.length / 2)];
  const zeit = (f, mal) => { const z = []; for (let i = 0; i < mal; ++i) { const t0 = performance.now(); const w = f(); z.push(performance.now() - t0); if (w.fehler) throw new Error(w.fehler); } return median(z); };
  const neu = zeit(() => lesen(M._web_pruefen(k)), 5);
  const alt = process.env.OHNE_ALT ? NaN : zeit(() => lesen(M._web_datei(2, 1, 0, k, 0, 0, 0, 0)), 3);
  console.log(`n = ${n}: Pruefung ohne Erzeugung ${neu.toFixed(1)} ms, Newton-Form erzeugt ${alt.toFixed(1)} ms, Verhaeltnis ${(neu / alt).toFixed(4)}`);
})();
