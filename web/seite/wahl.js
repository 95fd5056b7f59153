// The choices: n from the slider and the field, the measuring points, the
// methods and node kind as the page takes them for a pass, and the texts
// that name the chosen problem.
import { $, zustand } from './zustand.js';

// The methods, their titles and their styles come from the module's
// table of methods.  Its titles are ASCII; shown with their umlauts and
// f'' as f″.
const UMLAUTE = { aequidistant: 'äquidistant', natuerlicher: 'natürlicher' };
export const mitUmlauten = (t) => t.replace(/[A-Za-z]+/g, (w) => UMLAUTE[w] || w).replace(/''/g, '″');
// The interpolation of a loaded text, in the place of a method; drawn in
// the style of its class's first method (set when it is loaded).
export const GELADEN = { k: -1, schluessel: 'geladen', titel: 'geladene Interpolation', arten: ~0, abl2: false };
const N_MIN = 1;
const N_MAX = 10000;
// The names the examples go by beside their formulas.
export const BEINAMEN = { 4: 'Runge-Funktion' };

// The slider: positions 0..99 are n = 1..100 one by one, 99..300 grow
// geometrically to 10^4, so that both small n and 10^4 are in reach.
export function nAusRegler(p) {
  if (p <= 99) return p + 1;
  return Math.round(100 * Math.pow(100, (p - 99) / 201));
}
export function reglerAusN(n) {
  if (n <= 100) return n - 1;
  return 99 + Math.round((201 * Math.log(n / 100)) / Math.log(100));
}
// Puts the slider at n, and tells a screen reader n rather than the
// slider's position (300 for n = 10^4).
export function reglerSetzen(n) {
  const regler = $('n_regler');
  regler.value = String(reglerAusN(n));
  regler.setAttribute('aria-valuetext', `n = ${n}`);
}

// The n typed into the field: a whole number from N_MIN to N_MAX, written
// in digits only; {n} or {fehler: what is wrong}.  Nothing is rounded or
// moved into range: what was typed is taken as it is or refused.
export function nLesen(t) {
  const wort = t.trim();
  if (wort === '') return { fehler: 'Bitte n eingeben (eine ganze Zahl).' };
  if (!/^[+-]?[0-9]+$/.test(wort)) return { fehler: `n = ${wort} ist keine ganze Zahl.` };
  const n = Number(wort);
  if (n < N_MIN) return { fehler: `n muss mindestens ${N_MIN} sein.` };
  if (n > N_MAX) return { fehler: `n darf höchstens ${N_MAX} sein.` };
  return { n };
}

export function wahl() {
  const art = Number(document.querySelector('input[name="art"]:checked').value);
  const verfahren = zustand.verfahren.filter((v) => $(`verfahren_${v.schluessel}`).checked);
  const n = zustand.n;
  // The measuring points follow n (ten steps per node interval, at least
  // 1001 points: fehlerstudie's grid without -g) until the user sets them.
  let punkte = zustand.punkteFest ? Math.round(Number($('punkte').value)) : Math.max(1001, 10 * n + 1);
  if (!(punkte >= 1001)) punkte = 1001;
  if (punkte > 100001) punkte = 100001;
  if (!zustand.punkteFest) $('punkte').value = String(punkte);
  return {
    quelle: zustand.quelle,
    // 0: the user's function (FORMEL_PROBLEM of the module); for own data unused.
    m: zustand.quelle === 'daten' || zustand.quelle === 'formel' ? 0 : zustand.quelle,
    art,
    n,
    verfahren,
    punkte,
    voll: $('voll').checked,
  };
}

// The text of problem m for titles: the example's formula (and the name
// it goes by), or the user's formula.
export function problemTitel(m) {
  if (m === 0) return `Eigene Funktion: f(x) = ${zustand.formel.text} auf [${zustand.formel.a},${zustand.formel.b}]`;
  const b = zustand.beispiele[m - 1];
  const beiname = BEINAMEN[m] ? ` (${BEINAMEN[m]})` : '';
  return `Beispielfunktion ${m}: f(x) = ${b.formel}${beiname} auf [${b.a},${b.b}]`;
}
// The function as fehlerstudie, beispielwerte and splineerzeuger take it:
// m, or -f with the formula (quoted for the shell) and its interval.
export function problemArgumente(m) {
  if (m !== 0) return { schalter: '', args: String(m) };
  const f = zustand.formel;
  return { schalter: ' -f', args: `'${f.text.replace(/'/g, "'\\''")}' ${f.a} ${f.b}` };
}
