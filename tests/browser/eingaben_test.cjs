// What the user types or loads is taken as it is or refused with a message:
// the n field takes whole numbers 1..10000 on Enter or when it is left, a
// value file the methods cannot use is not reported as loaded, each view
// keeps its own warnings, and the rounding mark of the study shows in the
// main table and in the plot's key.
'use strict';
const fs = require('fs');
const os = require('os');
const path = require('path');
const h = require('./hilfe.cjs');

const { seite, bin, ausgabe } = h.argumente();
const p = new h.Pruefung();

const zustand = (page) => page.evaluate(() => ({
  titel: document.querySelector('#titel_funktion').textContent,
  meldung: document.querySelector('#n_meldung').hidden ? '' : document.querySelector('#n_meldung').textContent,
  durchlaeufe: Number(document.body.dataset.durchlaeufe || 0),
  hinweise: document.querySelector('#hinweise').hidden ? '' : document.querySelector('#hinweistext').textContent,
  fussnote: document.querySelector('#tabelle_fussnote').textContent,
}));
const meldungen = (page) => page.$$eval('#meldung code', (l) => l.map((e) => e.textContent));

// The library's message for a Newton problem over the points and values of
// a value file, as kurvenpunkte meets it loading the same problem stored as
// a text: the name is the one the page gives a method over own data.
function newtonMeldung(wertedatei) {
  const datei = path.join(os.tmpdir(), `numerik_eingaben_${process.pid}.txt`);
  fs.writeFileSync(datei, `NEWTON_INTERPOLATION: Eigene Daten, Newton-Form\nart = 0\n${wertedatei}`);
  const r = h.programm(bin, 'kurvenpunkte', ['10', datei]);
  fs.rmSync(datei);
  if (r.status !== 1) throw new Error(`kurvenpunkte nahm an:\n${wertedatei}`);
  return r.stderr.replace(/\n+$/, '');
}

// The first table of fehlerstudie -p m n...: {n: {column: cell}}, with the
// rounding mark kept.
function studieP(m, nListe) {
  const r = h.programm(bin, 'fehlerstudie', ['-p', String(m), ...nListe.map(String)]);
  const zeilen = r.stdout.toString().split('\nBeobachtete Ordnung')[0].split('\n');
  const kopf = zeilen.findIndex((z) => /^\s+n\s+\S/.test(z));
  const spalten = zeilen[kopf].trim().split(/\s+/);
  const tabelle = {};
  for (let i = kopf + 1; i < zeilen.length && /^\s+\d/.test(zeilen[i]); ++i) {
    const werte = zeilen[i].trim().split(/\s+/);
    tabelle[werte[0]] = Object.fromEntries(spalten.map((s, j) => [s, werte[j]]));
  }
  return tabelle;
}

// Each drawn series of the function and error plots against its key and
// against the method's mark in the table and at its checkbox: one colour
// for one method on one node kind.
const farbenVergleichen = (page) => page.evaluate(() => {
  const norm = (c) => {
    const d = document.createElement('div');
    d.style.color = c;
    document.body.append(d);
    const f = getComputedStyle(d).color;
    d.remove();
    return f;
  };
  const titel = Object.fromEntries([...document.querySelectorAll('#tabelle tr[data-verfahren]')]
    .filter((z) => z.querySelector('.farbmarke'))
    .map((z) => [z.querySelector('.farbmarke').textContent, norm(z.querySelector('.farbmarke').style.borderColor)]));
  const seiten = Object.fromEntries([...document.querySelectorAll('#verfahren .farbmarke')]
    .map((e) => [e.textContent, norm(e.style.borderColor)]));
  const falsch = [];
  let gezaehlt = 0;
  for (const [name, id] of [['funktion', 'bild_funktion'], ['fehler', 'bild_fehler']]) {
    const u = window.numerikSeite.bilder[name];
    const marken = [...document.querySelectorAll(`#${id} .u-legend .u-series`)];
    u.series.forEach((s, i) => {
      if (!(s.label in titel)) return;
      gezaehlt += 1;
      const strich = norm(s._stroke);
      const marke = norm(getComputedStyle(marken[i].querySelector('.u-marker')).borderColor);
      if (strich !== titel[s.label] || marke !== titel[s.label] || seiten[s.label] !== titel[s.label]) {
        falsch.push(`${name} ${s.label}: Linie ${strich}, Legende ${marke}, Tabelle ${titel[s.label]}, Auswahl ${seiten[s.label]}`);
      }
    });
  }
  return { falsch, gezaehlt };
});

