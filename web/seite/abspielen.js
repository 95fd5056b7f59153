// Playing n: n steps from the start to the end the user set (1 to 60 at
// first), one step at the chosen pace or when the previous picture is
// drawn, whichever is later; pressing again stops.  Bounds that are no
// whole numbers from 1 to 10^4 fall back to 1 and 60.
import { $, zustand } from './zustand.js';
import { reglerSetzen, nLesen } from './wahl.js';
import { aktualisieren, laeuftGerade } from './durchlauf.js';

const VON = 1;
const BIS = 60;
let spielt = false;

function grenzen() {
  const von = nLesen($('abspielen_von').value).n || VON;
  const bis = nLesen($('abspielen_bis').value).n || BIS;
  return von <= bis ? [von, bis] : [VON, BIS];
}

export async function abspielen() {
  const knopf = $('abspielen');
  if (spielt) {
    spielt = false;
    return;
  }
  spielt = true;
  knopf.setAttribute('aria-pressed', 'true');
  knopf.textContent = 'Anhalten';
  const [von, bis] = grenzen();
  const takt = Number($('abspielen_tempo').value) || 400;
  try {
    const erstes = zustand.n >= von && zustand.n < bis ? zustand.n + 1 : von;
    for (let n = erstes; spielt && n <= bis; ++n) {
      zustand.n = n;
      reglerSetzen(n);
      $('n').value = String(n);
      $('n_meldung').hidden = true;
      await Promise.all([aktualisieren(), new Promise((r) => setTimeout(r, takt))]);
      // A pass already running takes the new n after its end: wait for it.
      while (spielt && laeuftGerade()) await new Promise((r) => setTimeout(r, 20));
    }
  } finally {
    spielt = false;
    knopf.setAttribute('aria-pressed', 'false');
    knopf.textContent = 'Abspielen';
  }
}
