// The page's shared state: the choices as the page last took them, the
// tables of node kinds the module sent at the start, and the few constants
// that more than one part of the page reads.  Every other module keeps its
// own state to itself.

export const $ = (id) => document.getElementById(id);

export const zustand = {
  beispiele: [], // {m, name}
  verfahren: [], // {k, schluessel, titel, stile: {node kind: {farbe, dash, breite}}, arten, abl2}
  geladenStil: null, // the style of the loaded interpolation
  quelle: 4, // example m, 'formel' or 'daten'
  formel: { text: '1/(1+x^2)', a: -9, b: 9, nr: 1 }, // the last formula the module accepted
  n: 8, // the last n the field accepted
  datenArt: 0, // 1 interpolation, 2 value file, 0 none
  datenInfo: '',
  datenN: 0, // n of the loaded data (points - 1)
  bestaetigt: [], // keys of global forms the user let run over the loaded data despite their cost
  punkteFest: false, // the user set the measuring points: the study then uses them for every n
  gegeben: '0', // the node kind whose nodes come with the data
  studie: null, // the study shown last
};

// The node kinds, from the module's table of node kinds: number -> title,
// number -> code in file names.
export const ARTEN = {};
export const ARTKUERZEL = {};

// The legend of the rounding mark, in the main table as in the study's.
export const RUNDUNG_LEGENDE = '* Rundung überwiegt: die Newton-Form weicht vom stabil (baryzentrisch) ausgewerteten ' +
  'Polynom derselben Stützstellen um mehr als dessen Fehler ab.';

// Counts an event in the page's dataset (passes, failures, ...), where the
// tests read it.
export function zaehlen(name) {
  document.body.dataset[name] = String(Number(document.body.dataset[name] || 0) + 1);
}
