// The table of the main view (the largest error of each method, its
// files), the messages of the library above the plots, its warnings beside
// the picture, and the downloads in the programs' formats.
import { $, zustand, ARTEN, ARTKUERZEL, RUNDUNG_LEGENDE } from './zustand.js';
import { rechner } from './arbeiter.js';
import { problemArgumente } from './wahl.js';
import { strichStil } from './zeichnen.js';

export function meldungZeigen(meldungen) {
  const el = $('meldung');
  el.hidden = meldungen.length === 0;
  el.replaceChildren();
  for (const m of meldungen) {
    const zeile = document.createElement('div');
    const wer = document.createElement('strong');
    wer.textContent = m.wo ? `${m.wo}: ` : 'Die Bibliothek meldet: ';
    const was = document.createElement('code');
    was.textContent = m.text.replace(/\n+$/, '');
    if (m.klartext) {
      // Said plainly first; the library's exact words in a line below.
      const detail = document.createElement('div');
      detail.className = 'detail';
      detail.append('Meldung der Bibliothek: ', was);
      zeile.append(wer, m.klartext, detail);
    } else {
      zeile.append(wer, was);
    }
    el.append(zeile);
  }
}

export function hinweiseZeigen(zeilen) {
  $('hinweise').hidden = zeilen.length === 0;
  $('hinweistext').textContent = zeilen.join('\n');
}

export function herunterladen(name, bytes, typ = 'text/plain') {
  const blob = new Blob([bytes], { type: typ });
  const a = document.createElement('a');
  a.href = URL.createObjectURL(blob);
  a.download = name;
  document.body.append(a);
  a.click();
  a.remove();
  setTimeout(() => URL.revokeObjectURL(a.href), 10000);
}

// Makes a text in the module (the number form as chosen) and offers it as
// a download; a failure shows the library's message.  welche: problem,
// kurvenpunkte, koeffizienten (of method v) or beispielwerte, for the
// choice w of the pass the table shows.
async function dateiAnbieten(name, welche, w, v, punkte) {
  const r = await rechner.neben.fragen('datei', { w: { ...w, voll: $('voll').checked }, v, welche, punkte });
  if (r.abgebrochen) return;
  if (r.fehler !== undefined) {
    meldungZeigen([{ wo: `${name}`, text: r.fehler }]);
    return;
  }
  herunterladen(name, r.wert);
}

// A small button; wessen names what it is for (the method of its row), so
// that a screen reader hears more than six buttons "Problem".
function knopf(beschriftung, titel, aktion, wessen = '') {
  const b = document.createElement('button');
  b.type = 'button';
  b.textContent = beschriftung;
  if (wessen) b.setAttribute('aria-label', `${beschriftung}: ${wessen}`);
  b.title = titel;
  b.className = 'klein';
  b.addEventListener('click', aktion);
  return b;
}

function dateistamm(w, v, name) {
  if (v.schluessel === 'geladen') return `geladen_${name.replace(/[^A-Za-z0-9_-]+/g, '_').slice(0, 40)}`;
  if (w.quelle === 'daten') return `${v.schluessel}_daten`;
  return `${v.schluessel}_${w.m === 0 ? 'formel' : `f${w.m}`}_${ARTKUERZEL[w.art]}_n${w.n}`;
}

export function tabelleZeigen(w, ergebnisse, fehlgeschlagen, zurueckgestellt = [], rechnenLassen = null) {
  const tbody = document.querySelector('#tabelle tbody');
  tbody.replaceChildren();
  const zeile = (zellen) => {
    const tr = document.createElement('tr');
    for (const z of zellen) {
      const td = document.createElement('td');
      if (typeof z === 'string') td.textContent = z; else td.append(...z);
      tr.append(td);
    }
    tbody.append(tr);
    return tr;
  };
  for (const r of ergebnisse) {
    const v = r.v;
    const punkte = w.punkte - 1;
    const stamm = dateistamm(w, v, r.name);
    const knoepfe = [
      knopf(w.quelle === 'daten' && zustand.datenArt === 1 ? 'Interpolation' : 'Problem',
        'die Interpolationsaufgabe als Datei (ein Spline wie von splineerzeuger), für kurvenpunkte und beiwerte',
        () => dateiAnbieten(`${stamm}.txt`, 'problem', w, v), v.titel),
      knopf('Kurvenpunkte', `die Werte an ${punkte + 1} Punkten (wie kurvenpunkte ${punkte})`,
        () => dateiAnbieten(`kurvenpunkte_${stamm}.txt`, 'kurvenpunkte', w, v, punkte), v.titel),
      knopf('Koeffizienten', 'die Koeffizienten (wie beiwerte)',
        () => dateiAnbieten(`koeffizienten_${stamm}.txt`, 'koeffizienten', w, v), v.titel),
    ];
    const name = document.createElement('span');
    name.className = 'farbmarke';
    name.style.borderColor = v.farbe;
    name.style.borderLeftStyle = strichStil(v.dash);
    name.textContent = v.titel;
    const knotenText = w.quelle === 'daten'
      ? `${r.knoten.x.length}, ${zustand.datenArt === 1 ? r.typ : 'gegeben'}`
      : `${w.n + 1}, ${ARTEN[w.art]}`;
    const maxText = r.maxText === undefined ? '–' : r.maxText + (r.rundung ? '*' : '');
    const tr = zeile([[name], knotenText, maxText, knoepfe]);
    tr.dataset.verfahren = v.schluessel;
    tr.children[2].className = r.rundung ? 'zahl rundung' : 'zahl';
  }
  // A global form over many of the user's nodes: its cost, and a button
  // that runs it.
  for (const z of zurueckgestellt) {
    const dauer = z.sekunden < 90 ? `${Math.max(1, Math.round(z.sekunden))} s` : `${Math.round(z.sekunden / 60)} min`;
    const b = knopf('Trotzdem rechnen', `${z.v.titel} über alle Stützstellen rechnen`, () => rechnenLassen(z.v),
      `${z.v.titel} (geschätzt etwa ${dauer})`);
    const tr = zeile([z.v.titel, '', `nicht gerechnet: geschätzt etwa ${dauer}`, [b]]);
    tr.dataset.verfahren = z.v.schluessel;
    tr.dataset.kosten = String(z.sekunden);
  }
  for (const f of fehlgeschlagen) {
    const tr = zeile([f.v.titel, '', 'Fehler (siehe oben)', '']);
    tr.dataset.verfahren = f.v.schluessel;
  }
  $('tabelle_fussnote').textContent = ergebnisse.some((r) => r.rundung) ? RUNDUNG_LEGENDE : '';
  if (w.quelle !== 'daten') {
    const punkte = w.punkte - 1;
    const tr = zeile(['f (exakt)', `${punkte + 1} Messpunkte`, '', [
      knopf('Beispielwerte', `die exakten Werte an ${punkte + 1} Punkten (wie beispielwerte${problemArgumente(w.m).schalter} ${punkte} ${problemArgumente(w.m).args})`,
        () => dateiAnbieten(`beispielwerte_${w.m === 0 ? 'formel' : `f${w.m}`}_${punkte}.txt`,
          'beispielwerte', w, null, punkte), 'f (exakt)'),
    ]]);
    tr.dataset.verfahren = 'exakt';
  }
}
