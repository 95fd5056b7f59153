// Measures the page against an older build of it, both served and driven in
// one run, alternating: for n = 10, 10^3, 10^4 at 1001 and 100001 measuring
// points (example 4, all methods, the first node kind of the page) (a) the
// time from setting n to the finished picture and (b) the longest
// main-thread task in that span.  The picture counts as finished when the
// pass counter of the page has grown, no pass runs, and two animation
// frames have followed (the counter and the flag exist in both builds).
//
//   node scripts/seite_messen.cjs NEUE_SEITE ALTE_SEITE [WIEDERHOLUNGEN] [N...]
'use strict';
const path = require('path');
const h = require(path.join(__dirname, '..', 'tests', 'browser', 'hilfe.cjs'));

const [neu, alt, wiederholungenText, ...nText] = process.argv.slice(2);
if (!neu || !alt) {
  console.error('Benutzung: node scripts/seite_messen.cjs NEUE_SEITE ALTE_SEITE [WIEDERHOLUNGEN] [N...]');
  process.exit(2);
}
const WIEDERHOLUNGEN = Number(wiederholungenText || 2);
const N = nText.length > 0 ? nText.map(Number) : [10, 1000, 10000];
const PUNKTE = process.env.SEITE_MESSEN_PUNKTE ? process.env.SEITE_MESSEN_PUNKTE.split(',').map(Number)
  : [1001, 100001];
const ALLE = ['newton', 'baryzentrisch', 'natuerlich', 'abl2', 'periodisch'];
const AUSGANG = 8; // the n each measurement starts from

// Waits until the page's study, recomputed for new points, is drawn.
async function studieAbwarten(page, vorher) {
  await page.waitForFunction((v) => Number(document.body.dataset.studien || 0) > v,
    { timeout: 600000 }, vorher).catch(() => {});
  await new Promise((r) => setTimeout(r, 300));
}

// One measurement in the page: n set as the field takes it, then polled
// once a frame; [ms to the finished picture, longest task in that span].
const messen = (page, n) => page.evaluate(async (nNeu) => {
  const lange = [];
  const beobachter = new PerformanceObserver((l) => {
    for (const e of l.getEntries()) lange.push([e.startTime, e.duration]);
  });
  beobachter.observe({ type: 'longtask' });
  const bild = () => new Promise((r) => requestAnimationFrame(r));
  const vorher = Number(document.body.dataset.durchlaeufe || 0);
  const beginn = performance.now();
  const feld = document.querySelector('#n');
  feld.value = String(nNeu);
  feld.dispatchEvent(new Event('change', { bubbles: true }));
  while (!(Number(document.body.dataset.durchlaeufe || 0) > vorher && document.body.dataset.laeuft !== '1')) {
    await bild();
  }
  await bild();
  await bild();
  const ende = performance.now();
  await new Promise((r) => setTimeout(r, 100));
  beobachter.disconnect();
  const drin = lange.filter(([t, d]) => t + d > beginn && t < ende).map(([, d]) => d);
  return [ende - beginn, Math.max(0, ...drin)];
}, n);

async function vorbereiten(page, punkte) {
  const studien = await h.zaehler(page, 'studien');
  await h.waehlen(page, { m: 4, verfahren: ALLE, n: AUSGANG });
  if (Number(await page.$eval('#punkte', (e) => e.value)) !== punkte) {
    await h.setzen(page, '#punkte', punkte);
    await studieAbwarten(page, studien);
  }
}

(async () => {
  const seiten = { neu: null, alt: null };
  const ergebnisse = {}; // `${punkte} ${n} ${welche}` -> [[dauer, laengste]...]
  await h.mitSeite(alt, async (pageAlt) => h.mitSeite(neu, async (pageNeu) => {
    seiten.alt = pageAlt;
    seiten.neu = pageNeu;
    const art = await pageNeu.$eval('input[name="art"]:checked', (e) => e.parentElement.textContent.trim());
    console.log(`Beispiel 4, alle Verfahren, Knotenart ${art}, ${WIEDERHOLUNGEN} Wiederholungen, abwechselnd`);
    for (const punkte of PUNKTE) {
      for (const welche of ['alt', 'neu']) await vorbereiten(seiten[welche], punkte);
      for (const n of N) {
        for (let w = 0; w < WIEDERHOLUNGEN; ++w) {
          for (const welche of w % 2 === 0 ? ['alt', 'neu'] : ['neu', 'alt']) {
            const page = seiten[welche];
            if (Number(await page.$eval('#n', (e) => e.value)) !== AUSGANG) await h.setzen(page, '#n', AUSGANG);
            await new Promise((r) => setTimeout(r, 300));
            const schluessel = `${punkte} ${n} ${welche}`;
            (ergebnisse[schluessel] = ergebnisse[schluessel] || []).push(await messen(page, n));
          }
        }
      }
    }
  }));
  // The median of the repetitions.
  const median = (l) => {
    const s = [...l].sort((a, b) => a - b);
    return s.length % 2 ? s[(s.length - 1) / 2] : (s[s.length / 2 - 1] + s[s.length / 2]) / 2;
  };
  const zeilen = [['Messpunkte', 'n', 'alt: bis Bild ms', 'alt: längste Aufgabe ms', 'neu: bis Bild ms',
    'neu: längste Aufgabe ms']];
  for (const punkte of PUNKTE) {
    for (const n of N) {
      const zelle = (welche, i) => median(ergebnisse[`${punkte} ${n} ${welche}`].map((m) => m[i])).toFixed(0);
      zeilen.push([String(punkte), String(n), zelle('alt', 0), zelle('alt', 1), zelle('neu', 0), zelle('neu', 1)]);
    }
  }
  console.log(`| ${zeilen[0].join(' | ')} |`);
  console.log(`|${zeilen[0].map(() => '---:').join('|')}|`);
  for (const z of zeilen.slice(1)) console.log(`| ${z.join(' | ')} |`);
})().catch((e) => { console.error(e); process.exitCode = 1; });
