// The figures the page shows are the figures fehlerstudie prints for the same
// problem, node kind and n (1001 measuring points), and moving the slider
// recomputes them; AAA and the trigonometric interpolation as well.
//
// The page runs the library in WebAssembly with musl's libm, the programs run
// natively with glibc's: sin and cos differ in the last bit for some
// arguments (example functions 1 and 2 are sines, Chebyshev nodes use cos).
// The spline columns are stable: a last-bit change of a node or value moves
// their error in the last bits, far below the three digits shown, so they
// are compared up to n = 1024.  The Newton form amplifies such a change as n
// grows (its figures from n = 64 on are rounding, not interpolation error),
// and the barycentric form reaches rounding level on the sines: the
// polynomial forms are compared only where their error is interpolation
// error, n <= 32.
'use strict';
const h = require('./hilfe.cjs');

const { seite, bin } = h.argumente();
const p = new h.Pruefung();

// fehlerstudie -p -s m n...: {n: {column: text}} from its first table, all
// of its blocks (the rounding mark of a Newton figure dropped).
function studie(m, nListe) {
  const r = h.programm(bin, 'fehlerstudie', ['-p', '-s', String(m), ...nListe.map(String)]);
  if (r.status !== 0) throw new Error(`fehlerstudie ${m}: ${r.stderr}`);
  const zeilen = r.stdout.toString().split('\nBeobachtete Ordnung')[0].split('\n');
  const tabelle = {};
  for (let kopf = 0; kopf < zeilen.length; ++kopf) {
    if (!/^\s+n\s+\S/.test(zeilen[kopf])) continue;
    const spalten = zeilen[kopf].trim().split(/\s+/);
    for (let i = kopf + 1; i < zeilen.length && zeilen[i].trim() !== ''; ++i) {
      const werte = zeilen[i].trim().replace(/[*#!]/g, '').split(/\s+/); // figures without the study's marks
      tabelle[werte[0]] = Object.assign(tabelle[werte[0]] || {},
        Object.fromEntries(spalten.map((s, j) => [s, werte[j]])));
    }
  }
  return tabelle;
}

// The page's method and node kind -> fehlerstudie's column (null: none).
const VERFAHREN = ['newton', 'baryzentrisch', 'natuerlich', 'abl2', 'periodisch'];
const POLYNOME = new Set(['newton', 'baryzentrisch']);
function spalte(schluessel, art) {
  const k = art === 1 ? 'a' : 't';
  return { newton: `Newton-${k}`, baryzentrisch: `Bary-${k}`, natuerlich: `nat.Sp-${k}`,
    abl2: art === 1 ? 'abl.Sp-a' : null, periodisch: art === 1 ? 'per.Sp-a' : null }[schluessel];
}

const FAELLE = [
  // problem, node kind, n for every method, n for the stable methods only
  { m: 4, art: 1, alle: [2, 8, 16, 32], stabil: [64, 256, 1024] },
  { m: 4, art: 2, alle: [4, 16, 32], stabil: [100, 1024] },
  { m: 1, art: 1, alle: [8, 16], stabil: [64, 512] },
  { m: 1, art: 2, alle: [8, 16], stabil: [128, 1024] },
  { m: 2, art: 2, alle: [16, 32], stabil: [64, 333] },
  { m: 3, art: 1, alle: [2, 5, 32], stabil: [200, 1000] },
];

h.mitSeite(seite, async (page, kontext) => {
  for (const fall of FAELLE) {
    const nListe = [...fall.alle, ...fall.stabil];
    const soll = studie(fall.m, nListe);
    await h.waehlen(page, { m: fall.m, art: fall.art, verfahren: VERFAHREN });
    for (const n of nListe) {
      await h.waehlen(page, { n });
      const ist = await h.tabelle(page);
      for (const schluessel of VERFAHREN) {
        const s = spalte(schluessel, fall.art);
        if (s === null || soll[n][s] === undefined) continue; // no such column
        if (POLYNOME.has(schluessel) && !fall.alle.includes(n)) continue;
        // The rounding mark, checked in browser/eingaben, dropped as above.
        p.gleich(ist[schluessel].replace(/\*$/, ''), soll[n][s], `Problem ${fall.m}, ${s}, n = ${n}: ${ist[schluessel]}`);
      }
    }
  }

  // The rational approximation AAA and the trigonometric interpolation are
  // methods of the page: on the periodic problem 1 (equidistant nodes) both
  // show fehlerstudie's figures.  AAA's n is its degree; the figures stay
  // above the rounding, where a last bit of libm does not move three digits.
  {
    const nListe = [2, 3, 4];
    const soll = studie(1, nListe);
    await h.waehlen(page, { m: 1, art: 1, verfahren: ['aaa', 'trigonometrisch'] });
    for (const n of nListe) {
      await h.waehlen(page, { n });
      const ist = await h.tabelle(page);
      p.gleich(ist.aaa, soll[n].AAA, `Problem 1, AAA, n = ${n}: ${ist.aaa}`);
      p.gleich(ist.trigonometrisch, soll[n]['Trig-a'], `Problem 1, Trig-a, n = ${n}: ${ist.trigonometrisch}`);
    }
  }

  // The slider: by keyboard (one step is one n up to 100), by a click near
  // the right end of its track, and Home for the smallest n.
  await h.waehlen(page, { m: 4, art: 1, verfahren: ['natuerlich'], n: 8 });
  const vorher = await h.tabelle(page);
  await page.focus('#n_regler');
  for (let i = 0; i < 3; ++i) await h.undWarten(page, () => page.keyboard.press('ArrowRight'));
  const n11 = await page.$eval('#n', (e) => e.value);
  const nach = await h.tabelle(page);
  p.gleich(n11, '11', 'drei Schritte nach rechts: n = 11');
  p.pruefe(nach.natuerlich !== vorher.natuerlich, `neu gerechnet: ${vorher.natuerlich} -> ${nach.natuerlich}`);
  p.gleich(nach.natuerlich, studie(4, [11])['11']['nat.Sp-a'], 'n = 11 wie fehlerstudie 4 11');

  const box = await (await page.$('#n_regler')).boundingBox();
  await h.undWarten(page, () => page.mouse.click(box.x + box.width - 2, box.y + box.height / 2));
  const nRechts = Number(await page.$eval('#n', (e) => e.value));
  const titel = await page.$eval('#titel_funktion', (e) => e.textContent);
  p.pruefe(nRechts > 5000 && titel.includes(`n = ${nRechts},`), `Klick rechts auf den Regler: n = ${nRechts}, Titel "${titel}"`);
  p.gleich((await h.tabelle(page)).natuerlich, studie(4, [nRechts])[nRechts]['nat.Sp-a'],
    `n = ${nRechts} wie fehlerstudie 4 ${nRechts}`);

  await page.focus('#n_regler');
  await h.undWarten(page, () => page.keyboard.press('Home'));
  p.gleich(await page.$eval('#n', (e) => e.value), '1', 'Pos1: n = 1');
  await h.undWarten(page, () => page.keyboard.press('ArrowRight'));
  p.gleich(await page.$eval('#n', (e) => e.value), '2', 'ein Schritt nach rechts: n = 2');
  p.gleich((await h.tabelle(page)).natuerlich, studie(4, [2])['2']['nat.Sp-a'], 'n = 2 wie fehlerstudie 4 2');

  // Typing n moves the slider (position n - 1 up to n = 100).
  await h.setzen(page, '#n', 50);
  p.gleich(await page.$eval('#n_regler', (e) => e.value), '49', 'n = 50 getippt: Regler auf Stellung 49');

  // The Lebesgue constant under the error plot, against the products of the
  // Lagrange polynomials in 40 digits (tests/erwartet/lebesgue.py):
  // 934.5341114532667 for 17 equidistant nodes, 2.7247086772160871 for 17
  // Chebyshev extreme points, 2.766353335890379 for the first kind; shown to
  // four digits.  Beyond n = 1000 the page leaves it out and says so.
  for (const [art, soll] of [[1, '934.5'], [2, '2.725'], [3, '2.766']]) {
    await h.waehlen(page, { m: 4, art, verfahren: ['baryzentrisch'], n: 16 });
    const zeile = await page.$eval('#lebesgue_text', (e) => e.textContent);
    p.pruefe(zeile.includes(`Λ_16 = max λ(x) = ${soll}.`), `Knotenart ${art}, n = 16: ${zeile.slice(0, 60)}`);
    p.pruefe(await page.$eval('#bild_lebesgue', (e) => !e.hidden && e.querySelector('canvas') !== null),
      `Knotenart ${art}: Bild der Lebesgue-Funktion`);
  }
  await h.waehlen(page, { n: 1001 });
  p.pruefe(await page.$eval('#bild_lebesgue', (e) => e.hidden), 'n = 1001: kein Bild der Lebesgue-Funktion');
  p.gleich(await page.$eval('#lebesgue_text', (e) => e.textContent),
    'Die Lebesgue-Funktion zeigt die Seite bis n = 1000.', 'n = 1001: Hinweis');

  p.pruefe(kontext.fremdeAnfragen.length === 0, 'keine Anfrage ausser an den eigenen Server', kontext.fremdeAnfragen.join('\n'));
  p.pruefe(kontext.seitenfehler.length === 0, 'keine Skriptfehler', kontext.seitenfehler.join('\n'));
}).then(() => p.ende(), (e) => { console.error(e); process.exitCode = 2; });
