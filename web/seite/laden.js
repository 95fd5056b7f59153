// Loading the user's text (a value file or an interpolation text, pasted
// or opened) and taking the user's formula, each through the module's
// loaders in the side worker; and which controls apply to what is loaded.
import { $, zustand, zaehlen } from './zustand.js';
import { bib, rechner, fortschrittBeginnen } from './arbeiter.js';
import { wahl } from './wahl.js';
import { strichStil } from './zeichnen.js';
import { meldungZeigen } from './tabelle.js';
import { aktualisieren } from './durchlauf.js';
import { studieAktualisieren } from './studie.js';

// The methods a value file takes: those without f'' at the ends, on given
// nodes.
const datenVerfahren = () => zustand.verfahren.filter((v) => !v.abl2 && (v.arten & (1 << Number(zustand.gegeben))) !== 0);

// undefined when the first method for own data can be made over the
// value file loaded last, else the library's message.  The module checks
// as creation would, without making the form (sorting: O(n log n)).
async function datenPruefen() {
  const v = datenVerfahren()[0];
  if (v === undefined) return 'Kein Verfahren für eigene Daten.';
  const r = await rechner.neben.fragen('pruefen', { k: v.k });
  return r.abgebrochen ? null : r.fehler;
}

// The library's messages about loaded data, said plainly for the user;
// the library's own text stays beside it.
const KLARTEXTE = [
  [/^Zeile (\d+): "(.*)" hat ein Dezimalkomma/, (m) => `Zeile ${m[1]}: „${m[2]}“ hat ein Dezimalkomma. Bitte Zahlen mit Punkt schreiben (0.5 statt 0,5).`],
  [/^Zeile (\d+): (\d+) Werte statt zwei, durch Kommas/, (m) => `Zeile ${m[1]}: ${m[2]} Werte statt zwei. Steht dort ein Dezimalkomma? Bitte Zahlen mit Punkt schreiben (0.5 statt 0,5).`],
  [/^Zeile (\d+): (\d+) Werte statt zwei/, (m) => `Zeile ${m[1]}: ${m[2]} Werte statt zwei. Jede Zeile braucht genau ein x und ein y.`],
  [/^Zeile (\d+): "(.*)" ist keine Zahl/, (m) => `Zeile ${m[1]}: „${m[2]}“ ist keine Zahl.`],
  [/^Keine Datenzeilen/, () => 'Im Text stehen keine Datenzeilen. Erwartet werden zwei Spalten x und y oder ein Text der Bibliothek.'],
  [/Stuetzwert y\((\d+)\) ist keine endliche Zahl/, (m) => `Der ${m[1]}. y-Wert ist keine endliche Zahl.`],
  [/Stuetzstelle x\((\d+)\) ist keine endliche Zahl/, (m) => `Der ${m[1]}. x-Wert ist keine endliche Zahl.`],
  [/Stuetzstellen x\((\d+)\) und x\((\d+)\) gleich/, (m) => `Der ${m[1]}. und der ${m[2]}. x-Wert sind gleich: an einer Stelle kann es nur einen Wert geben.`],
  [/Stuetzstellen x\((\d+)\) und x\((\d+)\) liegen zu dicht/, (m) => `Der ${m[1]}. und der ${m[2]}. x-Wert liegen zu dicht beieinander.`],
  [/inkompatibel/, () => 'Es sind nicht gleich viele x- wie y-Werte.'],
  [/mindestens ein Stuetzwert|Zu wening Stuetzstellen/, () => 'Es sind zu wenige Punkte.'],
  [/erwartet\.?$/m, () => 'Der Text ist weder eine Tabelle aus zwei Spalten noch ein Text der Bibliothek.'],
];
export function klartext(meldung) {
  for (const [muster, text] of KLARTEXTE) {
    const m = meldung.match(muster);
    if (m) return text(m);
  }
  return 'Die Daten können nicht geladen werden.';
}

// Whether a load is running (the cancel button then ends it).
let laedt = false;
export const laedtGerade = () => laedt;

