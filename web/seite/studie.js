// The convergence study: the library's study (that of fehlerstudie) runs
// in the study's worker; the page shows its tables, its text and its
// figures against n, with the reference lines and the key words the
// library concludes (its befund): the page draws, it does not judge.
import { $, zustand, RUNDUNG_LEGENDE, zaehlen } from './zustand.js';
import { rechner, fortschrittBeginnen } from './arbeiter.js';
import { einstellungenMerken } from './einstellungen.js';
import { wahl, mitUmlauten, problemTitel, problemArgumente } from './wahl.js';
import { bildBreite, serienSignatur, textZeigen, ACHSE, ZEIGER, WERT_N, WERT_LOG, ablesbar, dekaden, dekadeText } from './zeichnen.js';
import { warumZeigen } from './warum.js';

// The dashes of the reference lines: h^2, h^4 and the geometric rate (0).
const BEZUG_STRICHE = { 2: [8, 5], 4: [2, 3], 0: [12, 4, 2, 4] };
// The dashes of a column's predicted error and of its rounding floor.
const VORHERSAGE_STRICH = [6, 4];
const BODEN_STRICH = [1, 3];
// A figure of the text alternative, three digits, "–" for none.
const zahlText = (x) => (Number.isFinite(x) ? x.toExponential(2) : '–');

export const studienBild = { plot: null, signatur: '', bereich: [1e-16, 1], xBereich: [1, 10] };
const SCHALTER = { 0: '', 1: ' -p', 2: ' -s', 3: ' -p -s' };

function studieBefehl(m, punkte, spaltenwahl, nListe) {
  const g = punkte === 0 ? '' : ` -g ${punkte}`;
  const f = problemArgumente(m);
  return `fehlerstudie${SCHALTER[spaltenwahl]}${f.schalter}${g} ${f.args} ${nListe.join(' ')}`;
}

function studienTabelle(tabelle, ueberschrift, s, zelle, abK) {
  tabelle.replaceChildren();
  const caption = document.createElement('caption');
  caption.textContent = ueberschrift;
  tabelle.append(caption);
  const kopf = document.createElement('tr');
  for (const [t, farbe, titel] of [['n', null, 'n = Anzahl der Stützstellen − 1'],
    ...s.spalten.map((sp) => [sp.spalte, sp.farbe, sp.titel])]) {
    const th = document.createElement('th');
    th.textContent = t;
    th.title = titel;
    if (farbe) th.style.borderBottomColor = farbe;
    kopf.append(th);
  }
  tabelle.append(kopf);
  for (let k = abK; k < s.n.length; ++k) {
    const tr = document.createElement('tr');
    const nZelle = document.createElement('td');
    nZelle.textContent = String(s.n[k]);
    tr.append(nZelle);
    s.spalten.forEach((sp, j) => tr.append(zelle(sp, k, j)));
    tabelle.append(tr);
  }
}