h.mitSeite(seite, async (page, kontext) => {
  // ---- Series identity across node kinds ----
  await h.waehlen(page, { m: 4, art: 1, verfahren: ['newton', 'baryzentrisch', 'natuerlich'], n: 8 });
  for (const art of [2, 1, 2]) {
    await h.waehlen(page, { art });
    const f = await farbenVergleichen(page);
    p.pruefe(f.gezaehlt === 6 && f.falsch.length === 0, `Stuetzstellenart ${art}: jede Linie in der Farbe ihrer Legende und Tabelle`,
      f.falsch.join('\n') || `${f.gezaehlt} Linien`);
  }

  // ---- The n field ----
  await h.waehlen(page, { m: 4, art: 1, verfahren: ['newton', 'natuerlich'], n: 8 });
  // Typed key by key: nothing is computed before Enter ("2" is no choice).
  await page.$eval('#n', (e) => { e.value = ''; });
  const vorTippen = await zustand(page);
  await page.type('#n', '25');
  await new Promise((r) => setTimeout(r, 300));
  p.gleich((await zustand(page)).durchlaeufe, vorTippen.durchlaeufe, 'Tippen von 25: noch nicht gerechnet');
  await h.undWarten(page, () => page.keyboard.press('Enter'));
  const bei25 = await zustand(page);
  p.pruefe(bei25.titel.includes('n = 25,'), `Enter: gerechnet mit n = 25 (${bei25.titel})`);
  const tabelle25 = await h.tabelle(page);

  // Refused: a message at the field, the picture of n = 25 stays.
  const FALSCH = [
    ['2.5', 'n = 2.5 ist keine ganze Zahl.'],
    ['1e9', 'n = 1e9 ist keine ganze Zahl.'],
    ['12abc', 'n = 12abc ist keine ganze Zahl.'],
    ['0', 'n muss mindestens 1 sein.'],
    ['-5', 'n muss mindestens 1 sein.'],
    ['10001', 'n darf höchstens 10000 sein.'],
    ['', 'Bitte n eingeben (eine ganze Zahl).'],
  ];
  for (const [eingabe, soll] of FALSCH) {
    await h.undWarten(page, () => page.$eval('#n', (e, v) => {
      e.value = v;
      e.dispatchEvent(new Event('change', { bubbles: true }));
    }, eingabe), 'nfehler');
    const z = await zustand(page);
    p.gleich(z.meldung, soll, `n = "${eingabe}": Meldung am Feld`);
    p.gleich(z.durchlaeufe, bei25.durchlaeufe, `n = "${eingabe}": nicht gerechnet`);
    p.gleich(z.titel, bei25.titel, `n = "${eingabe}": das Bild von n = 25 bleibt`);
    p.gleich(JSON.stringify(await h.tabelle(page)), JSON.stringify(tabelle25), `n = "${eingabe}": die Tabelle bleibt`);
  }

  // n = 1: the line through f(-9) and f(9), both 1/82, so the constant
  // 1/82; the largest error is at x = 0, where f = 1: 1 - 1/82.  The
  // spline needs three values and says so; the Newton form computes.
  await h.setzen(page, '#n', 1);
  const z1 = await zustand(page);
  p.gleich(z1.meldung, '', 'n = 1: keine Meldung am Feld');
  const t1 = await h.tabelle(page);
  p.gleich(t1.newton, (1 - 1 / 82).toPrecision(3), 'n = 1: Newton-Form, Fehler 1 - 1/82');
  p.gleich(t1.natuerlich, 'Fehler (siehe oben)', 'n = 1: der Spline rechnet nicht');
  const splineMeldung = (await meldungen(page)).join('\n');
  p.gleich(splineMeldung,
    "Zu wening Stuetzstellen fuer SPLINE_INTERPOLATION 'Beispielfunktion Ableitung zu arctan auf [-9,9] mit n = 1'!",
    'n = 1: die Meldung der Bibliothek zum Spline');
  p.gleich(await page.$eval('#n_regler', (e) => e.value), '0', 'n = 1: Regler ganz links');

  // ---- The rounding mark in the main table ----
  // fehlerstudie marks Newton-t at n = 64 and 128 and leaves Newton-a at
  // n = 64 unmarked (see its table); the page marks the same cells.
  const native = studieP(4, [64, 128]);
  for (const [art, n, spalte] of [[1, 64, 'Newton-a'], [2, 64, 'Newton-t'], [2, 128, 'Newton-t']]) {
    await h.waehlen(page, { art, verfahren: ['newton'], n });
    const zelle = (await h.tabelle(page)).newton;
    const markiert = native[n][spalte].endsWith('*');
    p.gleich(zelle.endsWith('*'), markiert, `${spalte}, n = ${n}: Marke wie fehlerstudie (${zelle}, ${native[n][spalte]})`);
    const fussnote = (await zustand(page)).fussnote;
    p.pruefe(markiert ? fussnote.startsWith('* Rundung überwiegt') : fussnote === '',
      `${spalte}, n = ${n}: Legende ${markiert ? 'da' : 'nicht da'}`, fussnote);
  }
  await page.screenshot({ path: path.join(ausgabe, 'eingaben_rundung.png'), fullPage: true });

  // ---- The study's key: rounding is not divergence ----
  await page.$eval('#studie_wahl', (e) => { e.value = '1'; });
  await page.$eval('#studie_n', (e) => { e.value = '2 4 8 16 32 64 128'; });
  await h.undWarten(page, () => page.click('#studie_rechnen'), 'studien');
  const serien = await page.$$eval('#bild_studie .u-legend .u-series', (l) => l.map((e) => e.textContent));
  const newtonA = serien.find((s) => s.startsWith('Newton, äquidistant'));
  const newtonT = serien.find((s) => /^Newton, Tsch/.test(s));
  p.pruefe(newtonA && newtonA.includes('(divergiert (Runge); gekappt)'), `Newton-a divergiert (Runge): ${newtonA}`);
  p.pruefe(newtonT && newtonT.includes('(Rundung; gekappt)') && !newtonT.includes('divergiert'),
    `Newton-t: Rundung, nicht divergiert: ${newtonT}`);
  await page.screenshot({ path: path.join(ausgabe, 'eingaben_studie.png'), fullPage: true });

  // ---- Each view its own warnings ----
  // fehlerstudie 1 2 .. 64 warns about the periodic spline of each n (its
  // standard error); the main view without that spline has no warning.
  await page.$eval('#studie_wahl', (e) => { e.value = '0'; });
  await page.$eval('#studie_n', (e) => { e.value = '2 4 8 16 32 64'; });
  await h.waehlen(page, { verfahren: ['natuerlich'], n: 16 });
  const studien = await h.zaehler(page, 'studien');
  await h.setzen(page, '#quelle', 1);
  await page.waitForFunction((v) => Number(document.body.dataset.studien) > v, { timeout: 60000 }, studien);
  const sollStudie = h.programm(bin, 'fehlerstudie', ['1', '2', '4', '8', '16', '32', '64']).stderr.replace(/\n$/, '');
  p.pruefe(sollStudie !== '', 'fehlerstudie 1 2 .. 64 warnt');
  p.gleich(await page.$eval('#studie_hinweistext', (e) => e.textContent), sollStudie, 'die Warnungen bei der Studie');
  p.gleich((await zustand(page)).hinweise, '', 'keine Warnung der Studie in der Hauptansicht');

  // The main view's own warning (the periodic spline of the sine averages
  // its end values, which differ in the last bits) shows beside its
  // picture: under the function plot, above the error plot.  kurvenpunkte
  // warns the same for the same problem stored with 17 digits.
  await h.waehlen(page, { verfahren: ['periodisch'], n: 8 });
  const problem = path.join(os.tmpdir(), `numerik_periodisch_${process.pid}.txt`);
  h.programm(bin, 'splineerzeuger', ['-v', '-a', '-p', '8', '1', problem]);
  const sollWarnung = h.programm(bin, 'kurvenpunkte', ['10', problem]).stderr.replace(/\n$/, '');
  fs.rmSync(problem);
  p.pruefe(sollWarnung.includes('gemittelt'), `kurvenpunkte warnt: ${sollWarnung}`);
  p.gleich((await zustand(page)).hinweise, sollWarnung, 'die Warnung des periodischen Splines in der Hauptansicht');
  const lage = await page.evaluate(() => ['bild_funktion', 'hinweise', 'bild_fehler']
    .map((id) => document.getElementById(id).getBoundingClientRect()).map((r) => [r.top, r.bottom]));
  p.pruefe(lage[0][1] <= lage[1][0] && lage[1][1] <= lage[2][0], 'die Warnung steht unter dem Bild der Funktion, ueber dem Fehlerbild',
    JSON.stringify(lage));
  await h.waehlen(page, { verfahren: ['natuerlich'] });

  // ---- A grid the user fixed too coarse for an n: marked as fehlerstudie -g marks it ----
  await h.waehlen(page, { m: 4, art: 1, verfahren: ['newton'], n: 8, punkte: 1001 });
  await page.$eval('#studie_n', (e) => { e.value = '2 200'; });
  await h.undWarten(page, () => page.click('#studie_rechnen'), 'studien');
  const programm = h.programm(bin, 'fehlerstudie', ['-g', '1001', '4', '2', '200']).stdout.toString();
  const sollZeile = programm.split('\n').find((z) => /^\s+200\s/.test(z)).trim().split(/\s+/);
  const seitenZeile = await page.$$eval('#studie_fehler tr', (zeilen) => zeilen.map((z) =>
    [...z.children].map((c) => c.textContent.trim())).find((z) => z[0] === '200'));
  p.pruefe(sollZeile.slice(1).every((z) => z.includes('~')), 'fehlerstudie -g 1001 markiert n = 200', sollZeile.join(' '));
  // A figure that is rounding (*) is noise of the Newton form, which the
  // module's libm may give otherwise: only its marks are compared.
  const ohneRauschen = (z) => z.map((c) => (c.endsWith('*') ? c.replace(/^[^~*]*/, '') : c)).join(' ');
  p.gleich(ohneRauschen(seitenZeile || []), ohneRauschen(sollZeile), 'die Zeile n = 200 wie fehlerstudie -g 1001');
  p.pruefe((await page.$eval('#studie_decke', (e) => e.textContent)).includes('Bei n = 200 ist das Messgitter zu grob'),
    'die Bildunterschrift nennt das zu grobe Gitter');
  p.pruefe((await page.$eval('#studie_fussnote', (e) => e.textContent)).includes('~ Messgitter zu grob'),
    'die Legende erklaert ~');

  // ---- Value files the methods cannot use ----
  await h.setzen(page, '#quelle', 'daten');
  const werte = h.programm(bin, 'beispielwerte', ['4', '4']).stdout.toString();
  const [xTeil, yTeil] = [werte.slice(0, werte.indexOf('NM_MATRIX: Y')), werte.slice(werte.indexOf('NM_MATRIX: Y'))];
  const einmal = (t, alt, neu) => { if (!t.includes(alt)) throw new Error(`${alt} fehlt`); return t.replace(alt, neu); };
  const KAPUTT = [
    ['nan unter den Werten', xTeil + einmal(yTeil, '1.000000', 'nan')],
    ['inf unter den Werten', xTeil + einmal(yTeil, '0.047059\n0.012195', '0.047059\ninf')],
    ['-inf unter den Stellen', einmal(xTeil, '-4.500000', '-inf') + yTeil],
    ['5 X- und 4 Y-Werte', xTeil + einmal(einmal(yTeil, 'n = 5', 'n = 4'), '0.012195\n', '')],
    ['keine Punkte', 'NM_MATRIX: X-Werte\nn = 0\nm = 1\nNM_MATRIX: Y-Werte\nn = 0\nm = 1\n'],
  ];
  for (const [was, inhalt] of KAPUTT) {
    const soll = newtonMeldung(inhalt);
    p.gleich(await h.einfuegenUndLaden(page, inhalt), 'fehler', `${was}: nicht geladen`);
    p.gleich((await meldungen(page)).join('\n'), soll, `${was}: die Meldung der Bibliothek`);
    const stand = await page.$eval('#datenstand', (e) => e.textContent);
    p.pruefe(!stand.startsWith('Geladen'), `${was}: nicht "Geladen"`, stand);
  }
  // The good file still loads, with its five points.
  p.gleich(await h.einfuegenUndLaden(page, werte), 'geladen', 'die Wertedatei selbst laedt');
  p.pruefe((await page.$eval('#datenstand', (e) => e.textContent)).startsWith('Geladen: Wertedatei, 5 Punkte'),
    'Geladen: Wertedatei, 5 Punkte');

  // ---- Data as people have them: two columns, CSV ----
  // The same five points as the value file, as a table with a header, as
  // CSV and with semicolons: the same nodes drawn, in the file's order.
  const zahlenVon = (t) => t.split('\n').filter((z) => /^-?[0-9]/.test(z)).map(Number);
  const xs = zahlenVon(xTeil);
  const ys = zahlenVon(yTeil);
  const knotenGezeichnet = () => page.evaluate(() => {
    const roh = window.numerikSeite.bilder.rohF;
    const x = roh[0];
    const k = roh[roh.length - 1];
    return x.map((v, i) => [v, k[i]]).filter(([, y]) => y !== null);
  });
  const sollKnoten = xs.map((x, i) => [x, ys[i]]).sort((a, b) => a[0] - b[0]);
  for (const [was, text] of [
    ['zwei Spalten mit Kopfzeile', `x y\n${xs.map((x, i) => `${x}\t${ys[i]}`).join('\n')}\n`],
    ['CSV', `"x","y"\n${xs.map((x, i) => `${x},${ys[i]}`).join('\r\n')}\r\n`],
    ['Semikolon, Kommentar', `# gemessen\n${xs.map((x, i) => `${x}; ${ys[i]}`).join('\n')}`],
  ]) {
    p.gleich(await h.einfuegenUndLaden(page, text), 'geladen', `${was}: geladen`);
    p.pruefe((await page.$eval('#datenstand', (e) => e.textContent)).startsWith('Geladen: Tabelle aus zwei Spalten, 5 Punkte, n = 4'),
      `${was}: Tabelle aus zwei Spalten, 5 Punkte`);
    p.gleich(JSON.stringify(await knotenGezeichnet()), JSON.stringify(sollKnoten), `${was}: die fuenf Punkte gezeichnet`);
  }
  // Refused, naming the line: plain words first, the library's below.
  const klartext = () => page.$eval('#meldung > div', (e) => e.childNodes[1].textContent);
  for (const [was, text, soll, klar] of [
    ['Dezimalkomma mit Semikolon', 'x;y\n0;1\n0,5;1,25\n', 'Zeile 3: "0,5" hat ein Dezimalkomma: Zahlen mit Punkt schreiben (0.5 statt 0,5).',
      'Zeile 3: „0,5“ hat ein Dezimalkomma. Bitte Zahlen mit Punkt schreiben (0.5 statt 0,5).'],
    ['Dezimalkomma mit Leerzeichen', '0 1\n0,5 1,25\n', 'Zeile 2: "0,5" hat ein Dezimalkomma: Zahlen mit Punkt schreiben (0.5 statt 0,5).',
      'Zeile 2: „0,5“ hat ein Dezimalkomma. Bitte Zahlen mit Punkt schreiben (0.5 statt 0,5).'],
    ['drei Spalten', '1 2\n3 4 5\n', 'Zeile 2: 3 Werte statt zwei (x und y).',
      'Zeile 2: 3 Werte statt zwei. Jede Zeile braucht genau ein x und ein y.'],
    ['ein Wort', '1 2\n3 vier\n', 'Zeile 2: "vier" ist keine Zahl.', 'Zeile 2: „vier“ ist keine Zahl.'],
    ['gleiche x', '1 2\n1 3\n', 'Stuetzstellen x(1) und x(2) gleich fuer NEWTON_INTERPOLATION Eigene Daten, Newton-Form.',
      'Der 1. und der 2. x-Wert sind gleich: an einer Stelle kann es nur einen Wert geben.'],
  ]) {
    p.gleich(await h.einfuegenUndLaden(page, text), 'fehler', `${was}: nicht geladen`);
    p.gleich((await meldungen(page)).join('\n'), soll, `${was}: die Meldung der Bibliothek`);
    p.gleich(await klartext(), klar, `${was}: in Worten`);
  }
  // The sample data at the box.
  await h.undWarten(page, () => page.click('#beispieldaten'));
  p.pruefe((await page.$eval('#datenstand', (e) => e.textContent)).startsWith('Geladen: Tabelle aus zwei Spalten, 9 Punkte'),
    'Beispieldaten geladen');

  p.pruefe(kontext.seitenfehler.length === 0, 'keine Skriptfehler', kontext.seitenfehler.join('\n'));
  p.pruefe(kontext.fremdeAnfragen.length === 0, 'keine Anfrage ausser an den eigenen Server', kontext.fremdeAnfragen.join('\n'));
}).then(() => p.ende(), (e) => { console.error(e); process.exitCode = 2; });
