// The user's own function: the field takes a formula in x and its interval;
// problem 4 typed as its formula gives the example's figures, a formula the
// library cannot read is refused at the field while the last picture
// stays, and the study of a formula is fehlerstudie -f's.
'use strict';
const h = require('./hilfe.cjs');

const { seite, bin } = h.argumente();
const p = new h.Pruefung();

const zustand = (page) => page.evaluate(() => ({
  titel: document.querySelector('#titel_funktion').textContent,
  meldung: document.querySelector('#formel_meldung').hidden ? '' : document.querySelector('#formel_meldung').textContent,
  durchlaeufe: Number(document.body.dataset.durchlaeufe || 0),
  studie: document.querySelector('#studie_text').textContent,
  befehl: document.querySelector('#studie_befehl') ? document.querySelector('#studie_befehl').textContent : '',
}));

// Types the three fields and leaves the formula field (its change event).
async function formelSetzen(page, text, a, b, was) {
  await h.undWarten(page, () => page.evaluate((t, u, v) => {
    document.querySelector('#formel_a').value = u;
    document.querySelector('#formel_b').value = v;
    const feld = document.querySelector('#formel');
    feld.value = t;
    feld.dispatchEvent(new Event('change', { bubbles: true }));
  }, text, a, b), was);
}

h.mitSeite(seite, async (page, kontext) => {
  // Each example is offered as its formula; problem 4 as Runge's function.
  const optionen = await page.$$eval('#quelle option', (l) => l.map((o) => o.textContent));
  p.pruefe(optionen.includes('4: f(x) = 1/(1+x^2) (Runge-Funktion) auf [-9,9] – Ableitung zu arctan auf [-9,9]'),
    'Beispiel 4 mit seiner Formel', optionen.join(' | '));
  p.pruefe(optionen.includes('3: f(x) = abs(x) auf [-0.3,0.3] – Betrag auf [-0.3,0.3]'), 'Beispiel 3 mit seiner Formel',
    optionen.join(' | '));
  p.pruefe(optionen.includes('Eigene Funktion'), 'Eigene Funktion angeboten', optionen.join(' | '));

  // Problem 4 and the formula field's first formula, 1/(1+x^2) on [-9,9]:
  // the same doubles, the same figures.
  await h.waehlen(page, { m: 4, art: 1, verfahren: ['newton', 'natuerlich', 'abl2'], n: 16 });
  const beispiel = await h.tabelle(page);
  await h.setzen(page, '#quelle', 'formel');
  const formel = await h.tabelle(page);
  for (const schluessel of ['newton', 'natuerlich', 'abl2']) {
    p.gleich(formel[schluessel], beispiel[schluessel], `1/(1+x^2): ${schluessel} wie Beispiel 4`);
  }
  const gut = await zustand(page);
  p.gleich(gut.titel, 'Eigene Funktion: f(x) = 1/(1+x^2) auf [-9,9], n = 16, äquidistant', 'Titel der Formel');

  // Refused at the field, with the library's message; nothing recomputed.
  const FALSCH = [
    ['1/(1+x^', '-9', '9', 'Formel "1/(1+x^": Zeile endet nach "^" (Position 7).'],
    ['2*y', '-9', '9', 'Formel "2*y": unbekannter Name "y" (Position 3).'],
    ['', '-9', '9', 'Formel "": Formel ist leer.'],
    ['x', '1', '-1', 'Intervall [1.000000,-1.000000] numerisch zu klein oder ungueltig.'],
    ['x', '0', 'zwei', 'B ist keine endliche Zahl.'],
    // A pole on a node (n = 16: x = 8/16) and a function outside its domain:
    // refused as a formula the library cannot read, naming the x.
    ['1/(x-0.5)', '0', '1', 'Formel "1/(x-0.5)": kein endlicher Wert bei x = 0.5.'],
    ['sqrt(x)', '-1', '1', 'Formel "sqrt(x)": kein endlicher Wert bei x = -1.'],
    ['ln(x)', '-9', '9', 'Formel "ln(x)": kein endlicher Wert bei x = -9.'],
  ];
  for (const [text, a, b, soll] of FALSCH) {
    await formelSetzen(page, text, a, b, 'formelfehler');
    const z = await zustand(page);
    p.gleich(z.meldung, soll, `"${text}" auf [${a},${b}]: Meldung am Feld`);
    p.gleich(await page.$eval('#formel', (e) => e.getAttribute('aria-invalid')), 'true', `"${text}": als ungueltig markiert`);
    p.gleich(z.durchlaeufe, gut.durchlaeufe, `"${text}": nicht gerechnet`);
    p.gleich(z.titel, gut.titel, `"${text}": das Bild der letzten Formel bleibt`);
    p.gleich(JSON.stringify(await h.tabelle(page)), JSON.stringify(formel), `"${text}": die Tabelle bleibt`);
  }

  // A good formula after the bad ones: taken, the message gone; its study
  // is fehlerstudie -f's, word for word (a polynomial: no libm in it).
  await formelSetzen(page, 'x^4 - 2*x', '-1', '2');
  const neu = await zustand(page);
  p.gleich(neu.meldung, '', 'x^4 - 2*x: keine Meldung');
  p.gleich(await page.$eval('#formel', (e) => e.getAttribute('aria-invalid')), 'false', 'x^4 - 2*x: gueltig');
  p.pruefe(neu.titel.startsWith('Eigene Funktion: f(x) = x^4 - 2*x auf [-1,2]'), `Titel: ${neu.titel}`);
  await page.$eval('#studie_wahl', (e) => { e.value = '2'; });
  await page.$eval('#studie_n', (e) => { e.value = '4 8 16 32'; });
  await h.undWarten(page, () => page.click('#studie_rechnen'), 'studien');
  const studie = await zustand(page);
  const args = ['-s', '-f', 'x^4 - 2*x', '-1', '2', '4', '8', '16', '32'];
  const soll = h.programm(bin, 'fehlerstudie', args);
  p.gleich(studie.studie, soll.stdout.toString(), 'Studie wie fehlerstudie -s -f');
  p.gleich(studie.befehl, "fehlerstudie -s -f 'x^4 - 2*x' -1 2 4 8 16 32", `Befehl gezeigt: ${studie.befehl}`);

  // ---- Every setting in the address and in the browser's storage ----
  await formelSetzen(page, 'x^3 - x', '-2', '2');
  await h.waehlen(page, { art: 2, verfahren: ['baryzentrisch', 'natuerlich'], n: 17, punkte: 2001 });
  await page.$eval('#studie_wahl', (e) => { e.value = '2'; });
  await page.$eval('#studie_n', (e) => { e.value = '4 8 16'; });
  await h.undWarten(page, () => page.click('#studie_rechnen'), 'studien');
  await page.click('#voll');
  const einstellungen = () => page.evaluate(() => ({
    quelle: document.querySelector('#quelle').value,
    art: document.querySelector('input[name="art"]:checked').value,
    verfahren: [...document.querySelectorAll('#verfahren input:checked')].map((e) => e.id).join(' '),
    n: document.querySelector('#n').value,
    regler: document.querySelector('#n_regler').value,
    punkte: document.querySelector('#punkte').value,
    formel: ['#formel', '#formel_a', '#formel_b'].map((s) => document.querySelector(s).value).join(' | '),
    studie: [document.querySelector('#studie_n').value, document.querySelector('#studie_wahl').value,
      document.querySelector('#studie_befehl').textContent].join(' | '),
    voll: document.querySelector('#voll').checked,
    titel: document.querySelector('#titel_funktion').textContent,
  }));
  const vorher = { ...(await einstellungen()), tabelle: await h.tabelle(page) };
  const adresse = page.url();
  const bereit = async (ziel) => {
    await page.goto(ziel, { waitUntil: 'load' });
    await page.waitForFunction(() => document.body.dataset.bereit === '1' && document.body.dataset.laeuft !== '1' &&
      document.body.dataset.studielaeuft !== '1', { timeout: 60000 });
    return { ...(await einstellungen()), tabelle: await h.tabelle(page) };
  };
  await page.evaluate(() => localStorage.clear());
  const ausAdresse = await bereit(adresse);
  p.gleich(JSON.stringify(ausAdresse), JSON.stringify(vorher), `die Adresse gibt jede Einstellung wieder: ${adresse}`);
  const ausSpeicher = await bereit(kontext.url);
  p.gleich(JSON.stringify(ausSpeicher), JSON.stringify(vorher), 'neu geladen ohne Adresse: die Einstellungen bleiben');

  p.pruefe(kontext.seitenfehler.length === 0, 'keine Skriptfehler', kontext.seitenfehler.join('\n'));
}).then(() => p.ende(), (e) => { console.error(e); process.exitCode = 2; });