function studieZeigen(s, spaltenwahl) {
  $('studie_inhalt').hidden = false;
  const fehlerZelle = (sp, k) => {
    const td = document.createElement('td');
    // A figure of a grid too coarse is a lower bound, a 0 there says nothing.
    const wert = s.grob[k] ? (sp.zellen[k] === '0' ? '~' : `${sp.zellen[k]}~`) : sp.zellen[k];
    td.textContent = wert + sp.marke[k];
    if (sp.marke[k]) td.className = 'rundung';
    return td;
  };
  const ordnungZelle = (sp, k) => {
    const td = document.createElement('td');
    td.textContent = sp.ordnungen[k];
    return td;
  };
  studienTabelle($('studie_fehler'), `Größter Fehler max |p(x) − f(x)| an ${s.gitterText} Punkten`, s, fehlerZelle, 0);
  if (s.n.length > 1) {
    studienTabelle($('studie_ordnung'), 'Beobachtete Ordnung log(e(n_vorher)/e(n)) / log(n/n_vorher)', s, ordnungZelle, 1);
  } else {
    $('studie_ordnung').replaceChildren();
  }
  const fussnoten = [];
  if (s.spalten.some((sp) => sp.marke.includes('*'))) {
    fussnoten.push(RUNDUNG_LEGENDE);
  }
  if (s.markenLegende) fussnoten.push(s.markenLegende.replace(/\n\s*/g, ' ').trim());
  if (s.grob.some((g) => g)) {
    fussnoten.push('~ Messgitter zu grob (weniger als 10 Schritte je Intervall): der Fehler ist mindestens so groß; ' +
      '~ allein: an den Messpunkten kein Fehler, zwischen ihnen nicht gemessen. Mehr Messpunkte oben.');
  }
  if (s.spalten.some((sp) => sp.zellen.includes('-'))) {
    fussnoten.push('– nicht berechnet: Newton-Form über n = 10000 (Aufwand n²).');
  }
  $('studie_fussnote').textContent = fussnoten.join(' ');
  $('studie_text').textContent = s.text;
  warumZeigen(s);
  $('studie_decke').textContent = `Die Achse endet bei ${s.deckeText} (gepunktete Linie), der Zehnerpotenz über ` +
    'dem größten Fehler der konvergierenden Spalten: größere Fehler, auch inf und nan, liegen auf ihr.' +
    (s.grob.some((g) => g)
      ? ` Bei n = ${s.n.filter((_, k) => s.grob[k]).join(', ')} ist das Messgitter zu grob (~ in der Tabelle): ` +
        'dort liegt der wahre Fehler über dem gezeichneten.'
      : '');

  // The figures against n, on logarithmic axes: a figure above the
  // ceiling (or not a number) lies on it, one not computed leaves a gap.
  const el = $('bild_studie');
  const reihen = s.spalten.map((sp) => sp.fehler.map((e, k) => {
    if (sp.zellen[k] === '-') return null;
    if (!(e <= s.decke)) return s.decke;
    return e > 0 ? e : null;
  }));
  // The reference slopes, thin and grey, each with its own dash; only
  // inside the plotted range.
  const bezugReihen = s.bezug.map((b) => b.werte.map((e) => (e >= s.boden && e <= s.decke ? e : null)));
  // The theory's predicted error of each column (dashed) and the rounding
  // floor of each global form (dotted), both in the column's colour, as the
  // library gives them; a column without either has no such line.
  const imBereich = (werte) => werte.map((e) => (e >= s.boden && e <= s.decke ? e : null));
  const vorhergesagt = s.spalten.filter((sp) => sp.vorhersage.some(Number.isFinite));
  const boeden = s.spalten.filter((sp) => sp.rundungsboden.some(Number.isFinite));
  const daten = [s.n, ...reihen, s.n.map(() => s.decke), ...bezugReihen,
    ...vorhergesagt.map((sp) => imBereich(sp.vorhersage)), ...boeden.map((sp) => imBereich(sp.rundungsboden))];
  const serien = [{ label: 'n' }, ...s.spalten.map((sp) => ({
    label: sp.legende ? `${sp.titel} (${sp.legende})` : sp.titel,
    stroke: sp.farbe, width: sp.breite, dash: sp.dash, points: { show: true, size: 7, fill: sp.farbe },
  })), { label: 'Decke', stroke: '#606060', width: 1.5, dash: [2, 4], points: { show: false } },
  ...s.bezug.map((b) => ({ label: b.label, stroke: '#8a8a8a', width: 1.25, dash: BEZUG_STRICHE[b.p],
    spanGaps: true, points: { show: false } })),
  ...vorhergesagt.map((sp) => ({ label: `${sp.titel} vorhergesagt`, stroke: sp.farbe, width: 1.25, dash: VORHERSAGE_STRICH,
    spanGaps: true, points: { show: false } })),
  ...boeden.map((sp) => ({ label: `${sp.titel} Rundungsboden`, stroke: sp.farbe, width: 1, dash: BODEN_STRICH,
    spanGaps: true, points: { show: false } }))];
  studienBild.bereich = [s.boden, s.decke * 3];
  studienBild.xBereich = [s.n[0] / 1.5, s.n[s.n.length - 1] * 1.5];
  studienBild.n = s.n;
  const letztes = s.n.length - 1;
  textZeigen('bild_studie_text', `Größter Fehler gegen n = ${s.n.join(', ')}, beide Achsen logarithmisch. ` +
    `Bei n = ${s.n[letztes]}: ` + s.spalten.map((sp) => `${sp.titel}${sp.legende ? ` (${sp.legende})` : ''} ` +
    `${sp.zellen[letztes]}`).join('; ') + '.' +
    (vorhergesagt.length > 0 ? ` Gestrichelt die Vorhersage der Theorie, bei n = ${s.n[letztes]}: ` +
      vorhergesagt.map((sp) => `${sp.titel} vorhergesagt ${zahlText(sp.vorhersage[letztes])}`).join('; ') + '.' : '') +
    (boeden.length > 0 ? ` Gepunktet der Rundungsboden der globalen Formen, bei n = ${s.n[letztes]}: ` +
      boeden.map((sp) => `${sp.titel} Rundungsboden ${zahlText(sp.rundungsboden[letztes])}`).join('; ') + '.' : ''));
  const signatur = serienSignatur(serien);
  if (studienBild.plot && studienBild.signatur === signatur) {
    studienBild.plot.setData(daten);
  } else {
    if (studienBild.plot) studienBild.plot.destroy();
    studienBild.signatur = signatur;
    studienBild.plot = new uPlot({
      width: bildBreite(el),
      height: 400,
      scales: { x: { time: false, distr: 3, log: 10, range: () => studienBild.xBereich },
        y: { distr: 3, log: 10, range: () => studienBild.bereich } },
      axes: [{ ...ACHSE, label: 'n', splits: () => studienBild.n, filter: (u, v) => v,
        values: nBeschriften },
      { ...ACHSE, label: 'max |p(x) − f(x)|', size: 70, splits: dekaden, filter: (u, v) => v,
        values: (u, werte) => werte.map(dekadeText) }],
      series: ablesbar(serien, WERT_N, WERT_LOG),
      ...ZEIGER,
    }, daten, el);
  }
  if (s.daten) {
    $('studie_titel').textContent = 'Konvergenzstudie: eigene Daten, ihre AAA-Näherung als f';
  } else {
    $('studie_titel').textContent = `Konvergenzstudie: ${problemTitel(s.m)}`;
    $('studie_befehl').textContent = studieBefehl(s.m, s.punkte, spaltenwahl, s.n);
  }
}

