// What the browser tests share: the built page served on 127.0.0.1, Debian's
// chromium driven by puppeteer-core (from web/node_modules), the native
// programs of the same build, and a small collector of checks.
//
// Each test is called as: node X_test.cjs SEITENORDNER BINORDNER AUSGABEORDNER
'use strict';
const fs = require('fs');
const os = require('os');
const path = require('path');
const { spawnSync } = require('child_process');

const WURZEL = path.resolve(__dirname, '..', '..');
const puppeteer = require(path.join(WURZEL, 'web', 'node_modules', 'puppeteer-core'));
const { starten } = require(path.join(WURZEL, 'web', 'dienen.cjs'));

function argumente() {
  const [seite, bin, ausgabe] = process.argv.slice(2);
  if (!seite || !bin || !ausgabe) {
    console.error('Benutzung: node X_test.cjs Seitenordner Binordner Ausgabeordner');
    process.exit(2);
  }
  fs.mkdirSync(ausgabe, { recursive: true });
  return { seite, bin, ausgabe, beispiele: path.join(WURZEL, 'beispiele') };
}

// Counts failed checks; the process ends with 1 if any failed.
class Pruefung {
  constructor() { this.fehlschlaege = 0; this.anzahl = 0; }
  pruefe(bedingung, text, einzelheiten) {
    this.anzahl += 1;
    console.log(`${bedingung ? 'ok  ' : 'FEHL'} ${text}`);
    if (!bedingung) {
      this.fehlschlaege += 1;
      if (einzelheiten !== undefined) console.log(`     ${String(einzelheiten).split('\n').join('\n     ')}`);
    }
  }
  gleich(ist, soll, text) {
    const gleich = Buffer.isBuffer(soll) ? Buffer.compare(Buffer.from(ist), soll) === 0 : ist === soll;
    this.pruefe(gleich, text, gleich ? undefined : `ist:  ${JSON.stringify(String(ist))}\nsoll: ${JSON.stringify(String(soll))}`);
  }
  ende() {
    console.log(`${this.anzahl - this.fehlschlaege} von ${this.anzahl} Pruefungen bestanden`);
    process.exitCode = this.fehlschlaege === 0 ? 0 : 1;
  }
}

// Runs a native program of the build: {status, stdout (Buffer), stderr}.
function programm(bin, name, args, optionen = {}) {
  const r = spawnSync(path.join(bin, name), args, { cwd: optionen.cwd, input: optionen.eingabe,
    maxBuffer: 1 << 28 });
  if (r.error) throw r.error;
  return { status: r.status, stdout: r.stdout, stderr: r.stderr.toString() };
}

// Opens the page in a fresh chromium (its own profile, removed afterwards),
// with every request to anything but the local server refused: the page must
// work offline.  arbeit(page, kontext) does the checks.
async function mitSeite(seitenordner, arbeit, optionen = {}) {
  const server = await starten(seitenordner, 0);
  const url = `http://127.0.0.1:${server.address().port}/`;
  const profil = fs.mkdtempSync(path.join(os.tmpdir(), 'numerik-chromium-'));
  const browser = await puppeteer.launch({
    executablePath: process.env.NUMERIK_CHROMIUM || '/usr/bin/chromium',
    headless: true,
    userDataDir: profil,
    args: ['--headless', '--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run',
      '--disable-background-networking', '--disable-component-update', '--disable-sync',
      '--disable-dev-shm-usage', '--font-render-hinting=none'],
  });
  const kontext = { url, fremdeAnfragen: [], seitenfehler: [], konsolenfehler: [] };
  try {
    const page = await browser.newPage();
    await page.setViewport({ width: optionen.breite || 1280, height: optionen.hoehe || 900 });
    page.on('pageerror', (e) => kontext.seitenfehler.push(e.message));
    page.on('console', (m) => {
      if (m.type() === 'error') kontext.konsolenfehler.push(m.text());
    });
    await page.setRequestInterception(true);
    page.on('request', (r) => {
      if (r.url().startsWith(url) || r.url().startsWith('data:') || r.url().startsWith('blob:')) {
        r.continue();
      } else {
        kontext.fremdeAnfragen.push(r.url());
        r.abort();
      }
    });
    if (optionen.herunterladen) {
      const eingang = path.join(optionen.herunterladen, 'eingang');
      fs.mkdirSync(eingang, { recursive: true });
      const cdp = await page.createCDPSession();
      await cdp.send('Browser.setDownloadBehavior', { behavior: 'allow', downloadPath: eingang });
    }
    await page.goto(url, { waitUntil: 'load' });
    await page.waitForSelector('body[data-bereit="1"]', { timeout: 60000 }).catch((e) => {
      throw new Error(`Die Seite wurde nicht bereit: ${e.message}\n${kontext.seitenfehler.join('\n')}`);
    });
    return await arbeit(page, kontext);
  } finally {
    await browser.close();
    server.close();
    fs.rmSync(profil, { recursive: true, force: true });
  }
}

// ---- Working the page ------------------------------------------------------

const zaehler = (page, name) => page.evaluate((n) => Number(document.body.dataset[n] || 0), name);

// Does handlung and waits until the page has recomputed and is idle.
async function undWarten(page, handlung, was = 'durchlaeufe') {
  const vorher = await zaehler(page, was);
  await handlung();
  await page.waitForFunction((n, v) => Number(document.body.dataset[n] || 0) > v &&
    document.body.dataset.laeuft !== '1', { timeout: 60000 }, was, vorher);
}

