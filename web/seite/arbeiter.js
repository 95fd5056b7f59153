// The module, in workers: the library runs in Web Workers (rechner.js),
// each with its own instance of the module compiled once here: one for the
// main view's passes, one for the study, one for loading, formulas and
// downloads.  A request is named and carries plain data; a run can be
// cancelled by ending its worker, and a fresh one takes the next request.
// A failure of the library ends only the request: the worker keeps its
// instance.
import { $, zustand } from './zustand.js';

export const bib = {
  kompiliert: null,
  starts: 0,
  daten: null, // {bytes, nr} of the user's text, sent to each worker once
  datenNr: 0,
};

export async function modulKompilieren() {
  try {
    return await WebAssembly.compileStreaming(fetch('numerik.wasm'));
  } catch (e) {
    // A server that does not send application/wasm.
    const antwort = await fetch('numerik.wasm');
    return WebAssembly.compile(await antwort.arrayBuffer());
  }
}

class Rechner {
  constructor() {
    this.worker = null;
    this.offen = new Map(); // id -> {fertig, fortschritt}
    this.id = 0;
  }

  starten() {
    this.worker = new Worker('rechner.js');
    this.worker.onmessage = (e) => this.antwort(e.data);
    // A fault of the worker script itself: every open request fails.
    this.worker.onerror = (e) => {
      e.preventDefault();
      this.beenden({ fehler: `Interner Fehler der Seite: ${e.message}` });
      console.error(e.message);
    };
    this.worker.postMessage({ art: 'modul', modul: bib.kompiliert });
    this.datenNr = 0;
  }

  // Request art with the fields of felder: {wert} or {fehler}, with the
  // library's lines in hinweise, or {abgebrochen: true}.
  fragen(art, felder = {}, fortschritt = null) {
    if (this.worker === null) this.starten();
    const id = ++this.id;
    // The data's bytes go to a worker once; then their number says which.
    let daten = bib.daten;
    if (daten !== null && daten.nr === this.datenNr) daten = { nr: daten.nr };
    else if (daten !== null) this.datenNr = daten.nr;
    return new Promise((fertig) => {
      this.offen.set(id, { fertig, fortschritt });
      this.worker.postMessage({ formel: zustand.quelle === 'formel' ? zustand.formel : null, daten,
        ...felder, art, id });
    });
  }

  antwort(m) {
    if (m.gestartet) {
      bib.starts += 1;
      document.body.dataset.modulstarts = String(bib.starts);
      return;
    }
    const o = this.offen.get(m.id);
    if (o === undefined) return;
    if (m.fortschritt) {
      if (o.fortschritt) o.fortschritt(m.fortschritt);
      return;
    }
    this.offen.delete(m.id);
    o.fertig(m);
  }

  beenden(antwort) {
    if (this.worker !== null) this.worker.terminate();
    this.worker = null;
    const offen = [...this.offen.values()];
    this.offen.clear();
    for (const o of offen) o.fertig({ ...antwort, hinweise: [] });
  }

  // Ends the run in progress; the next request starts a fresh worker.
  abbrechen() {
    this.beenden({ abgebrochen: true });
  }
}

export const rechner = { bild: new Rechner(), studie: new Rechner(), neben: new Rechner() };

// A fresh instance for the main view, ready when this resolves.
export async function modulStarten() {
  rechner.bild.abbrechen();
  await rechner.bild.fragen('bereit');
}

// Shows progress of a run that takes longer than FORTSCHRITT_AB ms in the
// box id (with its text and bar) and lets the user cancel it.
const FORTSCHRITT_AB = 300;
export function fortschrittBeginnen(id, was) {
  const box = $(id);
  const zeigen = (f) => {
    $(`${id}_text`).textContent = `Rechnet: ${f.was} …`;
    const balken = $(`${id}_balken`);
    if (f.anteil === undefined) balken.removeAttribute('value'); else balken.value = f.anteil;
  };
  let letzter = { was };
  const uhr = setTimeout(() => {
    box.hidden = false;
    zeigen(letzter);
  }, FORTSCHRITT_AB);
  return {
    melden: (f) => {
      letzter = f;
      if (!box.hidden) zeigen(f);
    },
    ende: () => {
      clearTimeout(uhr);
      box.hidden = true;
    },
  };
}
