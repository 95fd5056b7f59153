// The page's convergence study is fehlerstudie's: the same text, the same
// figures in its tables, the same messages for a bad list of n and the same
// warning for a coarse grid.
//
// The page runs with musl's libm, the program with glibc's (sin and cos
// differ in the last bit for some arguments; see rechnen_test.cjs).  Whole
// tables are compared where every figure is interpolation error: all columns
// up to n = 32 for problems 3 and 4, the splines (-s) up to n = 1024 for every
// problem.  A polynomial's figure at rounding level (the sine at n >= 32, the
// Newton form beyond) may differ in its digits.
'use strict';
const fs = require('fs');
const path = require('path');
const h = require('./hilfe.cjs');

const { seite, bin, ausgabe } = h.argumente();
const p = new h.Pruefung();

const FAELLE = [
  // problem, column choice of the page (0 overview, 1 -p, 2 -s, 3 -p -s), n
  { m: 4, wahl: 3, n: '2 4 8 16 32' },
  { m: 3, wahl: 3, n: '2 4 8 16 32' },
  { m: 4, wahl: 0, n: '2 4 8 16 32' },
  { m: 1, wahl: 2, n: '2 4 8 16 32 64 128 256 512 1024' },
  { m: 2, wahl: 2, n: '2 4 8 16 32 64 128 256 512 1024' },
  { m: 4, wahl: 2, n: '3 10 100 1000' },
];
const SCHALTER = { 0: [], 1: ['-p'], 2: ['-s'], 3: ['-p', '-s'] };

const studie = (page) => page.evaluate(() => ({
  text: document.querySelector('#studie_text').textContent,
  befehl: document.querySelector('#studie_befehl') ? document.querySelector('#studie_befehl').textContent : '',
  hinweise: document.querySelector('#studie_hinweise').hidden ? '' : document.querySelector('#studie_hinweistext').textContent,
  zellen: [...document.querySelectorAll('#studie_fehler tr')].slice(1)
    .map((z) => [...z.children].map((c) => c.textContent).join(' ')),
  ordnungen: [...document.querySelectorAll('#studie_ordnung tr')].slice(1)
    .map((z) => [...z.children].map((c) => c.textContent).join(' ')),
  // The keys of the columns and the ceiling: the labels of the legend
  // without its first row (n under the pointer), the reference slopes, the
  // predicted curves and the rounding floors.
  serien: [...document.querySelectorAll('#bild_studie .u-legend .u-series')].slice(1)
    .map((e) => e.querySelector('.u-label').textContent)
    .filter((l) => !/^(h\^|rho\^)/.test(l) && !/ (vorhergesagt|Rundungsboden)$/.test(l)),
  // The predicted curves and floors in the legend, and the columns of the
  // study's JSON that have them.
  theorie: [...document.querySelectorAll('#bild_studie .u-legend .u-series')].slice(1)
    .map((e) => e.querySelector('.u-label').textContent).filter((l) => / (vorhergesagt|Rundungsboden)$/.test(l)),
  theorieSoll: window.numerikSeite.zustand.studie.spalten.flatMap((sp) => [
    ...(sp.vorhersage.some(Number.isFinite) ? [`${sp.titel} vorhergesagt`] : []),
    ...(sp.rundungsboden.some(Number.isFinite) ? [`${sp.titel} Rundungsboden`] : [])]),
}));

// AAA, the last column with -p -s, reaches the rounding on Runge's function
// at once: its figures there (below 1e-12) follow the last bits of libm and
// of Eigen's vector sums, which differ between WebAssembly and the native
// build.  Such a figure is compared as "~" in the text (the blocks headed
// by AAA) and in the rows of cells (their last cell).
const aaaRundung = (w) => (parseFloat(w) < 1e-12 ? '~'.padStart(w.length) : w);
function textOhneAaaRundung(text) {
  let aaa = false;
  return text.split('\n').map((z) => {
    if (/^\s+n\s/.test(z)) aaa = / AAA *$/.test(z);
    else if (z.trim() === '') aaa = false;
    else if (aaa) return z.replace(/\S+$/, aaaRundung);
    return z;
  }).join('\n');
}
const zellenOhneAaaRundung = (zeilen, mitAaa) => zeilen.map((z) => (mitAaa ? z.replace(/\S+$/, aaaRundung) : z));

