// Screenshots of the page in the states a course shows (written to
// <build>/tests/browser/bilder/, to be looked at), a check that nothing
// overlaps or sticks out at three window widths, and the measured time of a
// slider move with a natural spline of 10^4 nodes (printed, not judged:
// timing belongs to reports, not to tests).
'use strict';
const fs = require('fs');
const path = require('path');
const h = require('./hilfe.cjs');

const { seite, bin, ausgabe } = h.argumente();
const p = new h.Pruefung();
const bilder = path.join(ausgabe, 'bilder');
fs.mkdirSync(bilder, { recursive: true });

// The boxes of the page's parts, each pair checked for overlap, and the page
// not wider than the window.
async function layoutPruefen(page, was) {
  const befund = await page.evaluate(() => {
    const teile = ['#steuerung', '#bild_funktion', '#bild_fehler', '#bild_lebesgue', '#tabelle', 'h1',
      '#titel_funktion', '#meldung', '#hinweise', '.studienwahl', '#bild_studie', '#studie_fehler',
      '#studie_ordnung', '#studie_hinweise', '#studie_meldung']
      .map((s) => [s, document.querySelector(s)])
      .filter(([, e]) => e && !e.hidden && e.getBoundingClientRect().height > 0)
      .map(([s, e]) => [s, e.getBoundingClientRect()]);
    const ueberlappend = [];
    for (let i = 0; i < teile.length; ++i) {
      for (let j = i + 1; j < teile.length; ++j) {
        const [sa, a] = teile[i];
        const [sb, b] = teile[j];
        if (a.left < b.right - 1 && b.left < a.right - 1 && a.top < b.bottom - 1 && b.top < a.bottom - 1) {
          ueberlappend.push(`${sa} / ${sb}`);
        }
      }
    }
    // Legends of the plots: their entries must not run into each other.
    for (const legende of document.querySelectorAll('.u-legend')) {
      const eintraege = [...legende.querySelectorAll('.u-series')].map((e) => e.getBoundingClientRect());
      for (let i = 1; i < eintraege.length; ++i) {
        const a = eintraege[i - 1];
        const b = eintraege[i];
        if (a.top === b.top && a.right > b.left + 1) ueberlappend.push('Legende');
      }
    }
    return { ueberlappend, breit: document.documentElement.scrollWidth > window.innerWidth + 1 };
  });
  p.pruefe(befund.ueberlappend.length === 0, `${was}: nichts ueberlappt`, befund.ueberlappend.join('\n'));
  p.pruefe(!befund.breit, `${was}: nicht breiter als das Fenster`);
}

// axe-core over the whole page as it stands: no serious or critical finding.
const AXE = path.join(h.WURZEL, 'web', 'node_modules', 'axe-core', 'axe.min.js');
async function axePruefen(page, was) {
  if (!(await page.evaluate(() => typeof window.axe !== 'undefined'))) await page.addScriptTag({ path: AXE });
  const befunde = await page.evaluate(async () => {
    const r = await window.axe.run(document, { resultTypes: ['violations'] });
    return r.violations.filter((v) => v.impact === 'serious' || v.impact === 'critical')
      .map((v) => `${v.id} (${v.impact}): ${v.nodes.slice(0, 4).map((n) => n.target.join(' ')).join(', ')}`);
  });
  p.pruefe(befunde.length === 0, `${was}: axe-core ohne ernste Befunde`, befunde.join('\n'));
}

async function bild(page, name) {
  const datei = path.join(bilder, `${name}.png`);
  await page.screenshot({ path: datei, fullPage: true });
  console.log(`     Bild: ${datei}`);
}

const median = (l) => [...l].sort((a, b) => a - b)[Math.floor(l.length / 2)];

async function zustaende(page, breite) {
  await h.waehlen(page, { m: 4, art: 1, verfahren: ['newton', 'natuerlich', 'periodisch'], n: 12 });
  await layoutPruefen(page, `${breite} px, Runge`);
  await bild(page, `runge_${breite}`);
  await h.waehlen(page, { m: 2, art: 2, verfahren: ['newton', 'baryzentrisch', 'natuerlich', 'abl2'], n: 40 });
  await layoutPruefen(page, `${breite} px, Tschebyscheff`);
  await bild(page, `tschebyscheff_${breite}`);
  await h.setzen(page, '#quelle', 'daten');
  await h.einfuegenUndLaden(page, 'SPLINE_INTERPOLATION: s\nstuetzstellenart = 1\na = 0\nb = 1\n');
  await layoutPruefen(page, `${breite} px, Meldung`);
  await bild(page, `meldung_${breite}`);
  const werte = h.programm(bin, 'beispielwerte', ['10', '3']).stdout.toString();
  await h.einfuegenUndLaden(page, werte);
  await layoutPruefen(page, `${breite} px, eigene Daten`);
  await bild(page, `daten_${breite}`);
  await h.setzen(page, '#quelle', '4');
}

