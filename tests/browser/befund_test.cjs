// One study, three front ends, one befund: the page's module (in node),
// fehlerstudie (its tables' marks and its plot's key) and Python's study
// conclude the same for the same input, because each only renders what the
// library concluded.  Runge's function on [-9, 9] (problem 4) over all
// columns, up to n = 1024: rounding marks in the Newton columns, a column
// that diverges, spline power lines and the geometric rate at Chebyshev
// points, whose rho its poles at +-i fix at 1/9 + sqrt(1 + 1/81).
'use strict';
const fs = require('fs');
const os = require('os');
const path = require('path');
const { spawnSync } = require('child_process');
const h = require('./hilfe.cjs');

const { seite, bin } = h.argumente();
const python = process.argv[5];
const pythonPfad = process.argv[6];
const p = new h.Pruefung();

const N = [2, 4, 8, 16, 32, 64, 128, 256, 512, 1024];

async function modul() {
  const fabrik = require(path.resolve(seite, 'numerik.js'));
  const M = await fabrik({ wasmBinary: fs.readFileSync(path.join(seite, 'numerik.wasm')), printErr: () => {} });
  M._web_start();
  return M;
}

// The page's study: web_studie's result (web/wasm/antwort.h).
function seitenStudie(M) {
  const text = Buffer.from(N.join(' '));
  const zeiger = M._malloc(text.length + 1);
  M.HEAPU8.set(text, zeiger);
  M.HEAPU8[zeiger + text.length] = 0;
  const kopf = M._web_studie(4, zeiger, 0, 3) >> 2;
  const k = M.HEAP32.slice(kopf, kopf + 2);
  const wert = JSON.parse(Buffer.from(M.HEAPU8.subarray(k[0] >>> 0, (k[0] >>> 0) + k[1])).toString('latin1'));
  M._web_antwort_loslassen();
  M._free(zeiger);
  if (wert.fehler !== undefined) throw new Error(wert.fehler);
  return wert;
}

(async () => {
  const seiteS = seitenStudie(await modul());
  const b = seiteS.befund;
  const spalten = b.spalten.map((sp) => sp.spalte);

  // Python: the same columns, by name.
  const programmPy = 'import json, sys, numerik\n' +
    `print(numerik.studie_json(4, n=${JSON.stringify(N)}, methoden=json.loads(sys.argv[1])))\n`;
  const py = spawnSync(python, ['-c', programmPy, JSON.stringify(spalten)],
    { env: { ...process.env, PYTHONPATH: pythonPfad, PYTHONWARNINGS: 'ignore' }, maxBuffer: 1 << 26 });
  p.gleich(py.status, 0, `Python rechnet die Studie (${py.stderr})`);
  const pyB = JSON.parse(py.stdout.toString());

  // fehlerstudie -p -s: its table and, with -d, its plot's script (no
  // gnuplot on the path: the script stays undrawn) in a directory of its own.
  const ordner = fs.mkdtempSync(path.join(os.tmpdir(), 'numerik-befund-'));
  const fs_ = spawnSync(path.join(bin, 'fehlerstudie'), ['-p', '-s', '-d', '-w', '4', ...N.map(String)],
    { cwd: ordner, env: { PATH: '/nonexistent' }, maxBuffer: 1 << 26 });
  p.gleich(fs_.status, 0, `fehlerstudie laeuft (${fs_.stderr})`);
  const skript = fs.readFileSync(path.join(ordner, 'fehlerstudie_4.gp'), 'utf8');
  fs.rmSync(ordner, { recursive: true });
  const titel = [...skript.matchAll(/with linespoints .* title '((?:[^']|'')*)'/g)].map((m) => m[1].replace(/''/g, "'"));
  const tabelle = fs_.stdout.toString('utf8');

  p.gleich(JSON.stringify(pyB.spalten.map((sp) => sp.spalte)), JSON.stringify(spalten), 'dieselben Spalten');
  b.spalten.forEach((sp, j) => {
    const pySp = pyB.spalten[j];
    p.gleich(sp.legende, pySp.legende, `${sp.spalte}: Legende wie in Python`);
    p.gleich(sp.legende ? `${sp.titel} (${sp.legende})` : sp.titel, titel[j], `${sp.spalte}: Legende wie fehlerstudies Bild`);
    p.gleich(JSON.stringify(sp.rundung), JSON.stringify(pySp.rundung), `${sp.spalte}: Rundungsmarken wie in Python`);
    p.gleich(sp.konvergiert, pySp.konvergiert, `${sp.spalte}: konvergiert wie in Python`);
    p.gleich(sp.bezugsart, pySp.bezugsart, `${sp.spalte}: Art der Bezugslinie wie in Python`);
  });
  // The marks of fehlerstudie's error table (three blocks of columns):
  // each mark behind each figure
  // the befund marks so, row by row.
  const zeilen = tabelle.split('\n').filter((z) => /^ +\d+ /.test(z)).slice(0, N.length * 3);
  for (const zeichen of ['*', '#', '!']) {
    const marken = b.spalten.reduce((summe, sp) => summe + sp.marke.filter((m) => m === zeichen).length, 0);
    p.gleich((zeilen.join('\n').split(zeichen).length - 1), marken, `so viele ${zeichen} in fehlerstudies Tabellen wie im Befund`);
    if (zeichen !== '!') p.pruefe(marken > 0, `es gibt Marken ${zeichen} (${marken})`);
  }
  b.spalten.forEach((sp, j) => {
    p.gleich(JSON.stringify(sp.marke), JSON.stringify(pyB.spalten[j].marke), `${sp.spalte}: Marken wie in Python`);
    p.gleich(sp.urteil, pyB.spalten[j].urteil, `${sp.spalte}: Urteil wie in Python`);
  });
  // The block "Warum": the page's, Python's and fehlerstudie -w's, byte for byte.
  p.gleich(b.warum.text, pyB.warum.text, 'Warum der Seite wie in Python');
  p.gleich(`\nWarum\n${tabelle.split('\nWarum\n')[1]}`, b.warum.text, 'Warum der Seite wie fehlerstudie -w');
  p.pruefe(b.spalten.some((sp) => sp.legende === 'divergiert (Runge); gekappt'), 'eine Spalte divergiert (Runge)');

  // The fitted rate: the same column and rho in all three, and rho within
  // 1 % of the poles' Bernstein parameter.
  p.gleich(b.bezug_geometrisch, pyB.bezug_geometrisch, 'die Spalte der Rate wie in Python');
  p.gleich(b.bezug_potenz, pyB.bezug_potenz, 'die Spalte der Potenzen wie in Python');
  const rho = b.spalten[b.bezug_geometrisch].rho;
  const rhoPy = pyB.spalten[pyB.bezug_geometrisch].rho;
  p.pruefe(Math.abs(rho - rhoPy) <= 1e-12 * rhoPy, `rho der Seite ${rho} wie in Python ${rhoPy}`);
  const theorie = 1 / 9 + Math.sqrt(1 + 1 / 81);
  p.pruefe(Math.abs(rho / theorie - 1) < 0.01, `rho ${rho} auf 1 % bei ${theorie.toFixed(6)}`);
  const linie = seiteS.bezug.find((l) => l.p === 0);
  p.pruefe(linie !== undefined && linie.label === `rho^-n, rho = ${rho.toPrecision(4)}`,
    `die Seite zeichnet die Rate des Befunds (${linie && linie.label})`);
  p.ende();
})().catch((e) => {
  console.error(e);
  process.exitCode = 1;
});
