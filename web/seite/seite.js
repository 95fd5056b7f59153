// The page over the library: it reads the user's choices, asks the module
// (numerik.js / numerik.wasm, the library compiled with em++) for every
// number, and draws what comes back with uPlot.  No number shown here is
// computed in JavaScript; the page only moves arrays, picks axis ranges and
// formats axis ticks.
//
// This module starts the page: it builds the choices from the module's
// tables and connects the controls.  The page's parts, each a module:
//   zustand.js           the shared state and constants
//   arbeiter.js          the module in workers (rechner.js is the worker)
//   wahl.js              the choices
//   zeichnen.js          drawing
//   tabelle.js           the table, messages and downloads
//   durchlauf.js         one pass: compute everything for the current choice and draw it
//   studie.js            the convergence study, drawn from the library's befund
//   warum.js             the theory's verdicts, the complex plane and |a_k| beside the study
//   laden.js             loading the user's text
//   abspielen.js         playing n
//   einstellungen.js     the settings in the address and the browser's storage
//   bilddatei.js         each plot as CSV and SVG
import { $, zustand, ARTEN, ARTKUERZEL, zaehlen } from './zustand.js';
import { bib, rechner, modulKompilieren, modulStarten } from './arbeiter.js';
import { mitUmlauten, BEINAMEN, nAusRegler, reglerSetzen, nLesen, wahl } from './wahl.js';
import { bilder, bildBreite } from './zeichnen.js';
import { bildSvg, bildCsv } from './bilddatei.js';
import { herunterladen } from './tabelle.js';
import { aktualisieren } from './durchlauf.js';
import { studienBild, studieAktualisieren } from './studie.js';
import { datenLaden, formelAendern, steuerungAnpassen, laedtGerade } from './laden.js';
import { abspielen } from './abspielen.js';
import { einstellungenAnwenden, einstellungenMerken } from './einstellungen.js';

const TEXTFELD_MAX = 200000; // bytes of data the text box shows

const BILDNAMEN = { funktion: 'Bild der Funktion', fehler: 'Bild des Fehlers', lebesgue: 'Bild der Lebesgue-Funktion' };

// Data to try the box with: a day's temperatures, every three hours.
const BEISPIELDATEN = `# Temperatur im Lauf eines Tages
Stunde;Grad Celsius
0;11.2
3;9.8
6;10.5
9;15.1
12;19.6
15;21.3
18;17.9
21;13.4
24;11.0
`;

// On a phone the settings fold away above the plots; the n row stays.
function steuerungKlappen(zu) {
  $('steuerung').classList.toggle('zu', zu);
  $('steuerung_knopf').setAttribute('aria-expanded', String(!zu));
  $('steuerung_knopf').textContent = zu ? 'Einstellungen zeigen' : 'Einstellungen ausblenden';
}