// The line on the user's data (what stands in for f, or why nothing does)
// above the study; without data none.
function datenZeileZeigen(d) {
  const el = $('studie_daten');
  el.hidden = !d;
  if (!d) return;
  el.replaceChildren(Object.assign(document.createElement('pre'), { className: 'warum_text',
    textContent: d.beurteilbar ? d.text : `Warum\n${d.text}` }));
}

// The n on the log axis, each only where it does not run into the one
// before (on a phone 64 128 256 512 would otherwise read as one number).
function nBeschriften(u, werte) {
  let frei = -Infinity;
  return werte.map((v) => {
    if (v == null) return '';
    const text = String(v);
    const mitte = u.valToPos(v, 'x');
    const halb = text.length * 4.5 + 4;
    if (mitte - halb < frei) return '';
    frei = mitte + halb;
    return text;
  });
}

let studieLaeuft = false;
let studieNochmal = false;
let studieRechnet = false;

export async function studieAktualisieren() {
  if (studieLaeuft) {
    studieNochmal = true;
    if (studieRechnet) rechner.studie.abbrechen();
    return;
  }
  studieLaeuft = true;
  document.body.dataset.studielaeuft = '1';
  try {
    do {
      studieNochmal = false;
      await studieDurchlauf();
    } while (studieNochmal);
  } finally {
    studieLaeuft = false;
    document.body.dataset.studielaeuft = '0';
  }
}

