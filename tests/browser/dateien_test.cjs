// Files the page writes are the programs' files, and files of the programs
// load in the page:
//  - the spline problem equals what splineerzeuger writes, and kurvenpunkte
//    loads it;
//  - an interpolation text opened in the page gives the bytes that
//    kurvenpunkte and beiwerte write for it, and is stored again unchanged;
//  - a value file written by kurvenpunkte opens as the page's data, and the
//    spline the page makes through it loads in kurvenpunkte.
//
// Byte comparisons use problem 4, 1/(x^2+1), whose values need no libm, and
// problem 1 only where its values are printed with six decimals (a last-bit
// difference of musl's sin against glibc's would have to fall on a rounding
// boundary of the sixth decimal to show; for these nodes none does).
'use strict';
const fs = require('fs');
const path = require('path');
const h = require('./hilfe.cjs');

const { seite, bin, ausgabe, beispiele } = h.argumente();
const p = new h.Pruefung();
const ordner = path.join(ausgabe, 'dateien');
fs.rmSync(ordner, { recursive: true, force: true });
fs.mkdirSync(ordner, { recursive: true });

let geladenesProblem = null;

h.mitSeite(seite, async (page, kontext) => {
  // Spline problems: page against splineerzeuger.
  const PROBLEME = [
    { m: 4, art: 1, schluessel: 'natuerlich', n: 10, schalter: ['-a', '-n'] },
    { m: 4, art: 2, schluessel: 'natuerlich', n: 7, schalter: ['-t', '-n'] },
    { m: 4, art: 1, schluessel: 'periodisch', n: 12, schalter: ['-a', '-p'] },
    // Problem 1's end values differ by 7e-9: the periodic spline averages
    // them, its problem must keep them as splineerzeuger does.
    { m: 1, art: 1, schluessel: 'periodisch', n: 10, schalter: ['-a', '-p'] },
  ];
  for (const pr of PROBLEME) {
    await h.waehlen(page, { m: pr.m, art: pr.art, verfahren: ['newton', 'natuerlich', 'periodisch'], n: pr.n });
    const datei = await h.herunterladen(page, ordner, pr.schluessel, 'Problem');
    if (geladenesProblem === null) geladenesProblem = datei.pfad;
    const soll = h.programm(bin, 'splineerzeuger', [...pr.schalter, String(pr.n), String(pr.m)]);
    p.gleich(datei.bytes, soll.stdout, `${datei.name} gleich splineerzeuger ${pr.schalter.join(' ')} ${pr.n} ${pr.m}`);
    const kp = h.programm(bin, 'kurvenpunkte', ['100', datei.pfad]);
    p.pruefe(kp.status === 0 && kp.stdout.length > 0, `kurvenpunkte 100 ${datei.name} laedt die Datei der Seite`, kp.stderr);
  }

  // The problem of every method loads in kurvenpunkte.
  await h.waehlen(page, { m: 4, art: 2, n: 10,
    verfahren: ['newton', 'baryzentrisch', 'natuerlich', 'abl2', 'periodisch'] });
  for (const schluessel of ['newton', 'baryzentrisch', 'natuerlich', 'abl2', 'periodisch']) {
    const datei = await h.herunterladen(page, ordner, schluessel, 'Problem');
    const kp = h.programm(bin, 'kurvenpunkte', ['100', datei.pfad]);
    p.pruefe(kp.status === 0 && kp.stdout.length > 0, `kurvenpunkte 100 ${datei.name}`, kp.stderr);
  }

  // Exact values: page against beispielwerte (1001 measuring points).
  await h.waehlen(page, { m: 4, punkte: 1001 });
  const bw = await h.herunterladen(page, ordner, 'exakt', 'Beispielwerte');
  p.gleich(bw.bytes, h.programm(bin, 'beispielwerte', ['1000', '4']).stdout, `${bw.name} gleich beispielwerte 1000 4`);

  // Every interpolation example and a downloaded problem, opened in the page:
  // stored again, its curve points and its coefficients as the programs
  // write them.
  await h.setzen(page, '#quelle', 'daten');
  // Every example that is not a matrix.
  const texte = fs.readdirSync(beispiele).map((d) => path.join(beispiele, d))
    .filter((d) => !/^(NM|BAND|A06_)_?MATRIX:/.test(fs.readFileSync(d, 'utf8')));
  texte.push(geladenesProblem);
  for (const pfad of texte) {
    const name = path.basename(pfad);
    p.gleich(await h.dateiOeffnen(page, pfad), 'geladen', `${name} geoeffnet`);
    const [schluessel] = await page.$$eval('#tabelle tbody tr', (z) => z.map((e) => e.dataset.verfahren));
    const kurve = await h.herunterladen(page, ordner, schluessel, 'Kurvenpunkte');
    p.gleich(kurve.bytes, h.programm(bin, 'kurvenpunkte', ['1000', pfad]).stdout, `${name}: Kurvenpunkte gleich kurvenpunkte 1000`);
    const koeff = await h.herunterladen(page, ordner, schluessel, 'Koeffizienten');
    p.gleich(koeff.bytes, h.programm(bin, 'beiwerte', [pfad]).stdout, `${name}: Koeffizienten gleich beiwerte`);
    const wieder = await h.herunterladen(page, ordner, schluessel, 'Interpolation');
    p.gleich(wieder.bytes, fs.readFileSync(pfad), `${name}: gespeichert wie gelesen`);
  }

  // The other way round: a value file written by kurvenpunkte opens as data;
  // the spline through it, stored by the page, loads in kurvenpunkte and
  // gives there the curve points the page gives.
  const werte = path.join(ordner, 'kurvenpunkte_20.txt');
  fs.writeFileSync(werte, h.programm(bin, 'kurvenpunkte', ['20', path.join(beispiele, 'spline_natuerlich.txt')]).stdout);
  p.gleich(await h.dateiOeffnen(page, werte), 'geladen', 'Ausgabe von kurvenpunkte 20 als Wertedatei geoeffnet');
  await h.waehlen(page, { verfahren: ['newton', 'natuerlich'] });
  const tabelle = await h.tabelle(page);
  p.pruefe('newton' in tabelle && 'natuerlich' in tabelle, `Newton-Form und Spline durch die 21 Punkte: ${Object.keys(tabelle)}`);
  const problem = await h.herunterladen(page, ordner, 'natuerlich', 'Problem');
  const kp = h.programm(bin, 'kurvenpunkte', ['1000', problem.pfad]);
  p.pruefe(kp.status === 0, `kurvenpunkte laedt ${problem.name}`, kp.stderr);
  const kurve = await h.herunterladen(page, ordner, 'natuerlich', 'Kurvenpunkte');
  p.gleich(kurve.bytes, kp.stdout, `${kurve.name} gleich kurvenpunkte 1000 ${problem.name}`);
  const newton = await h.herunterladen(page, ordner, 'newton', 'Problem');
  p.pruefe(h.programm(bin, 'beiwerte', [newton.pfad]).status === 0, `beiwerte laedt ${newton.name}`);

  // Full precision: up to seventeen significant digits (the values read
  // from six decimals get their full binary expansion), read back unchanged.
  await page.click('#voll');
  const voll = await h.herunterladen(page, ordner, 'natuerlich', 'Problem');
  p.pruefe(/\n-?\d+\.\d{7,}\n/.test(voll.bytes.toString()), `${voll.name} mit 17 Stellen geschrieben`);
  p.gleich(await h.dateiOeffnen(page, voll.pfad), 'geladen', `${voll.name} geoeffnet`);
  const nochmal = await h.herunterladen(page, ordner, 'geladen', 'Interpolation');
  p.gleich(nochmal.bytes, voll.bytes, 'mit 17 Stellen gespeichert wie gelesen');
  p.pruefe(h.programm(bin, 'kurvenpunkte', ['10', voll.pfad]).status === 0, `kurvenpunkte laedt ${voll.name}`);

  // Each plot as data and as pictures: the function plot's CSV holds f at
  // every plotted x (1/(1+x^2), computed here), the SVG a path for each
  // curve in its colour and a circle for each of the 11 nodes, the PNG is
  // one.
  await h.waehlen(page, { m: 4, art: 1, verfahren: ['newton', 'natuerlich'], n: 10 });
  const bildzeile = '.bildknoepfe[data-bild="funktion"]';
  const csv = (await h.herunterladen(page, ordner, 'funktion', 'CSV', bildzeile)).bytes.toString().trim().split('\n');
  const laenge = await page.evaluate(() => window.numerikSeite.bilder.rohF[0].length);
  p.gleich(csv[0], '"x","f (exakt)","Newton-Form","natürlicher Spline","Stützstellen"', 'CSV: die Spalten');
  p.gleich(csv.length, laenge + 1, `CSV: alle ${laenge} gezeichneten Punkte`);
  const abweichung = Math.max(...csv.slice(1).map((z) => z.split(',').map(Number))
    .map(([x, f]) => Math.abs(f - 1 / (1 + x * x))));
  p.pruefe(abweichung < 1e-15, `CSV: f = 1/(1+x^2) an jedem Punkt (groesste Abweichung ${abweichung})`);
  const svg = (await h.herunterladen(page, ordner, 'funktion', 'SVG', bildzeile)).bytes.toString();
  const farben = await page.evaluate(() => Object.fromEntries([...document.querySelectorAll('#verfahren .farbmarke')]
    .map((e) => [e.textContent, e.style.borderColor])));
  const rgb = (hex) => `rgb(${[1, 3, 5].map((i) => parseInt(hex.slice(i, i + 2), 16)).join(', ')})`;
  const pfade = [...svg.matchAll(/<path d="[^"]+" fill="none" stroke="(#[0-9a-f]+)"[^>]*><title>([^<]+)</g)]
    .map((m) => [m[2], rgb(m[1])]);
  p.pruefe(pfade.length === 3 && pfade.slice(1).every(([t, f]) => farben[t] === f),
    `SVG: ein Pfad je Kurve in ihrer Farbe (${pfade.map((x) => x.join(' ')).join(', ')})`);
  p.gleich((svg.match(/<circle /g) || []).length, 11, 'SVG: die 11 Stuetzstellen');
  const png = (await h.herunterladen(page, ordner, 'funktion', 'PNG', bildzeile)).bytes;
  p.gleich(png.subarray(0, 8).toString('hex'), '89504e470d0a1a0a', 'PNG: ein PNG');

  p.pruefe(kontext.fremdeAnfragen.length === 0, 'keine Anfrage ausser an den eigenen Server', kontext.fremdeAnfragen.join('\n'));
  p.pruefe(kontext.seitenfehler.length === 0, 'keine Skriptfehler', kontext.seitenfehler.join('\n'));
}, { herunterladen: ordner }).then(() => p.ende(), (e) => { console.error(e); process.exitCode = 2; });