// The rows of fehlerstudie's two tables, cells separated by one blank (the
// rounding mark stays with its figure); a wide table's blocks joined again
// row by row, by their n.
function zeilen(text) {
  const teile = text.split('\nBeobachtete Ordnung');
  const tabelle = (t) => {
    const reihen = new Map();
    for (const z of t.split('\n').filter((z) => /^\s+\d+\s/.test(z))) {
      const zellen = z.trim().split(/\s+/);
      if (reihen.has(zellen[0])) reihen.get(zellen[0]).push(...zellen.slice(1));
      else reihen.set(zellen[0], zellen);
    }
    return [...reihen.values()].map((r) => r.join(' '));
  };
  return { fehler: tabelle(teile[0]), ordnungen: teile[1] ? tabelle(teile[1]) : [] };
}

// The module in node, and its study as the page's worker asks for it
// (web_studie, the grid following n): the JSON the page draws from.
async function modul() {
  const fabrik = require(path.resolve(seite, 'numerik.js'));
  const M = await fabrik({ wasmBinary: fs.readFileSync(path.join(seite, 'numerik.wasm')), printErr: () => {} });
  M._web_start();
  return M;
}
function seitenStudie(M, m, nText, wahl) {
  const text = Buffer.from(nText);
  const zeiger = M._malloc(text.length + 1);
  M.HEAPU8.set(text, zeiger);
  M.HEAPU8[zeiger + text.length] = 0;
  const kopf = M._web_studie(m, zeiger, 0, wahl) >> 2;
  const k = M.HEAP32.slice(kopf, kopf + 2);
  const wert = JSON.parse(Buffer.from(M.HEAPU8.subarray(k[0] >>> 0, (k[0] >>> 0) + k[1])).toString('latin1'));
  M._web_antwort_loslassen();
  M._free(zeiger);
  if (wert.fehler !== undefined) throw new Error(wert.fehler);
  return wert;
}

async function studieRechnen(page, nText, wahl) {
  await page.$eval('#studie_wahl', (e, v) => { e.value = v; }, String(wahl));
  await page.$eval('#studie_n', (e, v) => { e.value = v; }, nText);
  await h.undWarten(page, () => page.click('#studie_rechnen'), 'studien');
}