async function studieDurchlauf() {
  const w = wahl();
  const daten = w.quelle === 'daten';
  datenZeileZeigen(null);
  if (daten && zustand.datenArt === 0) {
    $('studie_titel').textContent = 'Konvergenzstudie';
    $('studie_inhalt').hidden = true;
    $('studie_meldung').hidden = true;
    $('studie_hinweise').hidden = true;
    $('studie_hinweis').textContent = 'Für eigene Daten misst die Studie gegen ihre AAA-Näherung: erst Daten laden.';
    return;
  }
  if (daten) {
    // The data's own function is unknown: their AAA fit stands in for it
    // where the library finds that it reproduces them and settles.
    $('studie_hinweis').textContent = 'Für die geladenen Daten: ihre AAA-Näherung steht für die unbekannte Funktion f, ' +
      'wo sie die Daten bis auf ihre letzte Stelle wiedergibt und sich setzt (aus jedem zweiten Punkt dieselbe ist). ' +
      'Die Studie misst den Fehler der Verfahren gegen diese Näherung; ihre Pole geben die Singularitäten.';
  } else {
    // The command as the user asked for it; a finished study writes its n.
    $('studie_hinweis').replaceChildren('Für die gewählte Beispielfunktion und die Messpunkte oben: dieselben Zahlen wie ',
      Object.assign(document.createElement('code'), { id: 'studie_befehl',
        textContent: studieBefehl(w.m, zustand.punkteFest ? w.punkte : 0, Number($('studie_wahl').value),
          $('studie_n').value.trim().split(/\s+/)) }), '.');
  }
  const spaltenwahl = Number($('studie_wahl').value);
  const beginn = performance.now();
  const fortschritt = fortschrittBeginnen('studie_fortschritt', 'Konvergenzstudie');
  studieRechnet = true;
  let r;
  try {
    // Without points set by the user the grid follows n (max(1001, 10 n + 1)
    // points), as fehlerstudie's without -g.
    r = await rechner.studie.fragen('studie', { w, nText: $('studie_n').value, spaltenwahl,
      punkte: zustand.punkteFest ? w.punkte : 0 }, (f) => fortschritt.melden(f));
  } finally {
    studieRechnet = false;
    fortschritt.ende();
  }
  if (r.abgebrochen) {
    zaehlen('studienabbrueche');
    return;
  }
  if (r.wert && r.wert.spalten) {
    for (const sp of r.wert.spalten) sp.titel = mitUmlauten(sp.titel);
  }
  const hinweise = r.hinweise;
  const dauer = performance.now() - beginn;
  // Warnings as fehlerstudie writes them to standard error: the first line
  // shows, the rest (a continued periodic spline lists its nodes) on demand.
  $('studie_hinweise').hidden = hinweise.length === 0;
  $('studie_hinweiszeile').textContent = hinweise.length > 1
    ? `Hinweise der Bibliothek: ${hinweise[0]} (und ${hinweise.length - 1} Zeilen mehr)`
    : `Hinweis der Bibliothek: ${hinweise[0] || ''}`;
  $('studie_hinweistext').textContent = hinweise.join('\n');
  if (r.fehler !== undefined) {
    const el = $('studie_meldung');
    el.hidden = false;
    el.replaceChildren(Object.assign(document.createElement('strong'), { textContent: 'Konvergenzstudie: ' }),
      Object.assign(document.createElement('code'), { textContent: r.fehler.replace(/\n+$/, '') }));
    $('studie_inhalt').hidden = true;
    zaehlen('studienfehler');
    return;
  }
  $('studie_meldung').hidden = true;
  datenZeileZeigen(r.wert.daten);
  if (!r.wert.spalten) {
    // Data that cannot be judged: the verdict says why, and no study.
    $('studie_titel').textContent = 'Konvergenzstudie: eigene Daten';
    $('studie_inhalt').hidden = true;
    $('studie_warum').replaceChildren();
    zustand.studie = null;
    zaehlen('studien');
    return;
  }
  studieZeigen(r.wert, spaltenwahl);
  $('studie_zeit').textContent = `gerechnet und gezeichnet in ${dauer.toFixed(0)} ms`;
  document.body.dataset.studiendauer = dauer.toFixed(1);
  zustand.studie = r.wert;
  einstellungenMerken();
  zaehlen('studien');
}
