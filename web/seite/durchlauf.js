// One pass: everything for the current choice computed in the main view's
// worker and drawn; a newer input cancels a pass still computing.
import { $, zustand, ARTEN, zaehlen } from './zustand.js';
import { bib, rechner, fortschrittBeginnen } from './arbeiter.js';
import { wahl, problemTitel, reglerSetzen, GELADEN } from './wahl.js';
import { bilder, bildBreite, pause, funktionZeichnen, fehlerZeichnen, lebesgueZeichnen, zoomLoesen,
  LEBESGUE_MAX_N } from './zeichnen.js';
import { meldungZeigen, hinweiseZeigen, tabelleZeigen } from './tabelle.js';
import { einstellungenMerken } from './einstellungen.js';

let laeuft = false;
let nochmal = false;
// The time of a pass, from its start to the end of uPlot's drawing, with
// the part spent in the module; shown at the foot of the page.
function zeitZeigen(beginn, gerechnet) {
  const dauer = performance.now() - beginn;
  $('zeit').textContent = `zuletzt gerechnet und gezeichnet in ${dauer.toFixed(0)} ms ` +
    `(davon Rechnen ${(gerechnet - beginn).toFixed(1)} ms)`;
  document.body.dataset.dauer = dauer.toFixed(1);
  document.body.dataset.rechnen = (gerechnet - beginn).toFixed(1);
}

// A new input while the worker computes a pass ends that pass (its
// figures are stale) and computes the new choice; while a pass draws, the
// new choice follows it.
let rechnet = false;
export async function aktualisieren() {
  if (laeuft) {
    nochmal = true;
    if (rechnet) rechner.bild.abbrechen();
    return;
  }
  laeuft = true;
  document.body.dataset.laeuft = '1';
  try {
    do {
      nochmal = false;
      await durchlauf();
    } while (nochmal);
  } finally {
    laeuft = false;
    document.body.dataset.laeuft = '0';
  }
}

// The problem the plots show: their zoom holds until it changes.
let problemGezeigt = '';
// The n of the picture shown (for an example or a formula).
let nGezeigt = null;

async function durchlauf() {
  const beginn = performance.now();
  const w = wahl();
  const problem = `${w.quelle}|${w.m}|${zustand.formel.nr}|${bib.datenNr}`;
  if (problem !== problemGezeigt) zoomLoesen();
  problemGezeigt = problem;
  let liste = w.verfahren.filter((v) => (v.arten & (1 << w.art)) !== 0).map((v) => ({ ...v, ...v.stile[w.art] }));
  if (w.quelle === 'daten') {
    liste = liste.filter((v) => !v.abl2);
    // An interpolation text is drawn as it is; nothing loaded, nothing drawn.
    if (zustand.datenArt === 1) liste = [GELADEN];
    if (zustand.datenArt === 0) liste = [];
  }
  let lebesgueGrund = 'Zu eigenen Daten zeigt die Seite die Lebesgue-Funktion nicht.';
  if (w.quelle !== 'daten' && w.n > LEBESGUE_MAX_N) {
    lebesgueGrund = `Die Lebesgue-Funktion zeigt die Seite bis n = ${LEBESGUE_MAX_N}.`;
  }
  // For own data n is the data's, not the slider's.
  const nText = w.quelle === 'daten' ? `n = ${zustand.datenN}` : `n = ${w.n}`;
  const fortschritt = fortschrittBeginnen('fortschritt', nText);
  rechnet = true;
  let r;
  try {
    r = await rechner.bild.fragen('durchlauf', { w, liste, lebesgue: w.quelle !== 'daten' && w.n <= LEBESGUE_MAX_N,
      breite: bildBreite($('bild_funktion')), bestaetigt: zustand.bestaetigt },
      (f) => fortschritt.melden({ was: `${f.was}, ${nText}`, anteil: f.anteil }));
  } finally {
    rechnet = false;
    fortschritt.ende();
  }
  // Cancelled: the last finished picture stays, and by the user's hand
  // (no newer input waiting) the n field and the slider show its n again.
  if (r.abgebrochen) {
    zaehlen('abbrueche');
    if (!nochmal && w.quelle !== 'daten' && nGezeigt !== null && zustand.n !== nGezeigt) {
      zustand.n = nGezeigt;
      $('n').value = String(nGezeigt);
      reglerSetzen(nGezeigt);
    }
    return;
  }
  if (w.quelle !== 'daten') nGezeigt = w.n;
  const hinweise = r.hinweise;
  // A fault of the page's own worker: shown as the library's messages are.
  const { ergebnisse, fehlgeschlagen, zurueckgestellt, meldungen, fy, lebesgue } = r.wert || { ergebnisse: [],
    fehlgeschlagen: [], zurueckgestellt: [], meldungen: [{ wo: 'Seite', text: r.fehler }], fy: null, lebesgue: null };
  const x = ergebnisse.length > 0 ? ergebnisse[0].x : r.wert && r.wert.x;
  const gerechnet = performance.now();
  // The answer's arrival (its copy out of the worker) is a task of its own.
  await pause();
  if (liste[0] === GELADEN && ergebnisse[0]) {
    ergebnisse[0].v = { ...GELADEN, ...zustand.geladenStil, titel: ergebnisse[0].name };
  }
  meldungZeigen(meldungen);
  hinweiseZeigen(hinweise);
  // One plot a task: its data are put together in one, it is made (or
  // given them and drawn) in the next, and a plot made new is drawn in
  // the task after.
  const nachreichen = async (bild, daten) => {
    await pause();
    if (daten) {
      bilder[bild].setData(daten);
      await pause();
    }
  };
  await nachreichen('funktion', await funktionZeichnen(w, ergebnisse, fy, x || []));
  await nachreichen('fehler', await fehlerZeichnen(w, ergebnisse, liste.length > 0));
  await nachreichen('lebesgue', lebesgueZeichnen(w, lebesgue, lebesgueGrund));
  tabelleZeigen(w, ergebnisse, fehlgeschlagen, zurueckgestellt, (v) => {
    zustand.bestaetigt.push(v.schluessel);
    aktualisieren();
  });
  if (w.quelle === 'daten') {
    $('n_daten').textContent = ergebnisse.length > 0
      ? `n = ${ergebnisse[0].knoten.x.length - 1} aus den Daten.` : 'n ergibt sich aus den Daten.';
  }
  const titel = w.quelle === 'daten'
    ? `Eigene Daten: ${zustand.datenInfo || 'noch keine geladen (Text einfügen und „Laden“, oder eine Datei öffnen)'}`
    : `${problemTitel(w.m)}, n = ${w.n}, ${ARTEN[w.art]}`;
  $('titel_funktion').textContent = titel;
  // uPlot draws in a microtask queued by setData; it has run when this
  // continuation does.
  await Promise.resolve();
  zeitZeigen(beginn, gerechnet);
  // When the worker computed (performance.now() at the start and the end).
  document.body.dataset.rechenfenster = `${beginn.toFixed(1)} ${gerechnet.toFixed(1)}`;
  document.body.dataset.n = String(w.quelle === 'daten' ? zustand.datenN : w.n);
  einstellungenMerken();
  zaehlen('durchlaeufe');
}

// Whether a pass is running (or drawing) now.
export const laeuftGerade = () => laeuft;