// At a phone's 390 x 844: nothing scrolls sideways, every control a finger
// can hit is at least 24 x 24 px, the settings fold away above the plots
// (keeping the n row) and unfold again.
async function telefon(page) {
  await page.setViewport({ width: 390, height: 844 });
  const pruefen = async (was) => {
    const befund = await page.evaluate(() => {
      const klein = [...document.querySelectorAll('input, button, select, textarea, summary, label.knopf')]
        .filter((e) => !e.classList.contains('unsichtbar') && e.getClientRects().length > 0)
        .map((e) => [e, e.getBoundingClientRect()])
        .filter(([, r]) => r.width < 24 || r.height < 24)
        .map(([e, r]) => `${e.tagName.toLowerCase()}#${e.id || e.type || ''} ${r.width.toFixed(0)}x${r.height.toFixed(0)}`);
      return { breite: document.documentElement.scrollWidth, klein };
    });
    p.pruefe(befund.breite <= 390, `390 px, ${was}: nichts rollt seitwaerts (${befund.breite} px)`);
    p.pruefe(befund.klein.length === 0, `390 px, ${was}: jedes Bedienelement mindestens 24 x 24 px`, befund.klein.join('\n'));
  };
  const offen = async () => page.$eval('#verfahrenwahl', (e) => e.getClientRects().length > 0);
  if (!(await offen())) await page.click('#steuerung_knopf');
  await h.waehlen(page, { m: 4, art: 1, verfahren: ['newton', 'baryzentrisch', 'natuerlich', 'abl2', 'periodisch'], n: 12 });
  await pruefen('Runge, fuenf Verfahren');
  await bild(page, 'runge_390');
  await page.click('#steuerung_knopf');
  p.pruefe(!(await offen()) && await page.$eval('#n_regler', (e) => e.getClientRects().length > 0),
    '390 px: Einstellungen eingeklappt, die Zeile fuer n bleibt');
  const abstand = await page.$eval('#bild_funktion', (e) => e.getBoundingClientRect().top);
  p.pruefe(abstand < 500, `390 px: das erste Bild beginnt eingeklappt bei ${abstand.toFixed(0)} px`);
  await h.waehlen(page, { n: 20 });
  await pruefen('eingeklappt, n = 20');
  await bild(page, 'eingeklappt_390');
  await page.click('#steuerung_knopf');
  p.pruefe(await offen(), '390 px: Einstellungen wieder ausgeklappt');
  await page.$eval('#studie_wahl', (e) => { e.value = '3'; });
  await h.undWarten(page, () => page.click('#studie_rechnen'), 'studien');
  await pruefen('Studie mit allen Spalten');
  await bild(page, 'studie_390');
  await axePruefen(page, '390 px');
}

h.mitSeite(seite, async (page, kontext) => {
  await bild(page, 'start_1280');
  await zustaende(page, 1280);
  await axePruefen(page, '1280 px');
  await page.setViewport({ width: 1024, height: 768 });
  await zustaende(page, 1024);
  await page.setViewport({ width: 800, height: 1000 });
  await zustaende(page, 800);
  await telefon(page);
  await page.setViewport({ width: 1280, height: 900 });
  // Dark mode as the system asks for it: the same checks, and a picture.
  await page.emulateMediaFeatures([{ name: 'prefers-color-scheme', value: 'dark' }]);
  await axePruefen(page, '1280 px, dunkel');
  await bild(page, 'dunkel_1280');
  await page.emulateMediaFeatures([{ name: 'prefers-color-scheme', value: 'light' }]);

  // A slider step at n = 10^4 against the same step at n = 10 (the fixed
  // cost of a pass), both from the start of the pass to the end of uPlot's
  // drawing, as the page measures it itself.
  const schritte = async (n) => {
    await h.waehlen(page, { m: 4, art: 1, verfahren: ['natuerlich'], n, punkte: 1001 });
    await page.focus('#n_regler');
    const dauer = [];
    const rechnen = [];
    for (let i = 0; i < 12; ++i) {
      await h.undWarten(page, () => page.keyboard.press(i % 2 === 0 ? 'ArrowLeft' : 'ArrowRight'));
      dauer.push(Number(await page.evaluate(() => document.body.dataset.dauer)));
      rechnen.push(Number(await page.evaluate(() => document.body.dataset.rechnen)));
    }
    p.gleich(await page.$eval('#n', (e) => e.value), String(n), `Reglerschritte zurueck bei n = ${n}`);
    return { dauer: median(dauer), groesste: Math.max(...dauer), rechnen: median(rechnen) };
  };
  const klein = await schritte(10);
  const gross = await schritte(10000);
  console.log(`     Messung: Reglerschritt, natuerlicher Spline, 1001 Messpunkte, Median von 12: ` +
    `n = 10^4 ${gross.dauer.toFixed(1)} ms (groesster ${gross.groesste.toFixed(1)} ms, davon Rechnen ` +
    `${gross.rechnen.toFixed(1)} ms), n = 10 ${klein.dauer.toFixed(1)} ms, Verhaeltnis ` +
    `${(gross.dauer / klein.dauer).toFixed(2)}`);
  const neustart = await page.evaluate(async () => {
    const z = [];
    for (let i = 0; i < 5; ++i) {
      const t0 = performance.now();
      await window.numerikSeite.modulStarten();
      z.push(performance.now() - t0);
    }
    return z;
  });
  console.log(`     Messung: Neustart des Moduls Median ${median(neustart).toFixed(1)} ms`);
  const groesse = fs.statSync(path.join(seite, 'numerik.wasm')).size;
  console.log(`     Messung: numerik.wasm ${groesse} Bytes`);

  p.pruefe(kontext.seitenfehler.length === 0, 'keine Skriptfehler', kontext.seitenfehler.join('\n'));
  p.pruefe(kontext.konsolenfehler.length === 0, 'keine Fehler in der Konsole', kontext.konsolenfehler.join('\n'));
  p.pruefe(kontext.fremdeAnfragen.length === 0, 'keine Anfrage ausser an den eigenen Server', kontext.fremdeAnfragen.join('\n'));
}).then(() => p.ende(), (e) => { console.error(e); process.exitCode = 2; });
