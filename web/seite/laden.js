// Loading the user's text (a value file or an interpolation text, pasted
// or opened) and taking the user's formula, each through the module's
// loaders in the side worker; and which controls apply to what is loaded.
import { $, zustand, zaehlen } from './zustand.js';
import { bib, rechner } from './arbeiter.js';
import { meldungZeigen } from './tabelle.js';
import { aktualisieren } from './durchlauf.js';
import { studieAktualisieren } from './studie.js';

// The methods a value file takes: those without f'' at the ends, on given
// nodes.
const datenVerfahren = () => zustand.verfahren.filter((v) => !v.abl2 && (v.arten & (1 << Number(zustand.gegeben))) !== 0);

// undefined when the first method for own data can be made over the
// value file loaded last, else the library's message.
async function datenPruefen() {
  const v = datenVerfahren()[0];
  if (v === undefined) return 'Kein Verfahren für eigene Daten.';
  const r = await rechner.neben.fragen('pruefen', { k: v.k });
  return r.fehler;
}

export async function datenLaden(bytes, herkunft) {
  const vorher = bib.daten;
  bib.daten = { bytes, nr: ++bib.datenNr };
  const r = await rechner.neben.fragen('laden');
  if (r.wert) {
    const d = r.wert;
    d.info = d.art === 1 ? `${d.typ} „${d.name}“, ${d.knoten} Stützstellen` : `Wertedatei, ${d.punkte} Punkte`;
  }
  // A value file counts as loaded when the Newton form, the method that
  // takes the fewest points and any distinct nodes, can be made over it;
  // otherwise (values or points that are not finite numbers, not as many
  // X as Y values, no points) the load is refused with its message from
  // the library.
  if (r.fehler === undefined && r.wert.art === 2) {
    const fehler = await datenPruefen();
    if (fehler !== undefined) r.fehler = fehler;
  }
  if (r.fehler !== undefined) {
    bib.daten = vorher;
    meldungZeigen([{ wo: `Laden (${herkunft})`, text: r.fehler }]);
    $('datenstand').textContent = vorher ? 'Die vorigen Daten bleiben geladen.' : 'Keine Daten geladen.';
    zaehlen('ladefehler');
    return false;
  }
  zustand.datenArt = r.wert.art;
  zustand.geladenStil = r.wert.stil || null;
  zustand.datenInfo = `${r.wert.info} (${herkunft})`;
  $('datenstand').textContent = `Geladen: ${zustand.datenInfo}`;
  steuerungAnpassen();
  await aktualisieren();
  return true;
}

// A new formula or bound: the module reads it; refused, the message stands
// at the field and the picture of the last formula it took stays.
export async function formelAendern() {
  const meldung = $('formel_meldung');
  const a = Number($('formel_a').value.trim());
  const b = Number($('formel_b').value.trim());
  let fehler;
  if ($('formel_a').value.trim() === '' || !Number.isFinite(a)) fehler = 'A ist keine endliche Zahl.';
  else if ($('formel_b').value.trim() === '' || !Number.isFinite(b)) fehler = 'B ist keine endliche Zahl.';
  const neu = { text: $('formel').value, a, b, nr: zustand.formel.nr + 1 };
  if (fehler === undefined) {
    const r = await rechner.neben.fragen('formel', { neu });
    if (r.fehler !== undefined) fehler = r.fehler.replace(/\n+$/, '');
  }
  if (fehler !== undefined) {
    meldung.textContent = fehler;
    meldung.hidden = false;
    zaehlen('formelfehler');
    return;
  }
  meldung.hidden = true;
  meldung.textContent = '';
  zustand.formel = neu;
  aktualisieren();
  studieAktualisieren();
}

// Which controls apply: an example takes node kind, methods and n; a value
// file takes methods (its points are the nodes); an interpolation text is
// drawn as it is.
export function steuerungAnpassen() {
  const daten = zustand.quelle === 'daten';
  $('datenbereich').hidden = !daten;
  $('formelbereich').hidden = zustand.quelle !== 'formel';
  const werte = daten && zustand.datenArt === 2;
  const interpolation = daten && zustand.datenArt === 1;
  $('art_gegeben').hidden = !daten;
  for (const r of document.querySelectorAll('input[name="art"]')) {
    r.disabled = daten ? r.value !== zustand.gegeben : r.value === zustand.gegeben;
  }
  const gewaehlt = document.querySelector('input[name="art"]:checked').value;
  const erste = document.querySelector(`input[name="art"]:not([value="${zustand.gegeben}"])`).value;
  const gesucht = daten ? zustand.gegeben : (gewaehlt === zustand.gegeben ? erste : gewaehlt);
  document.querySelector(`input[name="art"][value="${gesucht}"]`).checked = true;
  const art = Number(gesucht);
  for (const v of zustand.verfahren) {
    $(`farbe_${v.schluessel}`).style.borderColor = v.stile[art].farbe;
    const feld = $(`verfahren_${v.schluessel}`);
    feld.disabled = interpolation || (daten && v.abl2) || (v.arten & (1 << art)) === 0;
    feld.parentElement.title = v.abl2 ? 'nur für Beispielfunktionen: ihre Ableitungen an den Enden sind bekannt' : '';
  }
  $('n_regler').disabled = daten;
  $('n').disabled = daten;
  $('n_daten').hidden = !daten;
  $('n_daten').textContent = werte || interpolation ? 'n ergibt sich aus den Daten.' : '';
}
