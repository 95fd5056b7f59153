// Playing n: n steps through 1..ABSPIELEN_BIS, one step every ABSPIELEN_MS
// or when the previous picture is drawn, whichever is later; pressing
// again stops.
import { $, zustand } from './zustand.js';
import { reglerSetzen } from './wahl.js';
import { aktualisieren, laeuftGerade } from './durchlauf.js';

const ABSPIELEN_BIS = 60;
const ABSPIELEN_MS = 400;
let spielt = false;

export async function abspielen() {
  const knopf = $('abspielen');
  if (spielt) {
    spielt = false;
    return;
  }
  spielt = true;
  knopf.setAttribute('aria-pressed', 'true');
  knopf.textContent = 'Anhalten';
  try {
    for (let n = zustand.n >= ABSPIELEN_BIS ? 1 : zustand.n + 1; spielt && n <= ABSPIELEN_BIS; ++n) {
      zustand.n = n;
      reglerSetzen(n);
      $('n').value = String(n);
      $('n_meldung').hidden = true;
      await Promise.all([aktualisieren(), new Promise((r) => setTimeout(r, ABSPIELEN_MS))]);
      // A pass already running takes the new n after its end: wait for it.
      while (spielt && laeuftGerade()) await new Promise((r) => setTimeout(r, 20));
    }
  } finally {
    spielt = false;
    knopf.setAttribute('aria-pressed', 'false');
    knopf.textContent = 'Abspielen';
  }
}