// Sets a control's value as a user would leave it and fires its events.
async function setzen(page, selektor, wert) {
  await undWarten(page, () => page.$eval(selektor, (e, v) => {
    e.value = v;
    e.dispatchEvent(new Event('input', { bubbles: true }));
    e.dispatchEvent(new Event('change', { bubbles: true }));
  }, String(wert)));
}

// Chooses example m (or 'daten'), node kind art, the methods (keys) and n.
async function waehlen(page, { m, art, verfahren, n, punkte }) {
  if (m !== undefined) await setzen(page, '#quelle', m);
  if (art !== undefined) {
    const schon = await page.$eval(`input[name="art"][value="${art}"]`, (e) => e.checked);
    if (!schon) await undWarten(page, () => page.click(`input[name="art"][value="${art}"]`));
  }
  if (verfahren !== undefined) {
    // A disabled box (a method the data cannot have) is left as it is.
    const alle = await page.$$eval('#verfahren input',
      (l) => l.map((e) => [e.id.replace('verfahren_', ''), e.checked, e.disabled]));
    for (const [schluessel, an, gesperrt] of alle) {
      if (!gesperrt && an !== verfahren.includes(schluessel)) {
        await undWarten(page, () => page.click(`#verfahren_${schluessel}`));
      }
    }
  }
  if (punkte !== undefined) await setzen(page, '#punkte', punkte);
  if (n !== undefined && Number(await page.$eval('#n', (e) => e.value)) !== n) await setzen(page, '#n', n);
}

// The figures of the table: {key: text of the largest error}.
function tabelle(page) {
  return page.$$eval('#tabelle tbody tr', (zeilen) => Object.fromEntries(zeilen.map((z) =>
    [z.dataset.verfahren, z.children[2].textContent.trim()])));
}

const meldung = (page) => page.$eval('#meldung', (e) => (e.hidden ? '' : e.textContent));

// Clicks the download button beschriftung in the row of method schluessel
// and returns the file once chromium has written it.  Chromium writes into
// ordner/eingang (and there overwrites a file of the same name); each file
// is moved on to ordner/<count>_<name>, so that every download stays.
let heruntergeladen = 0;
// behaelter: where the button is, when not in the table's row of schluessel.
async function herunterladen(page, ordner, schluessel, beschriftung, behaelter = null) {
  const eingang = path.join(ordner, 'eingang');
  for (const d of fs.readdirSync(eingang)) fs.rmSync(path.join(eingang, d));
  const knoepfe = await page.$$(`${behaelter || `#tabelle tr[data-verfahren="${schluessel}"]`} button`);
  let gefunden = null;
  for (const k of knoepfe) if ((await k.evaluate((e) => e.textContent)) === beschriftung) gefunden = k;
  if (gefunden === null) throw new Error(`Kein Knopf ${beschriftung} fuer ${schluessel}`);
  await gefunden.click();
  // A file may show under its name before chromium has written it: it
  // counts when it is not empty and its size holds for one more look.
  let groesse = -1;
  for (let i = 0; i < 200; ++i) {
    const neu = fs.readdirSync(eingang).filter((d) => !d.endsWith('.crdownload'));
    const jetzt = neu.length > 0 ? fs.statSync(path.join(eingang, neu[0])).size : -1;
    const fertig = jetzt > 0 && jetzt === groesse;
    groesse = jetzt;
    if (fertig) {
      heruntergeladen += 1;
      const datei = path.join(ordner, `${String(heruntergeladen).padStart(3, '0')}_${neu[0]}`);
      fs.renameSync(path.join(eingang, neu[0]), datei);
      return { name: neu[0], pfad: datei, bytes: fs.readFileSync(datei) };
    }
    await new Promise((r) => setTimeout(r, 50));
  }
  throw new Error(`${beschriftung} fuer ${schluessel} wurde nicht heruntergeladen: ${await meldung(page)}`);
}

// Pastes text into the data box and presses "Laden".  Waits for the next
// pass (good text) or the next load failure (bad text).
async function einfuegenUndLaden(page, inhalt) {
  const vorherD = await zaehler(page, 'durchlaeufe');
  const vorherF = await zaehler(page, 'ladefehler');
  await page.$eval('#datentext', (e, v) => { e.value = v; }, inhalt);
  await page.click('#laden');
  await page.waitForFunction((d, f) => (Number(document.body.dataset.durchlaeufe) > d ||
    Number(document.body.dataset.ladefehler || 0) > f) && document.body.dataset.laeuft !== '1',
  { timeout: 60000 }, vorherD, vorherF);
  return (await zaehler(page, 'ladefehler')) > vorherF ? 'fehler' : 'geladen';
}

// Opens a file through the page's file input, as "Datei oeffnen" does.
async function dateiOeffnen(page, pfad) {
  const vorherD = await zaehler(page, 'durchlaeufe');
  const vorherF = await zaehler(page, 'ladefehler');
  const feld = await page.$('#datei');
  await feld.uploadFile(pfad);
  await page.waitForFunction((d, f) => (Number(document.body.dataset.durchlaeufe) > d ||
    Number(document.body.dataset.ladefehler || 0) > f) && document.body.dataset.laeuft !== '1',
  { timeout: 60000 }, vorherD, vorherF);
  return (await zaehler(page, 'ladefehler')) > vorherF ? 'fehler' : 'geladen';
}

module.exports = { WURZEL, argumente, Pruefung, programm, mitSeite, undWarten, setzen, waehlen,
  tabelle, meldung, herunterladen, einfuegenUndLaden, dateiOeffnen, zaehler };
