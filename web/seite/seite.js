// The page over the library: it reads the user's choices, asks the module
// (numerik.js / numerik.wasm, the library compiled with em++) for every
// number, and draws what comes back with uPlot.  No number shown here is
// computed in JavaScript; the page only moves arrays, picks axis ranges and
// formats axis ticks.
'use strict';

(() => {
  // ---- The module, in workers ----------------------------------------------
  // The library runs in Web Workers (rechner.js), each with its own instance
  // of the module compiled once here: one for the main view's passes, one
  // for the study, one for loading, formulas and downloads.  A request is
  // named and carries plain data; a run can be cancelled by ending its
  // worker, and a fresh one takes the next request.

  const bib = {
    kompiliert: null,
    starts: 0,
    daten: null, // {bytes, nr} of the user's text, sent to each worker once
    datenNr: 0,
  };

  async function modulKompilieren() {
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

  const rechner = { bild: new Rechner(), studie: new Rechner(), neben: new Rechner() };

  // A fresh instance for the main view, ready when this resolves.
  async function modulStarten() {
    rechner.bild.abbrechen();
    await rechner.bild.fragen('bereit');
  }

  // Shows progress of a run that takes longer than FORTSCHRITT_AB ms in the
  // box id (with its text and bar) and lets the user cancel it.
  const FORTSCHRITT_AB = 300;
  function fortschrittBeginnen(id, was) {
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

  // The text of problem m for titles: the example's formula (and the name
  // it goes by), or the user's formula.
  function problemTitel(m) {
    if (m === 0) return `Eigene Funktion: f(x) = ${zustand.formel.text} auf [${zustand.formel.a},${zustand.formel.b}]`;
    const b = zustand.beispiele[m - 1];
    const beiname = BEINAMEN[m] ? ` (${BEINAMEN[m]})` : '';
    return `Beispielfunktion ${m}: f(x) = ${b.formel}${beiname} auf [${b.a},${b.b}]`;
  }
  // The function as fehlerstudie, beispielwerte and splineerzeuger take it:
  // m, or -f with the formula (quoted for the shell) and its interval.
  function problemArgumente(m) {
    if (m !== 0) return { schalter: '', args: String(m) };
    const f = zustand.formel;
    return { schalter: ' -f', args: `'${f.text.replace(/'/g, "'\\''")}' ${f.a} ${f.b}` };
  }


  // ---- The choices -------------------------------------------------------

  const $ = (id) => document.getElementById(id);
  // The node kinds, from the module's table of node kinds (web_knotenart_*):
  // number -> title, number -> code in file names; GEGEBEN is the kind whose
  // nodes come with the data.
  const ARTEN = {};
  const ARTKUERZEL = {};
  let GEGEBEN = '0';
  // The methods, their titles and their styles come from the module's
  // table of methods (web_methode_*).  Its titles are ASCII; shown with
  // their umlauts and f'' as f″.
  const UMLAUTE = { aequidistant: 'äquidistant', natuerlicher: 'natürlicher' };
  const mitUmlauten = (t) => t.replace(/[A-Za-z]+/g, (w) => UMLAUTE[w] || w).replace(/''/g, '″');
  // The interpolation of a loaded text, in the place of a method; drawn in
  // the style of its class's first method (set when it is loaded).
  const GELADEN = { k: -1, schluessel: 'geladen', titel: 'geladene Interpolation', arten: ~0, abl2: false };
  const N_MIN = 1;
  const N_MAX = 10000;
  const FEHLER_DECKE = 1e3; // the error plot's ceiling
  // The legend of the rounding mark, in the main table as in the study's.
  const RUNDUNG_LEGENDE = '* Rundung überwiegt: die Newton-Form weicht vom stabil (baryzentrisch) ausgewerteten ' +
    'Polynom derselben Stützstellen um mehr als dessen Fehler ab.';
  const KNOTEN_GEZEIGT = 1000; // node markers up to this many nodes
  const TEXTFELD_MAX = 200000; // bytes of data the text box shows
  // The names the examples go by beside their formulas.
  const BEINAMEN = { 4: 'Runge-Funktion' };

  const zustand = {
    beispiele: [], // {m, name}
    verfahren: [], // {k, schluessel, titel, stile: {node kind: {farbe, dash, breite}}, arten, abl2}
    geladenStil: null, // the style of the loaded interpolation
    quelle: 4, // example m, 'formel' or 'daten'
    formel: { text: '1/(1+x^2)', a: -9, b: 9, nr: 1 }, // the last formula the module accepted
    n: 8, // the last n the field accepted
    datenArt: 0, // 1 interpolation, 2 value file, 0 none
    datenInfo: '',
    punkteFest: false, // the user set the measuring points: the study then uses them for every n
  };

  // The slider: positions 0..99 are n = 1..100 one by one, 99..300 grow
  // geometrically to 10^4, so that both small n and 10^4 are in reach.
  function nAusRegler(p) {
    if (p <= 99) return p + 1;
    return Math.round(100 * Math.pow(100, (p - 99) / 201));
  }
  function reglerAusN(n) {
    if (n <= 100) return n - 1;
    return 99 + Math.round((201 * Math.log(n / 100)) / Math.log(100));
  }

  // The n typed into the field: a whole number from N_MIN to N_MAX, written
  // in digits only; {n} or {fehler: what is wrong}.  Nothing is rounded or
  // moved into range: what was typed is taken as it is or refused.
  function nLesen(t) {
    const wort = t.trim();
    if (wort === '') return { fehler: 'Bitte n eingeben (eine ganze Zahl).' };
    if (!/^[+-]?[0-9]+$/.test(wort)) return { fehler: `n = ${wort} ist keine ganze Zahl.` };
    const n = Number(wort);
    if (n < N_MIN) return { fehler: `n muss mindestens ${N_MIN} sein.` };
    if (n > N_MAX) return { fehler: `n darf höchstens ${N_MAX} sein.` };
    return { n };
  }

  function wahl() {
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

  // ---- Drawing ----------------------------------------------------------------

  const bilder = { funktion: null, fehler: null, lebesgue: null, signaturF: '', signaturE: '' };
  const bereich = { f: [-1, 1], e: [1e-16, 1], l: [1, 10] };

  const endlich = (x) => Number.isFinite(x);
  const ACHSE = { font: '15px sans-serif', labelFont: 'bold 15px sans-serif', stroke: '#222',
    grid: { stroke: '#ddd', width: 1 }, ticks: { stroke: '#bbb' } };

  // Every plot reads out its values under the pointer in its key, zooms
  // into the x range dragged over, and shows all again on a double click.
  const ZEIGER = { legend: { live: true }, cursor: { drag: { x: true, y: false, setScale: true } } };
  // The read-out values: on a linear axis six digits, on a log axis three.
  const WERT_LIN = (u, v) => (v == null ? '–' : String(Number(v.toPrecision(6))));
  const WERT_LOG = (u, v) => (v == null ? '–' : v.toExponential(2));
  const WERT_N = (u, v) => (v == null ? '–' : String(v));
  // The series with their read-out: x by wertX, the others by wertY.
  const ablesbar = (serien, wertX, wertY) => serien.map((s, i) => ({ value: i === 0 ? wertX : wertY, ...s }));

  // The path of a line series on a dense grid.  A curve with several points
  // in one pixel column (an error that dips at each of ten nodes per pixel,
  // a diverging form held at the frame) covers that column from its lowest
  // to its highest point.  Stroked as a line, it is a zigzag of long,
  // nearly vertical segments, which a canvas without GPU rasters slowly
  // (a tenth of a second and more per curve, dashed ten times that).  Here
  // such a curve is one filled area, between its per-column upper and lower
  // envelope widened by half the line's width; a curve whose columns are
  // all thin is one stroked line through their middles, in its dash.  A
  // curve with at most one point per column is the polyline through its
  // points.
  function huellenPfad(u, si, i0, i1) {
    const xs = u.data[0];
    const ys = u.data[si];
    const spalten = [];
    let dicht = false;
    let dick = false;
    let spalte = null;
    for (let i = i0; i <= i1; ++i) {
      const y = ys[i];
      if (y == null) continue;
      const px = u.valToPos(xs[i], 'x', true);
      const py = u.valToPos(y, 'y', true);
      const k = Math.round(px);
      if (spalte !== null && spalte.k === k) {
        dicht = true;
        if (py < spalte.oben) spalte.oben = py;
        if (py > spalte.unten) spalte.unten = py;
        if (spalte.unten - spalte.oben > 2) dick = true;
      } else {
        spalte = { k, x: px, oben: py, unten: py };
        spalten.push(spalte);
      }
    }
    const pfad = new Path2D();
    if (!dicht || !dick) {
      spalten.forEach((s, j) => {
        const y = dicht ? (s.oben + s.unten) / 2 : s.oben;
        if (j === 0) pfad.moveTo(s.x, y); else pfad.lineTo(s.x, y);
      });
      return { stroke: pfad, fill: null };
    }
    const halb = (u.series[si].width * uPlot.pxRatio) / 2;
    spalten.forEach((s, j) => (j === 0 ? pfad.moveTo(s.k, s.oben - halb) : pfad.lineTo(s.k, s.oben - halb)));
    for (let j = spalten.length - 1; j >= 0; --j) pfad.lineTo(spalten[j].k, spalten[j].unten + halb);
    pfad.closePath();
    return { stroke: null, fill: pfad, _fill: u.series[si]._stroke };
  }
  // A line series drawn by huellenPfad.
  const linie = (s) => ({ ...s, paths: huellenPfad });

  function bildBreite(el) {
    return Math.max(320, Math.floor(el.getBoundingClientRect().width));
  }

  // uPlot needs one ascending x for all series: the grid and the nodes are
  // merged, and each series has null where it has no value.  Returns the
  // merged data twice: as they are (for the read-out) and with every y held
  // to [unten, oben] (for drawing).  The arrays are made at their full
  // length at once: grown point by point, they kept the garbage collector
  // busy for tens of milliseconds at 10^5 points.
  function zusammenfuehren(x, reihen, kx, ky, unten, oben) {
    // Points without a finite x cannot be placed (and would stop the merge).
    const gitter = [];
    for (let i = 0; i < x.length; ++i) if (endlich(x[i])) gitter.push(i);
    const ordnung = Array.from(kx.keys()).filter((k) => endlich(kx[k])).sort((a, b) => kx[a] - kx[b]);
    const laenge = gitter.length + ordnung.length;
    const neu = () => new Array(laenge);
    const roh = [neu(), ...reihen.map(neu), neu()];
    const daten = [roh[0], ...reihen.map(neu), neu()];
    const halten = (y) => (y === null ? null : Math.min(Math.max(y, unten), oben));
    let i = 0;
    let j = 0;
    let m = 0;
    // A node on a grid point shares its entry: uPlot takes an x given twice
    // as the end of the drawn range and would leave out a node at the end.
    while (i < gitter.length || j < ordnung.length) {
      const xg = i < gitter.length ? x[gitter[i]] : Infinity;
      const xk = j < ordnung.length ? kx[ordnung[j]] : Infinity;
      const g = xg <= xk ? gitter[i++] : -1;
      const k = xk <= xg ? ordnung[j++] : -1;
      roh[0][m] = g >= 0 ? xg : xk;
      for (let s = 0; s < reihen.length; ++s) {
        const y = g >= 0 ? reihen[s][g] : NaN;
        roh[s + 1][m] = endlich(y) ? y : null;
        daten[s + 1][m] = halten(roh[s + 1][m]);
      }
      const kn = k >= 0 && endlich(ky[k]) ? ky[k] : null;
      roh[reihen.length + 1][m] = kn;
      daten[reihen.length + 1][m] = halten(kn);
      ++m;
    }
    for (const reihe of [...roh, ...daten.slice(1)]) reihe.length = m;
    return { roh, daten };
  }

  async function funktionZeichnen(w, ergebnisse, fy, x) {
    const el = $('bild_funktion');
    // Nothing to draw (own data, none loaded yet).
    el.hidden = !fy && ergebnisse.length === 0;
    if (el.hidden) {
      if (bilder.funktion) bilder.funktion.destroy();
      bilder.funktion = null;
      bilder.signaturF = '';
      return;
    }
    const erstes = ergebnisse[0];
    const reihen = [];
    const serien = [{ label: 'x' }];
    if (fy) {
      reihen.push(fy);
      // A broad light band under the interpolants: no method's colour (the
      // f'' spline is black), and a curve that meets f runs inside it.
      serien.push(linie({ label: 'f (exakt)', stroke: '#c4c4c4', width: 6, spanGaps: true, points: { show: false } }));
    }
    for (const r of ergebnisse) {
      reihen.push(r.y);
      serien.push(linie({ label: r.v.titel, stroke: r.v.farbe, width: r.v.breite || 2, dash: r.v.dash, spanGaps: true,
        points: { show: false } }));
    }
    // Beyond a thousand nodes the markers would fill the plot (ten to a
    // pixel at 10^4) and take most of the drawing time; they are left out.
    const alleKnoten = erstes ? erstes.knoten : { x: [], y: [] };
    const zeigen = alleKnoten.x.length <= KNOTEN_GEZEIGT;
    const kn = zeigen ? alleKnoten : { x: [], y: [] };
    serien.push({ label: zeigen ? 'Stützstellen' : `Stützstellen (über ${KNOTEN_GEZEIGT} nicht gezeigt)`,
      stroke: '#222', fill: '#222', width: 0, paths: () => null,
      points: { show: true, size: kn.x.length > 200 ? 4 : 8, stroke: '#222', fill: '#fff', width: 1.5 } });
    // The y range: what f (or the nodes) take, with a margin; an
    // interpolant that leaves it is cut at the frame.
    let lo = Infinity;
    let hi = -Infinity;
    for (const werte of fy ? [fy, alleKnoten.y] : [alleKnoten.y]) {
      for (const y of werte) if (endlich(y)) { lo = Math.min(lo, y); hi = Math.max(hi, y); }
    }
    if (!(lo < hi)) { lo = endlich(lo) ? lo - 1 : -1; hi = endlich(hi) ? hi + 1 : 1; }
    const rand = (hi - lo) * (fy ? 0.12 : 0.25);
    bereich.f = [lo - rand, hi + rand];

    // A diverging interpolant (the Newton form at large n reaches 1e300) is
    // drawn through values held just above or below the frame: dashed
    // canvas paths through far coordinates take the browser seconds, and
    // beyond the frame nothing of them shows (on a grid of a few points per
    // pixel the segments out of the frame are steep either way).  The
    // read-out gives the true values.
    const weit = 0.02 * (bereich.f[1] - bereich.f[0]);
    const { roh, daten } = zusammenfuehren(x, reihen, kn.x, kn.y, bereich.f[0] - weit, bereich.f[1] + weit);
    bilder.rohF = roh;
    serien.forEach((s, i) => {
      if (i > 0) s.value = (u, v, si, di) => WERT_LIN(u, di == null ? v : bilder.rohF[si][di]);
    });

    const signatur = serien.map((s) => `${s.label}:${s.points ? s.points.size : 0}`).join('|');
    await pause();
    if (bilder.funktion && bilder.signaturF === signatur) {
      bilder.funktion.setData(daten);
      return;
    }
    if (bilder.funktion) bilder.funktion.destroy();
    bilder.signaturF = signatur;
    bilder.funktion = new uPlot({
      width: bildBreite(el),
      height: 380,
      scales: { x: { time: false }, y: { range: () => bereich.f } },
      axes: [{ ...ACHSE, label: 'x' }, { ...ACHSE, label: 'y', size: 70 }],
      series: ablesbar(serien, WERT_LIN, WERT_LIN),
      ...ZEIGER,
    }, leer(daten), el);
    return daten;
  }

  // A new plot is made empty and given its data in a task of its own: the
  // making (its key, axes and canvas) and the drawing each take a task.
  const leer = (daten) => daten.map(() => []);

  // Ticks of a log axis: whole decades, at most about eight of them.
  function dekaden(u, achse, min, max) {
    const a = Math.round(Math.log10(min));
    const b = Math.round(Math.log10(max));
    const schritt = Math.max(1, Math.ceil((b - a) / 8));
    const ticks = [];
    for (let k = b; k >= a; k -= schritt) ticks.unshift(Math.pow(10, k));
    return ticks;
  }
  function dekadeText(v) {
    if (v == null) return '';
    const k = Math.round(Math.log10(v));
    return k === 0 ? '1' : k === 1 ? '10' : `1e${k}`;
  }

  async function fehlerZeichnen(w, ergebnisse) {
    const el = $('bild_fehler');
    const mitFehler = ergebnisse.filter((r) => r.e);
    const hinweis = $('fehler_hinweis');
    if (mitFehler.length === 0) {
      if (bilder.fehler) { bilder.fehler.destroy(); bilder.fehler = null; bilder.signaturE = ''; }
      el.hidden = true;
      hinweis.hidden = false;
      hinweis.textContent = w.quelle === 'daten'
        ? 'Zu eigenen Daten ist keine exakte Funktion bekannt: der Fehler wird nur für die Beispielfunktionen gezeigt.'
        : 'Kein Verfahren gewählt.';
      return;
    }
    el.hidden = false;
    // Zero and values that are no finite number have no place on the log
    // axis; the ceiling cuts diverging methods, the note says where.
    let lo = Infinity;
    let hi = 0;
    const reihen = mitFehler.map((r) => Array.from(r.e, (e) => {
      if (!(e > 0) || !endlich(e)) return null;
      lo = Math.min(lo, e);
      hi = Math.max(hi, e);
      return e;
    }));
    const abgeschnitten = mitFehler.filter((r) => !(r.max <= FEHLER_DECKE));
    if (!endlich(lo)) { lo = 1e-16; hi = 1; }
    // The dips at the nodes go down to rounding level; the axis shows five
    // decades below the smallest method's largest error and cuts the rest.
    const kleinstesMax = Math.min(...mitFehler.map((r) => (r.max > 0 ? r.max : Infinity)));
    if (endlich(kleinstesMax)) lo = Math.max(lo, kleinstesMax * 1e-5);
    lo = Math.max(lo, 1e-18);
    hi = Math.min(Math.max(hi, lo * 10), FEHLER_DECKE);
    bereich.e = [Math.pow(10, Math.floor(Math.log10(lo))), Math.pow(10, Math.ceil(Math.log10(hi)))];
    hinweis.hidden = abgeschnitten.length === 0;
    hinweis.textContent = abgeschnitten.length === 0 ? ''
      : `Die Achse endet bei ${dekadeText(FEHLER_DECKE)}; darüber abgeschnitten: ` +
        abgeschnitten.map((r) => `${r.v.titel} (max ${r.maxText})`).join(', ') + '.';

    const serien = [{ label: 'x' }, ...mitFehler.map((r) => linie({ label: r.v.titel, stroke: r.v.farbe,
      width: r.v.breite || 2, dash: r.v.dash, spanGaps: true, points: { show: false } }))];
    const daten = [mitFehler[0].xe || mitFehler[0].x, ...reihen];
    const signatur = serien.map((s) => s.label).join('|');
    await pause();
    if (bilder.fehler && bilder.signaturE === signatur) {
      bilder.fehler.setData(daten);
      return;
    }
    if (bilder.fehler) bilder.fehler.destroy();
    bilder.signaturE = signatur;
    bilder.fehler = new uPlot({
      width: bildBreite(el),
      height: 300,
      scales: { x: { time: false }, y: { distr: 3, log: 10, range: () => bereich.e } },
      axes: [{ ...ACHSE, label: 'x' }, { ...ACHSE, label: '|p(x) − f(x)|', size: 70,
        splits: dekaden, filter: (u, werte) => werte, values: (u, werte) => werte.map(dekadeText) }],
      series: ablesbar(serien, WERT_LIN, WERT_LOG),
      ...ZEIGER,
    }, leer(daten), el);
    return daten;
  }

  // The Lebesgue function of the chosen nodes, lambda(x) = sum |l_j(x)|:
  // the factor by which the interpolating polynomial on these nodes can
  // magnify an error in the values, and (plus one) how far its error can be
  // from the best polynomial's.  Up to n = LEBESGUE_MAX_N on at most
  // 10001 points (rechner.js): it costs n operations a point, twice (the
  // function and its refined maximum).
  const LEBESGUE_MAX_N = 1000;

  function lebesgueZeichnen(w, erg, grund) {
    const el = $('bild_lebesgue');
    const t = $('lebesgue_text');
    if (!erg) {
      if (bilder.lebesgue) { bilder.lebesgue.destroy(); bilder.lebesgue = null; }
      el.hidden = true;
      t.textContent = grund;
      return;
    }
    el.hidden = false;
    $('lebesgue_titel').textContent = `Lebesgue-Funktion λ(x) = Σ |ℓ_j(x)| der Stützstellen (${ARTEN[w.art]}), logarithmisch`;
    t.textContent = `Lebesgue-Konstante Λ_${w.n} = max λ(x) = ${erg.konstanteText}. Das interpolierende Polynom ` +
      `auf diesen Stützstellen vergrößert Fehler der Werte höchstens um diesen Faktor, und sein Fehler ist höchstens ` +
      `(1 + Λ_n) mal der des besten Polynoms vom Grad n: auf äquidistanten Stützstellen wächst Λ_n wie 2^n, ` +
      `auf Tschebyscheff-Stützstellen nur wie log n.`;
    const hoch = endlich(erg.konstante) ? Math.max(erg.konstante, 10) : FEHLER_DECKE;
    bereich.l = [1, Math.pow(10, Math.ceil(Math.log10(hoch)))];
    const daten = [erg.x, Array.from(erg.l, (v) => (endlich(v) ? v : null))];
    if (bilder.lebesgue) {
      bilder.lebesgue.setData(daten);
      return;
    }
    bilder.lebesgue = new uPlot({
      width: bildBreite(el),
      height: 220,
      scales: { x: { time: false }, y: { distr: 3, log: 10, range: () => bereich.l } },
      axes: [{ ...ACHSE, label: 'x' }, { ...ACHSE, label: 'λ(x)', size: 70,
        splits: dekaden, filter: (u, werte) => werte, values: (u, werte) => werte.map(dekadeText) }],
      series: ablesbar([{ label: 'x' }, linie({ label: 'λ(x)', stroke: '#444444', width: 1.5, spanGaps: true,
        points: { show: false } })], WERT_LIN, WERT_LOG),
      ...ZEIGER,
    }, leer(daten), el);
    return daten;
  }

  window.addEventListener('resize', () => {
    for (const [bild, id] of [[bilder.funktion, 'bild_funktion'], [bilder.fehler, 'bild_fehler'],
      [bilder.lebesgue, 'bild_lebesgue'], [studienBild.plot, 'bild_studie']])
      if (bild) bild.setSize({ width: bildBreite($(id)), height: bild.height });
  });

  // ---- The table, messages and downloads ----------------------------------------

  function meldungZeigen(meldungen) {
    const el = $('meldung');
    el.hidden = meldungen.length === 0;
    el.replaceChildren();
    for (const m of meldungen) {
      const zeile = document.createElement('div');
      const wer = document.createElement('strong');
      wer.textContent = m.wo ? `${m.wo}: ` : 'Die Bibliothek meldet: ';
      const was = document.createElement('code');
      was.textContent = m.text.replace(/\n+$/, '');
      zeile.append(wer, was);
      el.append(zeile);
    }
  }

  function hinweiseZeigen(zeilen) {
    $('hinweise').hidden = zeilen.length === 0;
    $('hinweistext').textContent = zeilen.join('\n');
  }

  function herunterladen(name, bytes) {
    const blob = new Blob([bytes], { type: 'text/plain' });
    const a = document.createElement('a');
    a.href = URL.createObjectURL(blob);
    a.download = name;
    document.body.append(a);
    a.click();
    a.remove();
    setTimeout(() => URL.revokeObjectURL(a.href), 10000);
  }

  // Makes a text in the module (the number form as chosen) and offers it as
  // a download; a failure shows the library's message.  welche: problem,
  // kurvenpunkte, koeffizienten (of method v) or beispielwerte, for the
  // choice w of the pass the table shows.
  async function dateiAnbieten(name, welche, w, v, punkte) {
    const r = await rechner.neben.fragen('datei', { w: { ...w, voll: $('voll').checked }, v, welche, punkte });
    if (r.abgebrochen) return;
    if (r.fehler !== undefined) {
      meldungZeigen([{ wo: `${name}`, text: r.fehler }]);
      return;
    }
    herunterladen(name, r.wert);
  }

  function knopf(beschriftung, titel, aktion) {
    const b = document.createElement('button');
    b.type = 'button';
    b.textContent = beschriftung;
    b.title = titel;
    b.className = 'klein';
    b.addEventListener('click', aktion);
    return b;
  }

  function dateistamm(w, v, name) {
    if (v.schluessel === 'geladen') return `geladen_${name.replace(/[^A-Za-z0-9_-]+/g, '_').slice(0, 40)}`;
    if (w.quelle === 'daten') return `${v.schluessel}_daten`;
    return `${v.schluessel}_${w.m === 0 ? 'formel' : `f${w.m}`}_${ARTKUERZEL[w.art]}_n${w.n}`;
  }

  function tabelleZeigen(w, ergebnisse, fehlgeschlagen) {
    const tbody = document.querySelector('#tabelle tbody');
    tbody.replaceChildren();
    const zeile = (zellen) => {
      const tr = document.createElement('tr');
      for (const z of zellen) {
        const td = document.createElement('td');
        if (typeof z === 'string') td.textContent = z; else td.append(...z);
        tr.append(td);
      }
      tbody.append(tr);
      return tr;
    };
    for (const r of ergebnisse) {
      const v = r.v;
      const punkte = w.punkte - 1;
      const stamm = dateistamm(w, v, r.name);
      const knoepfe = [
        knopf(w.quelle === 'daten' && zustand.datenArt === 1 ? 'Interpolation' : 'Problem',
          'die Interpolationsaufgabe als Datei (ein Spline wie von splineerzeuger), für kurvenpunkte und beiwerte',
          () => dateiAnbieten(`${stamm}.txt`, 'problem', w, v)),
        knopf('Kurvenpunkte', `die Werte an ${punkte + 1} Punkten (wie kurvenpunkte ${punkte})`,
          () => dateiAnbieten(`kurvenpunkte_${stamm}.txt`, 'kurvenpunkte', w, v, punkte)),
        knopf('Koeffizienten', 'die Koeffizienten (wie beiwerte)',
          () => dateiAnbieten(`koeffizienten_${stamm}.txt`, 'koeffizienten', w, v)),
      ];
      const name = document.createElement('span');
      name.className = 'farbmarke';
      name.style.borderColor = v.farbe;
      name.textContent = v.titel;
      const knotenText = w.quelle === 'daten'
        ? `${r.knoten.x.length}, ${zustand.datenArt === 1 ? r.typ : 'gegeben'}`
        : `${w.n + 1}, ${ARTEN[w.art]}`;
      const maxText = r.maxText === undefined ? '–' : r.maxText + (r.rundung ? '*' : '');
      const tr = zeile([[name], knotenText, maxText, knoepfe]);
      tr.dataset.verfahren = v.schluessel;
      tr.children[2].className = r.rundung ? 'zahl rundung' : 'zahl';
    }
    for (const f of fehlgeschlagen) {
      const tr = zeile([f.v.titel, '', 'Fehler (siehe oben)', '']);
      tr.dataset.verfahren = f.v.schluessel;
    }
    $('tabelle_fussnote').textContent = ergebnisse.some((r) => r.rundung) ? RUNDUNG_LEGENDE : '';
    if (w.quelle !== 'daten') {
      const punkte = w.punkte - 1;
      const tr = zeile(['f (exakt)', `${punkte + 1} Messpunkte`, '', [
        knopf('Beispielwerte', `die exakten Werte an ${punkte + 1} Punkten (wie beispielwerte${problemArgumente(w.m).schalter} ${punkte} ${problemArgumente(w.m).args})`,
          () => dateiAnbieten(`beispielwerte_${w.m === 0 ? 'formel' : `f${w.m}`}_${punkte}.txt`,
            'beispielwerte', w, null, punkte)),
      ]]);
      tr.dataset.verfahren = 'exakt';
    }
  }

  // ---- One pass: compute everything for the current choice and draw it ------------

  let laeuft = false;
  let nochmal = false;
  // The time of a pass, from its start to the end of uPlot's drawing, with
  // the part spent in the module; shown at the foot of the page.
  function zeitZeigen(beginn, gerechnet) {
    const dauer = performance.now() - beginn;
    $('zeit').textContent = `zuletzt gerechnet und gezeichnet in ${dauer.toFixed(0)} ms ` +
      `(davon Rechnen ${(gerechnet - beginn).toFixed(1)} ms)`;
    document.body.dataset.dauer = dauer.toFixed(1);
    document.body.dataset.rechnen = (gerechnet - beginn).toFixed(1);
  }

  // A new input while the worker computes a pass ends that pass (its
  // figures are stale) and computes the new choice; while a pass draws, the
  // new choice follows it.
  let rechnet = false;
  async function aktualisieren() {
    if (laeuft) {
      nochmal = true;
      if (rechnet) rechner.bild.abbrechen();
      return;
    }
    laeuft = true;
    document.body.dataset.laeuft = '1';
    try {
      do {
        nochmal = false;
        await durchlauf();
      } while (nochmal);
    } finally {
      laeuft = false;
      document.body.dataset.laeuft = '0';
    }
  }

  // Lets the browser handle input and paint between the parts of drawing,
  // so that no part holds the main thread long.
  const pause = () => new Promise((r) => setTimeout(r, 0));

  async function durchlauf() {
    const beginn = performance.now();
    const w = wahl();
    let liste = w.verfahren.filter((v) => (v.arten & (1 << w.art)) !== 0).map((v) => ({ ...v, ...v.stile[w.art] }));
    if (w.quelle === 'daten') {
      liste = liste.filter((v) => !v.abl2);
      // An interpolation text is drawn as it is; nothing loaded, nothing drawn.
      if (zustand.datenArt === 1) liste = [GELADEN];
      if (zustand.datenArt === 0) liste = [];
    }
    let lebesgueGrund = 'Zu eigenen Daten zeigt die Seite die Lebesgue-Funktion nicht.';
    if (w.quelle !== 'daten' && w.n > LEBESGUE_MAX_N) {
      lebesgueGrund = `Die Lebesgue-Funktion zeigt die Seite bis n = ${LEBESGUE_MAX_N}.`;
    }
    const fortschritt = fortschrittBeginnen('fortschritt', `n = ${w.n}`);
    rechnet = true;
    let r;
    try {
      r = await rechner.bild.fragen('durchlauf', { w, liste, lebesgue: w.quelle !== 'daten' && w.n <= LEBESGUE_MAX_N,
        breite: bildBreite($('bild_funktion')) },
        (f) => fortschritt.melden({ was: `${f.was}, n = ${w.n}`, anteil: f.anteil }));
    } finally {
      rechnet = false;
      fortschritt.ende();
    }
    // Cancelled: the last finished picture stays.
    if (r.abgebrochen) {
      document.body.dataset.abbrueche = String(Number(document.body.dataset.abbrueche || 0) + 1);
      return;
    }
    const hinweise = r.hinweise;
    // A fault of the page's own worker: shown as the library's messages are.
    const { ergebnisse, fehlgeschlagen, meldungen, fy, lebesgue } = r.wert || { ergebnisse: [], fehlgeschlagen: [],
      meldungen: [{ wo: 'Seite', text: r.fehler }], fy: null, lebesgue: null };
    const x = ergebnisse.length > 0 ? ergebnisse[0].x : r.wert && r.wert.x;
    const gerechnet = performance.now();
    // The answer's arrival (its copy out of the worker) is a task of its own.
    await pause();
    if (liste[0] === GELADEN && ergebnisse[0]) {
      ergebnisse[0].v = { ...GELADEN, ...zustand.geladenStil, titel: ergebnisse[0].name };
    }
    meldungZeigen(meldungen);
    hinweiseZeigen(hinweise);
    // One plot a task: its data are put together in one, it is made (or
    // given them and drawn) in the next, and a plot made new is drawn in
    // the task after.
    const nachreichen = async (bild, daten) => {
      await pause();
      if (daten) {
        bilder[bild].setData(daten);
        await pause();
      }
    };
    await nachreichen('funktion', await funktionZeichnen(w, ergebnisse, fy, x || []));
    await nachreichen('fehler', await fehlerZeichnen(w, ergebnisse));
    await nachreichen('lebesgue', lebesgueZeichnen(w, lebesgue, lebesgueGrund));
    tabelleZeigen(w, ergebnisse, fehlgeschlagen);
    if (w.quelle === 'daten') {
      $('n_daten').textContent = ergebnisse.length > 0
        ? `n = ${ergebnisse[0].knoten.x.length - 1} aus den Daten.` : 'n ergibt sich aus den Daten.';
    }
    const titel = w.quelle === 'daten'
      ? `Eigene Daten: ${zustand.datenInfo || 'noch keine geladen (Text einfügen und „Laden“, oder eine Datei öffnen)'}`
      : `${problemTitel(w.m)}, n = ${w.n}, ${ARTEN[w.art]}`;
    $('titel_funktion').textContent = titel;
    // uPlot draws in a microtask queued by setData; it has run when this
    // continuation does.
    await Promise.resolve();
    zeitZeigen(beginn, gerechnet);
    // When the worker computed (performance.now() at the start and the end).
    document.body.dataset.rechenfenster = `${beginn.toFixed(1)} ${gerechnet.toFixed(1)}`;
    document.body.dataset.n = String(w.n);
    document.body.dataset.durchlaeufe = String(Number(document.body.dataset.durchlaeufe || 0) + 1);
  }

  // ---- The convergence study ---------------------------------------------------
  // The study module of fehlerstudie runs in the module; the page shows its
  // tables and draws its figures against n.

  // The dashes of the reference lines: h^2, h^4 and the geometric rate (0).
  const BEZUG_STRICHE = { 2: [8, 5], 4: [2, 3], 0: [12, 4, 2, 4] };

  const studienBild = { plot: null, signatur: '', bereich: [1e-16, 1], xBereich: [1, 10] };
  const SCHALTER = { 0: '', 1: ' -p', 2: ' -s', 3: ' -p -s' };

  function studieBefehl(m, punkte, spaltenwahl, nListe) {
    const g = punkte === 0 ? '' : ` -g ${punkte}`;
    const f = problemArgumente(m);
    return `fehlerstudie${SCHALTER[spaltenwahl]}${f.schalter}${g} ${f.args} ${nListe.join(' ')}`;
  }

  function studienTabelle(tabelle, ueberschrift, s, zelle, abK) {
    tabelle.replaceChildren();
    const caption = document.createElement('caption');
    caption.textContent = ueberschrift;
    tabelle.append(caption);
    const kopf = document.createElement('tr');
    for (const [t, farbe, titel] of [['n', null, 'n = Anzahl der Stützstellen − 1'],
      ...s.spalten.map((sp) => [sp.spalte, sp.farbe, sp.titel])]) {
      const th = document.createElement('th');
      th.textContent = t;
      th.title = titel;
      if (farbe) th.style.borderBottomColor = farbe;
      kopf.append(th);
    }
    tabelle.append(kopf);
    for (let k = abK; k < s.n.length; ++k) {
      const tr = document.createElement('tr');
      const nZelle = document.createElement('td');
      nZelle.textContent = String(s.n[k]);
      tr.append(nZelle);
      s.spalten.forEach((sp, j) => tr.append(zelle(sp, k, j)));
      tabelle.append(tr);
    }
  }

  // The key of a column in the plot: its title, and for a column that does
  // not converge why its figures leave the plot.  Figures on the ceiling
  // that all carry the rounding mark are rounding of the Newton form, not
  // divergence of the method: "Rundung"; otherwise "divergiert".
  function studienSchluessel(sp, decke) {
    if (sp.konvergiert) return sp.titel;
    const gekappt = sp.fehler.map((e, k) => k).filter((k) => sp.zellen[k] !== '-' && !(sp.fehler[k] <= decke));
    const rundung = sp.rundung.some((r) => r) && gekappt.every((k) => sp.rundung[k]);
    const warum = rundung ? 'Rundung' : 'divergiert';
    return gekappt.length > 0 ? `${sp.titel} (${warum}; gekappt)` : `${sp.titel} (${warum})`;
  }

  function studieZeigen(s, spaltenwahl) {
    $('studie_inhalt').hidden = false;
    const fehlerZelle = (sp, k) => {
      const td = document.createElement('td');
      // A figure of a grid too coarse is a lower bound, a 0 there says nothing.
      const wert = s.grob[k] ? (sp.zellen[k] === '0' ? '~' : `${sp.zellen[k]}~`) : sp.zellen[k];
      td.textContent = wert + (sp.rundung[k] ? '*' : '');
      if (sp.rundung[k]) td.className = 'rundung';
      return td;
    };
    const ordnungZelle = (sp, k) => {
      const td = document.createElement('td');
      td.textContent = sp.ordnungen[k];
      return td;
    };
    studienTabelle($('studie_fehler'), `Größter Fehler max |p(x) − f(x)| an ${s.gitterText} Punkten`, s, fehlerZelle, 0);
    if (s.n.length > 1) {
      studienTabelle($('studie_ordnung'), 'Beobachtete Ordnung log(e(n_vorher)/e(n)) / log(n/n_vorher)', s, ordnungZelle, 1);
    } else {
      $('studie_ordnung').replaceChildren();
    }
    const fussnoten = [];
    if (s.spalten.some((sp) => sp.rundung.some((r) => r))) {
      fussnoten.push(RUNDUNG_LEGENDE);
    }
    if (s.grob.some((g) => g)) {
      fussnoten.push('~ Messgitter zu grob (weniger als 10 Schritte je Intervall): der Fehler ist mindestens so groß; ' +
        '~ allein: an den Messpunkten kein Fehler, zwischen ihnen nicht gemessen. Mehr Messpunkte oben.');
    }
    if (s.spalten.some((sp) => sp.zellen.includes('-'))) {
      fussnoten.push('– nicht berechnet: Newton-Form über n = 10000 (Aufwand n²).');
    }
    $('studie_fussnote').textContent = fussnoten.join(' ');
    $('studie_text').textContent = s.text;
    $('studie_decke').textContent = `Die Achse endet bei ${s.deckeText} (gepunktete Linie), der Zehnerpotenz über ` +
      'dem größten Fehler der konvergierenden Spalten: größere Fehler, auch inf und nan, liegen auf ihr.' +
      (s.grob.some((g) => g)
        ? ` Bei n = ${s.n.filter((_, k) => s.grob[k]).join(', ')} ist das Messgitter zu grob (~ in der Tabelle): ` +
          'dort liegt der wahre Fehler über dem gezeichneten.'
        : '');

    // The figures against n, on logarithmic axes: a figure above the
    // ceiling (or not a number) lies on it, one not computed leaves a gap.
    const el = $('bild_studie');
    const reihen = s.spalten.map((sp) => sp.fehler.map((e, k) => {
      if (sp.zellen[k] === '-') return null;
      if (!(e <= s.decke)) return s.decke;
      return e > 0 ? e : null;
    }));
    // The reference slopes, thin and grey, each with its own dash; only
    // inside the plotted range.
    const bezugReihen = s.bezug.map((b) => b.werte.map((e) => (e >= s.boden && e <= s.decke ? e : null)));
    const daten = [s.n, ...reihen, s.n.map(() => s.decke), ...bezugReihen];
    const serien = [{ label: 'n' }, ...s.spalten.map((sp) => ({
      label: studienSchluessel(sp, s.decke),
      stroke: sp.farbe, width: sp.breite, dash: sp.dash, points: { show: true, size: 7, fill: sp.farbe },
    })), { label: 'Decke', stroke: '#606060', width: 1.5, dash: [2, 4], points: { show: false } },
    ...s.bezug.map((b) => ({ label: b.label, stroke: '#8a8a8a', width: 1.25, dash: BEZUG_STRICHE[b.p],
      spanGaps: true, points: { show: false } }))];
    studienBild.bereich = [s.boden, s.decke * 3];
    studienBild.xBereich = [s.n[0] / 1.5, s.n[s.n.length - 1] * 1.5];
    studienBild.n = s.n;
    const signatur = serien.map((x) => x.label).join('|');
    if (studienBild.plot && studienBild.signatur === signatur) {
      studienBild.plot.setData(daten);
    } else {
      if (studienBild.plot) studienBild.plot.destroy();
      studienBild.signatur = signatur;
      studienBild.plot = new uPlot({
        width: bildBreite(el),
        height: 400,
        scales: { x: { time: false, distr: 3, log: 10, range: () => studienBild.xBereich },
          y: { distr: 3, log: 10, range: () => studienBild.bereich } },
        axes: [{ ...ACHSE, label: 'n', splits: () => studienBild.n, filter: (u, v) => v,
          values: (u, werte) => werte.map((v) => (v == null ? '' : String(v))) },
        { ...ACHSE, label: 'max |p(x) − f(x)|', size: 70, splits: dekaden, filter: (u, v) => v,
          values: (u, werte) => werte.map(dekadeText) }],
        series: ablesbar(serien, WERT_N, WERT_LOG),
        ...ZEIGER,
      }, daten, el);
    }
    $('studie_titel').textContent = `Konvergenzstudie: ${problemTitel(s.m)}`;
    $('studie_befehl').textContent = studieBefehl(s.m, s.punkte, spaltenwahl, s.n);
  }

  let studieLaeuft = false;
  let studieNochmal = false;
  let studieRechnet = false;

  async function studieAktualisieren() {
    if (studieLaeuft) {
      studieNochmal = true;
      if (studieRechnet) rechner.studie.abbrechen();
      return;
    }
    studieLaeuft = true;
    document.body.dataset.studielaeuft = '1';
    try {
      do {
        studieNochmal = false;
        await studieDurchlauf();
      } while (studieNochmal);
    } finally {
      studieLaeuft = false;
      document.body.dataset.studielaeuft = '0';
    }
  }

  async function studieDurchlauf() {
    const w = wahl();
    const daten = w.quelle === 'daten';
    for (const id of ['studie_wahl', 'studie_rechnen', 'studie_n', 'studie_bis1024']) $(id).disabled = daten;
    if (daten) {
      $('studie_titel').textContent = 'Konvergenzstudie';
      $('studie_inhalt').hidden = true;
      $('studie_meldung').hidden = true;
      $('studie_hinweise').hidden = true;
      $('studie_hinweis').textContent = 'Die Studie misst den Fehler gegen eine bekannte Funktion: sie gibt es nur für die Beispielfunktionen.';
      return;
    }
    $('studie_hinweis').replaceChildren('Für die gewählte Beispielfunktion und die Messpunkte oben: dieselben Zahlen wie ',
      Object.assign(document.createElement('code'), { id: 'studie_befehl' }), '.');
    const spaltenwahl = Number($('studie_wahl').value);
    const beginn = performance.now();
    const fortschritt = fortschrittBeginnen('studie_fortschritt', 'Konvergenzstudie');
    studieRechnet = true;
    let r;
    try {
      // Without points set by the user the grid follows n (max(1001, 10 n + 1)
      // points), as fehlerstudie's without -g.
      r = await rechner.studie.fragen('studie', { w, nText: $('studie_n').value, spaltenwahl,
        punkte: zustand.punkteFest ? w.punkte : 0 }, (f) => fortschritt.melden(f));
    } finally {
      studieRechnet = false;
      fortschritt.ende();
    }
    if (r.abgebrochen) {
      document.body.dataset.studienabbrueche = String(Number(document.body.dataset.studienabbrueche || 0) + 1);
      return;
    }
    if (r.wert) {
      for (const sp of r.wert.spalten) sp.titel = mitUmlauten(sp.titel);
    }
    const hinweise = r.hinweise;
    const dauer = performance.now() - beginn;
    // Warnings as fehlerstudie writes them to standard error: the first line
    // shows, the rest (a continued periodic spline lists its nodes) on demand.
    $('studie_hinweise').hidden = hinweise.length === 0;
    $('studie_hinweiszeile').textContent = hinweise.length > 1
      ? `Hinweise der Bibliothek: ${hinweise[0]} (und ${hinweise.length - 1} Zeilen mehr)`
      : `Hinweis der Bibliothek: ${hinweise[0] || ''}`;
    $('studie_hinweistext').textContent = hinweise.join('\n');
    if (r.fehler !== undefined) {
      const el = $('studie_meldung');
      el.hidden = false;
      el.replaceChildren(Object.assign(document.createElement('strong'), { textContent: 'Konvergenzstudie: ' }),
        Object.assign(document.createElement('code'), { textContent: r.fehler.replace(/\n+$/, '') }));
      $('studie_inhalt').hidden = true;
      document.body.dataset.studienfehler = String(Number(document.body.dataset.studienfehler || 0) + 1);
      return;
    }
    $('studie_meldung').hidden = true;
    studieZeigen(r.wert, spaltenwahl);
    $('studie_zeit').textContent = `gerechnet und gezeichnet in ${dauer.toFixed(0)} ms`;
    document.body.dataset.studiendauer = dauer.toFixed(1);
    zustand.studie = r.wert;
    document.body.dataset.studien = String(Number(document.body.dataset.studien || 0) + 1);
  }

  // ---- Loading the user's text -------------------------------------------------

  // The methods a value file takes: those without f'' at the ends, on given
  // nodes.
  const datenVerfahren = () => zustand.verfahren.filter((v) => !v.abl2 && (v.arten & (1 << Number(GEGEBEN))) !== 0);

  // undefined when the first method for own data can be made over the
  // value file loaded last, else the library's message.
  async function datenPruefen() {
    const v = datenVerfahren()[0];
    if (v === undefined) return 'Kein Verfahren für eigene Daten.';
    const r = await rechner.neben.fragen('pruefen', { k: v.k });
    return r.fehler;
  }

  async function datenLaden(bytes, herkunft) {
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
      document.body.dataset.ladefehler = String(Number(document.body.dataset.ladefehler || 0) + 1);
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
  async function formelAendern() {
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
      document.body.dataset.formelfehler = String(Number(document.body.dataset.formelfehler || 0) + 1);
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
  function steuerungAnpassen() {
    const daten = zustand.quelle === 'daten';
    $('datenbereich').hidden = !daten;
    $('formelbereich').hidden = zustand.quelle !== 'formel';
    const werte = daten && zustand.datenArt === 2;
    const interpolation = daten && zustand.datenArt === 1;
    $('art_gegeben').hidden = !daten;
    for (const r of document.querySelectorAll('input[name="art"]')) {
      r.disabled = daten ? r.value !== GEGEBEN : r.value === GEGEBEN;
    }
    const gewaehlt = document.querySelector('input[name="art"]:checked').value;
    const erste = document.querySelector(`input[name="art"]:not([value="${GEGEBEN}"])`).value;
    const gesucht = daten ? GEGEBEN : (gewaehlt === GEGEBEN ? erste : gewaehlt);
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

  // ---- Playing n -----------------------------------------------------------------
  // n steps through 1..ABSPIELEN_BIS, one step every ABSPIELEN_MS or when the
  // previous picture is drawn, whichever is later; pressing again stops.

  const ABSPIELEN_BIS = 60;
  const ABSPIELEN_MS = 400;
  let spielt = false;

  async function abspielen() {
    const knopf = $('abspielen');
    if (spielt) {
      spielt = false;
      return;
    }
    spielt = true;
    knopf.setAttribute('aria-pressed', 'true');
    knopf.textContent = 'Anhalten';
    const regler = $('n_regler');
    try {
      for (let n = zustand.n >= ABSPIELEN_BIS ? 1 : zustand.n + 1; spielt && n <= ABSPIELEN_BIS; ++n) {
        zustand.n = n;
        regler.value = String(reglerAusN(n));
        $('n').value = String(n);
        $('n_meldung').hidden = true;
        await Promise.all([aktualisieren(), new Promise((r) => setTimeout(r, ABSPIELEN_MS))]);
        // A pass already running takes the new n after its end: wait for it.
        while (spielt && laeuft) await new Promise((r) => setTimeout(r, 20));
      }
    } finally {
      spielt = false;
      knopf.setAttribute('aria-pressed', 'false');
      knopf.textContent = 'Abspielen';
    }
  }

  // ---- Start -------------------------------------------------------------------

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
        GEGEBEN = nummer;
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
    regler.value = String(reglerAusN(zustand.n));
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
        document.body.dataset.nfehler = String(Number(document.body.dataset.nfehler || 0) + 1);
        return;
      }
      if (r.n === zustand.n) return;
      zustand.n = r.n;
      regler.value = String(reglerAusN(r.n));
      aktualisieren();
    };
    regler.addEventListener('input', () => {
      zustand.n = nAusRegler(Number(regler.value));
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
    $('abbrechen').addEventListener('click', () => rechner.bild.abbrechen());
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

    steuerungAnpassen();
    $('laden_hinweis').hidden = true;
    $('seite').hidden = false;
    await aktualisieren();
    await studieAktualisieren();
    document.body.dataset.bereit = '1';
  }

  // For the tests and for measuring: the functions behind the page.
  window.numerikSeite = { aktualisieren, modulStarten, bib, bilder, studienBild };

  start().catch((e) => {
    console.error(e);
    $('laden_hinweis').textContent = `Die Bibliothek konnte nicht geladen werden: ${e && e.message ? e.message : e}`;
    $('laden_hinweis').className = 'meldung';
  });
})();