export async function datenLaden(bytes, herkunft) {
  const vorher = bib.daten;
  bib.daten = { bytes, nr: ++bib.datenNr };
  const fortschritt = fortschrittBeginnen('fortschritt', `Laden (${herkunft})`);
  laedt = true;
  let r;
  try {
    r = await rechner.neben.fragen('laden');
    if (r.wert) {
      const d = r.wert;
      d.info = d.art === 1 ? `${d.typ} „${d.name}“, ${d.knoten} Stützstellen`
        : `${d.spalten ? 'Tabelle aus zwei Spalten' : 'Wertedatei'}, ${d.punkte} Punkte`;
      zustand.datenN = d.art === 1 ? d.knoten - 1 : d.punkte - 1;
    }
    // A value file counts as loaded when the Newton form, the method that
    // takes the fewest points and any distinct nodes, can be made over it;
    // otherwise (values or points that are not finite numbers, not as many
    // X as Y values, no points) the load is refused with its message from
    // the library.
    if (r.fehler === undefined && !r.abgebrochen && r.wert.art === 2) {
      fortschritt.melden({ was: `Prüfen, ${r.wert.punkte} Punkte` });
      const fehler = await datenPruefen();
      if (fehler === null) r = { abgebrochen: true };
      else if (fehler !== undefined) r.fehler = fehler;
    }
  } finally {
    laedt = false;
    fortschritt.ende();
  }
  if (r.abgebrochen || r.fehler !== undefined) {
    bib.daten = vorher;
    const bleibt = vorher ? 'Die vorigen Daten bleiben geladen.' : 'Keine Daten geladen.';
    if (r.abgebrochen) {
      $('datenstand').textContent = `Laden abgebrochen. ${bleibt}`;
      zaehlen('ladeabbrueche');
      return false;
    }
    meldungZeigen([{ wo: `Laden (${herkunft})`, klartext: klartext(r.fehler), text: r.fehler }]);
    $('datenstand').textContent = bleibt;
    zaehlen('ladefehler');
    return false;
  }
  zustand.datenArt = r.wert.art;
  zustand.geladenStil = r.wert.stil || null;
  zustand.datenInfo = `${r.wert.info}, n = ${zustand.datenN} (${herkunft})`;
  zustand.bestaetigt = [];
  $('datenstand').textContent = `Geladen: ${zustand.datenInfo}`;
  $('titel_funktion').textContent = `Eigene Daten: ${zustand.datenInfo}`;
  steuerungAnpassen();
  await Promise.all([aktualisieren(), studieAktualisieren()]);
  return true;
}

// A new formula or bound: the module reads it and tries it where the pass
// will ask for it; refused, the message stands at the field and the
// picture of the last formula it took stays.
export async function formelAendern() {
  const meldung = $('formel_meldung');
  const a = Number($('formel_a').value.trim());
  const b = Number($('formel_b').value.trim());
  let fehler;
  if ($('formel_a').value.trim() === '' || !Number.isFinite(a)) fehler = 'A ist keine endliche Zahl.';
  else if ($('formel_b').value.trim() === '' || !Number.isFinite(b)) fehler = 'B ist keine endliche Zahl.';
  const neu = { text: $('formel').value, a, b, nr: zustand.formel.nr + 1 };
  if (fehler === undefined) {
    const w = wahl();
    const r = await rechner.neben.fragen('formel', { neu, probe: { punkte: w.punkte, art: w.art, n: w.n } });
    if (r.fehler !== undefined) fehler = r.fehler.replace(/\n+$/, '');
  }
  $('formel').setAttribute('aria-invalid', fehler === undefined ? 'false' : 'true');
  if (fehler !== undefined) {
    meldung.textContent = fehler;
    meldung.hidden = false;
    zaehlen('formelfehler');
    return false;
  }
  meldung.hidden = true;
  meldung.textContent = '';
  zustand.formel = neu;
  await Promise.all([aktualisieren(), studieAktualisieren()]);
  return true;
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
    $(`farbe_${v.schluessel}`).style.borderLeftStyle = strichStil(v.stile[art].dash);
    const feld = $(`verfahren_${v.schluessel}`);
    feld.disabled = interpolation || (daten && v.abl2) || (v.arten & (1 << art)) === 0;
    feld.parentElement.title = v.abl2 ? 'nur für Beispielfunktionen: ihre Ableitungen an den Enden sind bekannt' : '';
  }
  $('n_regler').disabled = daten;
  $('n').disabled = daten;
  $('n_daten').hidden = !daten;
  $('n_daten').textContent = werte || interpolation ? 'n ergibt sich aus den Daten.' : '';
}
