// The settings in the address (a link reproduces the picture) and in the
// browser's storage (a reload keeps them): the source, node kind, methods,
// n, measuring points, the formula, the study's n and columns, the number
// form of the files.  The address wins over the storage; what does not fit
// a control is left at the page's default.
import { $, zustand } from './zustand.js';
import { reglerSetzen, nLesen } from './wahl.js';

const SPEICHER = 'numerik-seite';

// The settings as they stand, as URLSearchParams.
function jetzt() {
  const e = new URLSearchParams();
  e.set('q', String(zustand.quelle));
  e.set('art', document.querySelector('input[name="art"]:checked').value);
  e.set('v', zustand.verfahren.filter((v) => $(`verfahren_${v.schluessel}`).checked).map((v) => v.schluessel).join(','));
  e.set('n', String(zustand.n));
  if (zustand.punkteFest) e.set('p', $('punkte').value);
  if (zustand.quelle === 'formel') {
    e.set('f', zustand.formel.text);
    e.set('a', String(zustand.formel.a));
    e.set('b', String(zustand.formel.b));
  }
  e.set('sn', $('studie_n').value.trim());
  e.set('sw', $('studie_wahl').value);
  if ($('voll').checked) e.set('voll', '1');
  return e;
}

let geladen = false;

// Writes the settings into the address and the storage (after the page
// has applied the ones it started with).
export function einstellungenMerken() {
  if (!geladen) return;
  const e = jetzt();
  const adresse = `${location.pathname}?${e.toString()}`;
  if (`${location.pathname}${location.search}` !== adresse) history.replaceState(null, '', adresse);
  try {
    localStorage.setItem(SPEICHER, e.toString());
  } catch (fehler) {
    // A browser that keeps nothing (private mode, storage full): the
    // address still holds them.
  }
}

// Sets the controls from the address, else from the storage; returns
// whether a formula is to be read (the caller has the module read it).
export function einstellungenAnwenden() {
  let text = location.search.length > 1 ? location.search.slice(1) : '';
  if (text === '') {
    try {
      text = localStorage.getItem(SPEICHER) || '';
    } catch (fehler) {
      text = '';
    }
  }
  const e = new URLSearchParams(text);
  geladen = true;
  if (text === '') return false;
  const quelle = e.get('q');
  const beispiel = Number(quelle);
  if (quelle === 'formel' || quelle === 'daten') zustand.quelle = quelle;
  else if (Number.isInteger(beispiel) && zustand.beispiele.some((b) => b.m === beispiel)) zustand.quelle = beispiel;
  $('quelle').value = String(zustand.quelle);
  const art = document.querySelector(`input[name="art"][value="${CSS.escape(e.get('art') || '')}"]`);
  if (art && !art.disabled) art.checked = true;
  if (e.has('v')) {
    const schluessel = e.get('v').split(',');
    for (const v of zustand.verfahren) $(`verfahren_${v.schluessel}`).checked = schluessel.includes(v.schluessel);
  }
  const n = nLesen(e.get('n') || '');
  if (n.n !== undefined) {
    zustand.n = n.n;
    $('n').value = String(n.n);
    reglerSetzen(n.n);
  }
  const punkte = Number(e.get('p'));
  if (e.has('p') && Number.isInteger(punkte) && punkte >= 1001 && punkte <= 100001) {
    zustand.punkteFest = true;
    $('punkte').value = String(punkte);
  }
  if (e.has('sn')) $('studie_n').value = e.get('sn');
  if (['0', '1', '2', '3'].includes(e.get('sw'))) $('studie_wahl').value = e.get('sw');
  $('voll').checked = e.get('voll') === '1';
  if (zustand.quelle === 'formel' && e.has('f')) {
    $('formel').value = e.get('f');
    $('formel_a').value = e.get('a') || '';
    $('formel_b').value = e.get('b') || '';
    return true;
  }
  return false;
}