h.mitSeite(seite, async (page, kontext) => {
  // On opening, the page shows the study of its example with fehlerstudie's
  // n.
  const start = await studie(page);
  p.pruefe(/^fehlerstudie 4 2 4 8 16 32 64$/.test(start.befehl), `beim Oeffnen: ${start.befehl}`);

  for (const fall of FAELLE) {
    await h.waehlen(page, { m: fall.m });
    await studieRechnen(page, fall.n, fall.wahl);
    const ist = await studie(page);
    const args = [...SCHALTER[fall.wahl], String(fall.m), ...fall.n.split(' ')];
    const soll = h.programm(bin, 'fehlerstudie', args);
    p.gleich(ist.befehl, `fehlerstudie ${args.join(' ')}`, `Befehl gezeigt: ${ist.befehl}`);
    p.gleich(textOhneAaaRundung(ist.text), textOhneAaaRundung(soll.stdout.toString()),
      `Text wie fehlerstudie ${args.join(' ')}`);
    const z = zeilen(soll.stdout.toString());
    const mitAaa = / AAA *\n/.test(soll.stdout.toString());
    p.gleich(zellenOhneAaaRundung(ist.zellen, mitAaa).join('\n'), zellenOhneAaaRundung(z.fehler, mitAaa).join('\n'),
      `Fehlertabelle wie fehlerstudie ${args.join(' ')}`);
    p.gleich(ist.ordnungen.join('\n'), z.ordnungen.join('\n'), `Ordnungen wie fehlerstudie ${args.join(' ')}`);
    p.gleich(ist.hinweise, soll.stderr.replace(/\n$/, ''), `Warnungen wie fehlerstudie ${args.join(' ')}`);
    const spalten = z.fehler.length > 0 ? z.fehler[0].split(' ').length - 1 : 0;
    p.gleich(ist.serien.length, spalten + 1, `Bild: ${spalten} Spalten und die Decke in der Legende`);
    p.gleich([...ist.theorie].sort().join(' | '), [...ist.theorieSoll].sort().join(' | '),
      `Bild: Vorhersage und Rundungsboden je Spalte, wo die Bibliothek sie gibt (fehlerstudie ${args.join(' ')})`);
  }

  // The page offers every end condition of the method table, the new ones
  // included; the clamped spline, like the one with exact f'', needs the
  // example function.
  const angeboten = await page.$$eval('#verfahren input', (l) => l.map((e) => e.id.replace('verfahren_', '')));
  for (const schluessel of ['natuerlich', 'abl2', 'periodisch', 'notaknot', 'eingespannt']) {
    p.pruefe(angeboten.includes(schluessel), `Verfahren ${schluessel} angeboten: ${angeboten.join(' ')}`);
  }

  // Divergent columns are marked in the plot.
  await h.waehlen(page, { m: 4 });
  await studieRechnen(page, '2 4 8 16 32 64', 0);
  const serien = (await studie(page)).serien;
  p.pruefe(serien.some((s) => s.includes('Newton, äquidistant (divergiert (Runge); gekappt)')) &&
    !serien.some((s) => s.includes('natürlicher Spline, äquidistant (divergiert')),
  `divergierende Spalten gekappt: ${serien.join(' | ')}`);
  // The predicted curves are the library's, drawn where they lie inside
  // the plot's range; Runge's function predicts for every polynomial
  // column, and each global form has its floor.
  const m4 = seitenStudie(await modul(), 4, '2 4 8 16 32 64', 0).befund;
  const gezeichnet = await page.evaluate(() => {
    const u = window.numerikSeite.studienBild.plot;
    return { reihen: Object.fromEntries(u.series.map((s, i) => [s.label, u.data[i]])),
      titel: window.numerikSeite.zustand.studie.spalten.map((sp) => sp.titel) };
  });
  const imBereich = (e) => (e !== null && e >= m4.boden && e <= m4.decke ? e : null);
  let vorhersagen = 0;
  m4.spalten.forEach((sp, j) => {
    if (!sp.vorhersage.some((e) => e !== null)) return;
    vorhersagen += 1;
    const v = gezeichnet.reihen[`${gezeichnet.titel[j]} vorhergesagt`];
    p.gleich(JSON.stringify(v), JSON.stringify(sp.vorhersage.map(imBereich)), `${sp.spalte}: Vorhersage wie im JSON`);
  });
  p.pruefe(vorhersagen >= 3, `Vorhersagen fuer die Polynomspalten: ${vorhersagen}`);
  const boeden = Object.keys(gezeichnet.reihen).filter((l) => l.endsWith(' Rundungsboden'));
  p.gleich(boeden.length, m4.spalten.filter((sp) => sp.rundungsboden.some((e) => e !== null)).length,
    `Rundungsboeden: ${boeden.join(' | ')}`);
  const textAlternative = await page.$eval('#bild_studie_text', (e) => e.textContent);
  p.pruefe(/Gestrichelt die Vorhersage/.test(textAlternative) && /Rundungsboden/.test(textAlternative),
    `Textalternative nennt Vorhersage und Rundungsboden: ${textAlternative}`);

  // Beside the tables the verdicts, and the complex plane with the poles
  // of Runge's function at +-i (hover: position and residue), the
  // Bernstein ellipse through them and the Runge region's boundary.
  const warum = await page.$eval('#studie_warum', (e) => ({
    text: e.querySelector('pre') && e.querySelector('pre').textContent,
    pole: [...e.querySelectorAll('circle title')].map((t) => t.textContent),
    ellipsen: e.querySelectorAll('ellipse').length,
    rand: e.querySelectorAll('polygon').length,
    koeffizienten: e.querySelectorAll('svg.warum_koeffizienten polyline').length,
  }));
  p.pruefe(warum.text && warum.text.startsWith('Warum\n') &&
    warum.text.includes('divergiert (Runge)') && warum.text.includes('Empfehlung fuer Toleranz 1e-08'),
  `die Urteile neben der Tabelle: ${warum.text}`);
  p.gleich(warum.pole.length, 2, `zwei Pole: ${warum.pole.join(' | ')}`);
  p.pruefe(warum.pole.every((t) => /^Singularität bei 0 [−+] 1i, Residuum 0 [−+] 0\.5i/.test(t)),
    `Pole bei ±i mit Residuum ∓i/2: ${warum.pole.join(' | ')}`);
  p.gleich([warum.ellipsen, warum.rand, warum.koeffizienten].join(' '), '1 1 1',
    'Bernstein-Ellipse, Runge-Gebiet und |a_k| gezeichnet');

  // A bad list of n: fehlerstudie's message; the next list works.
  for (const [liste, args] of [['4 2', ['4', '4', '2']], ['1 4', ['4', '1', '4']], ['2 200000', ['4', '2', '200000']],
    ['x 4', ['4', 'x', '4']], ['2.5', ['4', '2.5']], ['-99999999999 4', ['4', '-99999999999', '4']],
    ['99999999999', ['4', '99999999999']]]) {
    const soll = h.programm(bin, 'fehlerstudie', args).stderr.replace(/\n+$/, '');
    await page.$eval('#studie_n', (e, v) => { e.value = v; }, liste);
    await h.undWarten(page, () => page.click('#studie_rechnen'), 'studienfehler');
    const meldung = await page.$eval('#studie_meldung code', (e) => e.textContent);
    p.gleich(meldung, soll, `n = "${liste}": ${meldung}`);
    await studieRechnen(page, '2 4 8', 2);
    p.pruefe(await page.$eval('#studie_meldung', (e) => e.hidden), `n = "${liste}": danach rechnet die Studie wieder`);
  }

  // The user's own data: Runge's function at 41 equidistant points on
  // [-9, 9], opened as a file, stands in by its AAA fit; the verdicts, the
  // poles at +-i with rho = 1/9 + sqrt(1 + 1/81) = 1.1173 and |a_k| show.
  const datei = path.join(ausgabe, 'runge_41.txt');
  fs.writeFileSync(datei, Array.from({ length: 41 }, (_, i) => -9 + (18 * i) / 40)
    .map((x) => `${x} ${1 / (1 + x * x)}`).join('\n') + '\n');
  await page.$eval('#studie_wahl', (e) => { e.value = '0'; });
  await page.$eval('#studie_n', (e) => { e.value = '2 4 8 16 32 64'; });
  await h.setzen(page, '#quelle', 'daten');
  await h.undWarten(page, () => h.dateiOeffnen(page, datei), 'studien');
  const eigene = async () => page.evaluate(() => ({
    titel: document.querySelector('#studie_titel').textContent,
    daten: document.querySelector('#studie_daten').hidden ? '' : document.querySelector('#studie_daten').textContent,
    inhalt: !document.querySelector('#studie_inhalt').hidden,
    text: document.querySelector('#studie_warum pre') ? document.querySelector('#studie_warum pre').textContent : '',
    pole: [...document.querySelectorAll('#studie_warum circle title')].map((t) => t.textContent),
    ellipse: [...document.querySelectorAll('#studie_warum ellipse title')].map((t) => t.textContent).join(''),
    koeffizienten: document.querySelectorAll('#studie_warum svg.warum_koeffizienten polyline').length,
  }));
  const runge = await eigene();
  p.pruefe(runge.inhalt && runge.titel === 'Konvergenzstudie: eigene Daten, ihre AAA-Näherung als f',
    `eigene Daten: Studie der AAA-Naeherung (${runge.titel})`);
  p.pruefe(runge.daten.startsWith('Daten: 41 Punkte auf [-9, 9]; f ist ihre AAA-Naeherung vom Grad 2 '),
    `eigene Daten: die Zeile zu den Daten: ${runge.daten}`);
  p.pruefe(runge.text.startsWith('Warum\n') && runge.text.includes('divergiert (Runge)') &&
    runge.text.includes('rho = 1.117'), `eigene Daten: die Urteile: ${runge.text}`);
  p.pruefe(runge.pole.length === 2 && runge.pole.every((t) => /^Singularität bei 0 [−+] 1i, Residuum 0 [−+] 0\.5i/.test(t)),
    `eigene Daten: Pole bei ±i: ${runge.pole.join(' | ')}`);
  p.gleich(`${runge.ellipse} ${runge.koeffizienten}`, 'Bernstein-Ellipse ρ = 1.117 1', 'eigene Daten: Ellipse und |a_k|');
  // |x| at 41 points (pasted as two columns) and five points of Runge's
  // function: a verdict that says why, no study, no picture.
  for (const [text, grund] of [
    [Array.from({ length: 41 }, (_, i) => -1 + i / 20).map((x) => `${x},${Math.abs(x)}`).join('\n'), /Ecke/],
    ['-2 0.2\n-1 0.5\n0 1\n1 0.5\n2 0.2\n', /^zu wenige Punkte \(5\), die AAA-Naeherung braucht mindestens 8$/]]) {
    await h.undWarten(page, () => h.einfuegenUndLaden(page, text), 'studien');
    const e = await eigene();
    const zeile = e.daten.replace(/^Warum\nDaten: nicht beurteilbar: /, '');
    p.pruefe(e.daten.startsWith('Warum\nDaten: nicht beurteilbar: ') && grund.test(zeile) && !e.inhalt &&
      e.pole.length === 0, `eigene Daten, nicht beurteilbar: ${e.daten}`);
  }
  await h.waehlen(page, { m: 4 });

  // Timing (reported, not judged): n = 2 .. 1024 by doubling, 1001 points.
  const dauer = async (wahl) => {
    const z = [];
    for (let i = 0; i < 3; ++i) {
      await studieRechnen(page, '2 4 8 16 32 64 128 256 512 1024', wahl);
      z.push(Number(await page.evaluate(() => document.body.dataset.studiendauer)));
    }
    return z.sort((a, b) => a - b)[1];
  };
  // The native program on the same study, as a whole process.
  const nativ = (schalter) => {
    const z = [];
    for (let i = 0; i < 3; ++i) {
      const t0 = process.hrtime.bigint();
      h.programm(bin, 'fehlerstudie', [...schalter, '4', '2', '4', '8', '16', '32', '64', '128', '256', '512', '1024']);
      z.push(Number(process.hrtime.bigint() - t0) / 1e6);
    }
    return z.sort((a, b) => a - b)[1];
  };
  const splines = await dauer(2);
  const alle = await dauer(3);
  console.log(`     Messung: Studie n = 2..1024 (10 n), 1001 Punkte, Problem 4, Median von 3: Splines (-s) ${splines.toFixed(1)} ms ` +
    `(fehlerstudie -s nativ ${nativ(['-s']).toFixed(1)} ms), alle Spalten ${alle.toFixed(1)} ms ` +
    `(fehlerstudie -p -s nativ ${nativ(['-p', '-s']).toFixed(1)} ms)`);

  p.pruefe(kontext.seitenfehler.length === 0, 'keine Skriptfehler', kontext.seitenfehler.join('\n'));
  p.pruefe(kontext.fremdeAnfragen.length === 0, 'keine Anfrage ausser an den eigenen Server', kontext.fremdeAnfragen.join('\n'));
}).then(() => p.ende(), (e) => { console.error(e); process.exitCode = 2; });
