// A broken text pasted into the page shows the library's own message, the
// very text the programs print for it, and the page keeps working: the next
// text loads in the same instance of the module, the examples compute as
// before.
'use strict';
const fs = require('fs');
const path = require('path');
const h = require('./hilfe.cjs');

const { seite, bin, beispiele } = h.argumente();
const p = new h.Pruefung();
const lesen = (name) => fs.readFileSync(path.join(beispiele, name), 'utf8');
const spline = lesen('spline_natuerlich.txt');
const newton = lesen('newton_gegeben.txt');
const werte = h.programm(bin, 'beispielwerte', ['6', '4']).stdout.toString();

// Each broken text and the program whose message the page must show: an
// interpolation text as kurvenpunkte reads it, a value file as
// fehlervergleich reads it (points, then values).
const KAPUTT = [
  ['Werte fehlen am Ende', spline.replace('n = 5', 'n = 7'), 'kurvenpunkte'],
  ['unbekannter Typ', 'KREIS_INTERPOLATION: k\nr = 1\n', 'kurvenpunkte'],
  ['Kopfzeile ohne Doppelpunkt', 'SPLINE_INTERPOLATION s\n', 'kurvenpunkte'],
  ['leerer Text', '', 'kurvenpunkte'],
  ['Stuetzstellenart 7', newton.replace('art = 0', 'art = 7'), 'kurvenpunkte'],
  ['Zahl ist keine Zahl', spline.replace('0.250000', 'viertel'), 'kurvenpunkte'],
  ['Intervall leer', spline.replace('b = 1.000000', 'b = 0.000000'), 'kurvenpunkte'],
  ['absteigende Stuetzstellen', lesen('spline_abl2_gegeben.txt').replace('0.500000\n1.500000', '1.500000\n0.500000'), 'kurvenpunkte'],
  ['Wertedatei ohne Werte', werte.slice(0, werte.indexOf('NM_MATRIX: Y')), 'fehlervergleich'],
];

function erwarteteMeldung(programm, inhalt) {
  const datei = path.join(require('os').tmpdir(), `numerik_kaputt_${process.pid}.txt`);
  fs.writeFileSync(datei, inhalt);
  const r = programm === 'kurvenpunkte' ? h.programm(bin, 'kurvenpunkte', ['10', datei])
    : h.programm(bin, 'fehlervergleich', [datei, datei]);
  fs.rmSync(datei);
  if (r.status !== 1) throw new Error(`${programm} nahm den kaputten Text an`);
  return r.stderr.replace(/\n+$/, '');
}

const meldungen = (page) => page.$$eval('#meldung code', (l) => l.map((e) => e.textContent));

h.mitSeite(seite, async (page, kontext) => {
  await h.waehlen(page, { m: 4, art: 1, verfahren: ['natuerlich'], n: 16 });
  const vorher = (await h.tabelle(page)).natuerlich;
  await h.setzen(page, '#quelle', 'daten');
  for (const [was, inhalt, programm] of KAPUTT) {
    const soll = erwarteteMeldung(programm, inhalt);
    p.gleich(await h.einfuegenUndLaden(page, inhalt), 'fehler', `${was}: nicht geladen`);
    p.gleich((await meldungen(page)).join('\n'), soll, `${was}: die Meldung von ${programm}`);
    // The next good text loads in the same instance of the module: the
    // failure left the library's call, not the instance.
    const starts = await h.zaehler(page, 'modulstarts');
    p.gleich(await h.einfuegenUndLaden(page, spline), 'geladen', `${was}: danach laedt spline_natuerlich.txt`);
    p.gleich(await h.zaehler(page, 'modulstarts'), starts, `${was}: kein Neustart des Moduls`);
    p.gleich((await meldungen(page)).length, 0, `${was}: keine Meldung mehr`);
  }

  // A value file whose points descend: the Newton form takes them, the
  // spline refuses them with the library's message, both in one pass.
  const absteigend = werte.replace('-9.000000\n-6.000000\n-3.000000\n0.000000\n3.000000\n6.000000\n9.000000',
    '9.000000\n6.000000\n3.000000\n0.000000\n-3.000000\n-6.000000\n-9.000000');
  p.pruefe(absteigend !== werte, 'Wertedatei mit absteigenden Punkten gebaut');
  p.gleich(await h.einfuegenUndLaden(page, absteigend), 'geladen', 'absteigende Punkte geladen');
  await h.waehlen(page, { verfahren: ['newton', 'natuerlich'] });
  const zeilen = await page.$$eval('#tabelle tbody tr', (l) => l.map((z) => `${z.dataset.verfahren}:${z.textContent}`));
  p.pruefe(zeilen.some((z) => z.startsWith('newton:') && z.includes('Kurvenpunkte')), 'Newton-Form gerechnet', zeilen.join('\n'));
  p.pruefe(zeilen.some((z) => z.startsWith('natuerlich:') && z.includes('Fehler')), 'Spline als fehlgeschlagen gezeigt', zeilen.join('\n'));
  p.gleich((await meldungen(page)).join('\n'),
    'Die Stuetzstellen fuer SPLINE_INTERPOLATION Eigene Daten, natuerlicher Spline muessen aufsteigend sein!',
    'die Meldung der Bibliothek zum Spline');

  // And the examples compute as before.
  await h.setzen(page, '#quelle', '4');
  p.gleich((await h.tabelle(page)).natuerlich, vorher, `Beispiel 4, n = 16 wie zuvor: ${vorher}`);

  p.pruefe(kontext.seitenfehler.length === 0, 'keine Skriptfehler', kontext.seitenfehler.join('\n'));
  p.pruefe(kontext.fremdeAnfragen.length === 0, 'keine Anfrage ausser an den eigenen Server', kontext.fremdeAnfragen.join('\n'));
}).then(() => p.ende(), (e) => { console.error(e); process.exitCode = 2; });