async function start() {
  $('steuerung_knopf').addEventListener('click',
    () => steuerungKlappen(!$('steuerung').classList.contains('zu')));
  // On a phone the settings and the introduction start folded, and fold
  // when the window becomes that narrow.
  const telefon = window.matchMedia('(max-width: 600px)');
  const anpassen = (schmal) => {
    steuerungKlappen(schmal);
    $('einleitung').open = !schmal;
  };
  anpassen(telefon.matches);
  telefon.addEventListener('change', (e) => anpassen(e.matches));
  bib.kompiliert = await modulKompilieren();
  const r = await rechner.bild.fragen('tabellen');
  if (r.wert === undefined) throw new Error(r.fehler);
  const tabellen = r.wert;
  zustand.beispiele.push(...tabellen.beispiele);
  // The choice of nodes: the placed kinds in table order, the first
  // checked, then the kind of given nodes, shown only for own data.
  const knotenwahl = $('knotenwahl');
  const gespeichert = [];
  for (const art of tabellen.arten) {
    const nummer = art.nummer;
    ARTEN[nummer] = art.anzeige;
    ARTKUERZEL[nummer] = art.kuerzel;
    const label = document.createElement('label');
    const ein = document.createElement('input');
    ein.type = 'radio';
    ein.name = 'art';
    ein.value = nummer;
    label.append(ein, ` ${ARTEN[nummer]}`);
    if (art.gespeichert) {
      zustand.gegeben = nummer;
      label.id = 'art_gegeben';
      label.hidden = true;
      label.append(' (aus den Daten)');
      gespeichert.push(label);
    } else {
      ein.checked = knotenwahl.querySelector('input[name="art"]') === null;
      knotenwahl.append(label);
    }
  }
  knotenwahl.append(...gespeichert);
  for (const v of tabellen.verfahren) zustand.verfahren.push({ ...v, titel: mitUmlauten(v.titel) });

  const quelle = $('quelle');
  // Each example as its formula, with its interval and name.
  for (const b of zustand.beispiele) {
    const beiname = BEINAMEN[b.m] ? ` (${BEINAMEN[b.m]})` : '';
    quelle.add(new Option(`${b.m}: f(x) = ${b.formel}${beiname} auf [${b.a},${b.b}] – ${b.name}`, String(b.m)));
  }
  quelle.add(new Option('Eigene Funktion', 'formel'));
  quelle.add(new Option('Eigene Daten', 'daten'));
  $('formel').value = zustand.formel.text;
  $('formel_a').value = String(zustand.formel.a);
  $('formel_b').value = String(zustand.formel.b);
  for (const id of ['formel', 'formel_a', 'formel_b']) $(id).addEventListener('change', formelAendern);
  quelle.value = String(zustand.quelle);

  const box = $('verfahren');
  for (const v of zustand.verfahren) {
    const label = document.createElement('label');
    const ein = document.createElement('input');
    ein.type = 'checkbox';
    ein.id = `verfahren_${v.schluessel}`;
    ein.checked = v.schluessel === 'newton' || v.schluessel === 'natuerlich';
    ein.addEventListener('change', aktualisieren);
    const marke = document.createElement('span');
    marke.className = 'farbmarke';
    marke.id = `farbe_${v.schluessel}`;
    marke.textContent = v.titel;
    label.append(ein, ' ', marke);
    box.append(label);
  }

  // The chosen source in full (a long example is cut in the list's box),
  // and the methods' count on their folded list.
  const quelleText = () => { $('quelle_text').textContent = quelle.selectedOptions[0] ? quelle.selectedOptions[0].text : ''; };
  quelleText();
  const verfahrenSumme = () => {
    const an = zustand.verfahren.filter((v) => $(`verfahren_${v.schluessel}`).checked).map((v) => v.titel);
    $('verfahren_summe').textContent = `${an.length} gewählt${an.length > 0 ? `: ${an.join(', ')}` : ''}`;
  };
  verfahrenSumme();
  box.addEventListener('change', verfahrenSumme);
  quelle.addEventListener('change', quelleText);
  quelle.addEventListener('change', () => {
    zustand.quelle = quelle.value === 'daten' || quelle.value === 'formel' ? quelle.value : Number(quelle.value);
    steuerungAnpassen();
    aktualisieren();
    studieAktualisieren();
  });
  for (const r of document.querySelectorAll('input[name="art"]')) {
    r.addEventListener('change', () => {
      steuerungAnpassen();
      aktualisieren();
    });
  }

  const regler = $('n_regler');
  const nFeld = $('n');
  nFeld.value = String(zustand.n);
  reglerSetzen(zustand.n);
  // The field computes when it is left or Enter is pressed (its change
  // event), not on each key: "2" on the way to "25" is no choice.  What
  // it cannot take is said at the field; the last picture stays.
  const nMeldung = $('n_meldung');
  const nUebernehmen = () => {
    const r = nLesen(nFeld.value);
    nMeldung.hidden = r.fehler === undefined;
    nMeldung.textContent = r.fehler || '';
    nFeld.setAttribute('aria-invalid', r.fehler === undefined ? 'false' : 'true');
    if (r.fehler !== undefined) {
      zaehlen('nfehler');
      return;
    }
    if (r.n === zustand.n) return;
    zustand.n = r.n;
    reglerSetzen(r.n);
    aktualisieren();
  };
  regler.addEventListener('input', () => {
    zustand.n = nAusRegler(Number(regler.value));
    regler.setAttribute('aria-valuetext', `n = ${zustand.n}`);
    nFeld.value = String(zustand.n);
    nMeldung.hidden = true;
    nFeld.setAttribute('aria-invalid', 'false');
    aktualisieren();
  });
  nFeld.addEventListener('change', nUebernehmen);
  nFeld.addEventListener('keydown', (e) => { if (e.key === 'Enter') nUebernehmen(); });
  $('punkte').addEventListener('change', () => {
    zustand.punkteFest = true;
    $('punkte').value = String(wahl().punkte); // the number used, within its bounds
    aktualisieren();
    studieAktualisieren();
  });

  // A text box holding megabytes costs the browser a tenth of a second
  // at every frame it paints: a text too large to show (as an opened
  // file) leaves the box while it loads, and comes back only if it is
  // refused.
  $('laden').addEventListener('click', async () => {
    const feld = $('datentext');
    const text = feld.value;
    const bytes = new TextEncoder().encode(text);
    const gross = bytes.length > TEXTFELD_MAX;
    const platzhalter = feld.placeholder;
    if (gross) {
      feld.value = '';
      feld.placeholder = `(eingefügter Text, ${bytes.length} Bytes: zu groß zum Zeigen)`;
    }
    const geladen = await datenLaden(bytes, 'eingefügter Text');
    if (gross) {
      feld.placeholder = platzhalter;
      if (!geladen) feld.value = text;
    }
  });
  $('beispieldaten').addEventListener('click', () => {
    $('datentext').value = BEISPIELDATEN;
    $('laden').click();
  });
  $('datei').addEventListener('change', async () => {
    const datei = $('datei').files[0];
    if (!datei) return;
    const bytes = new Uint8Array(await datei.arrayBuffer());
    // Small files also show in the text box, for editing.
    if (bytes.length <= TEXTFELD_MAX) $('datentext').value = new TextDecoder().decode(bytes);
    $('datei').value = '';
    await datenLaden(bytes, datei.name);
  });

  // Cancel ends the worker; the last finished picture stays.
  $('abbrechen').addEventListener('click', () => (laedtGerade() ? rechner.neben : rechner.bild).abbrechen());
  $('studie_abbrechen').addEventListener('click', () => rechner.studie.abbrechen());
  $('abspielen').addEventListener('click', abspielen);

  $('studie_rechnen').addEventListener('click', studieAktualisieren);
  $('studie_n').addEventListener('change', studieAktualisieren);
  $('studie_n').addEventListener('keydown', (e) => { if (e.key === 'Enter') studieAktualisieren(); });
  $('studie_wahl').addEventListener('change', studieAktualisieren);
  $('studie_bis1024').addEventListener('click', () => {
    $('studie_n').value = '2 4 8 16 32 64 128 256 512 1024';
    studieAktualisieren();
  });
  $('studie_laden').addEventListener('click', () => {
    if (zustand.studie) {
      herunterladen(`fehlerstudie_${zustand.studie.m}.txt`, new TextEncoder().encode(zustand.studie.text));
    }
  });

  $('voll').addEventListener('change', einstellungenMerken);
  // Each plot as a picture (PNG of its canvas, SVG drawn anew) and its
  // data (CSV), named after the plot and the problem.
  for (const zeile of document.querySelectorAll('.bildknoepfe')) {
    const name = zeile.dataset.bild;
    for (const k of zeile.querySelectorAll('button')) {
      k.setAttribute('aria-label', `${k.textContent}: ${BILDNAMEN[name]}`);
      k.addEventListener('click', () => {
        const u = bilder[name];
        if (!u) return;
        const stamm = `${name}_${document.body.dataset.n ? `n${document.body.dataset.n}` : 'bild'}`;
        if (k.textContent === 'PNG') u.ctx.canvas.toBlob((b) => herunterladen(`${stamm}.png`, b, 'image/png'));
        else if (k.textContent === 'SVG') herunterladen(`${stamm}.svg`, new TextEncoder().encode(bildSvg(u)), 'image/svg+xml');
        else herunterladen(`${stamm}.csv`, new TextEncoder().encode(bildCsv(name)), 'text/csv');
      });
    }
  }

  // The settings of a shared link or of the last visit; a formula among
  // them is read by the module as one typed in (refused, the page starts
  // with its own).
  const formelLesen = einstellungenAnwenden();
  quelleText();
  verfahrenSumme();
  steuerungAnpassen();
  $('laden_hinweis').hidden = true;
  $('seite').hidden = false;
  if (!formelLesen || !(await formelAendern())) await Promise.all([aktualisieren(), studieAktualisieren()]);
  document.body.dataset.bereit = '1';
}

// Every plot follows the width of the window.
window.addEventListener('resize', () => {
  for (const [bild, id] of [[bilder.funktion, 'bild_funktion'], [bilder.fehler, 'bild_fehler'],
    [bilder.lebesgue, 'bild_lebesgue'], [studienBild.plot, 'bild_studie']])
    if (bild) bild.setSize({ width: bildBreite($(id)), height: bild.height });
});

// For the tests and for measuring: the functions behind the page.
window.numerikSeite = { aktualisieren, modulStarten, bib, bilder, studienBild, zustand };

start().catch((e) => {
  console.error(e);
  $('laden_hinweis').textContent = `Die Bibliothek konnte nicht geladen werden: ${e && e.message ? e.message : e}`;
  $('laden_hinweis').className = 'meldung';
});
