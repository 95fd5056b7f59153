// Drawing: the function with the interpolants and their nodes, the
// pointwise error and the Lebesgue function, each a uPlot; what the study's
// plot shares with them (axes, read-out, log ticks).  Dense curves are
// drawn as the area between their per-column envelopes, and one plot is
// made or drawn a task, so that no task of the main thread runs long.
import { $, ARTEN } from './zustand.js';

const FEHLER_DECKE = 1e3; // the error plot's ceiling
const KNOTEN_GEZEIGT = 1000; // node markers up to this many nodes

// Lets the browser handle input and paint between the parts of drawing,
// so that no part holds the main thread long.
export const pause = () => new Promise((r) => setTimeout(r, 0));

export const bilder = { funktion: null, fehler: null, lebesgue: null, signaturF: '', signaturE: '' };
const bereich = { f: [-1, 1], e: [1e-16, 1], l: [1, 10] };

export const endlich = (x) => Number.isFinite(x);
export const ACHSE = { font: '15px sans-serif', labelFont: 'bold 15px sans-serif', stroke: '#222',
  grid: { stroke: '#ddd', width: 1 }, ticks: { stroke: '#bbb' } };

// A line's dash as a CSS border style, so that a key shows it as well as
// the colour: long dashes, dots, dash and dot.
export function strichStil(dash) {
  if (!dash || dash.length === 0) return 'solid';
  if (dash.length > 2) return 'double';
  return dash[0] <= 3 ? 'dotted' : 'dashed';
}
const LEGENDE = { live: true, markers: { width: 3, dash: (u, i) => strichStil(u.series[i].dash) } };

// Every plot reads out its values under the pointer in its key, zooms
// into the x range dragged over, and shows all again on a double click.
export const ZEIGER = { legend: LEGENDE, cursor: { drag: { x: true, y: false, setScale: true } } };

// The plots of the main view zoom into the x window dragged over (two
// fingers on a touch screen, + and - on the keyboard), y following what is
// visible there.  The window is kept per plot across passes (a change of
// n, Play) until the problem changes; a double click (or 0) shows all.
export const zoom = { funktion: null, fehler: null, lebesgue: null };
export function zoomLoesen() {
  for (const k of Object.keys(zoom)) zoom[k] = null;
}
const xSkala = (name) => ({ time: false, range: (u, lo, hi) => zoom[name] || [lo, hi] });
// y over the full picture, or fitted to the values in the zoomed window
// (within the full picture: a diverging curve is still cut at its frame).
function ySkala(name, voll, log) {
  const skala = { range: (u, lo, hi) => {
    const b = voll();
    if (!zoom[name] || lo == null || hi == null || !(lo <= hi)) return b;
    let a = Math.max(lo, b[0]);
    let c = Math.min(hi, b[1]);
    if (!(a <= c)) return b;
    if (log) return [Math.max(b[0], a / 1.5), Math.min(b[1], c * 1.5)];
    const rand = (c - a) * 0.08 || Math.abs(a) * 0.05 || 1;
    a -= rand;
    c += rand;
    return [a, c];
  } };
  return log ? { ...skala, distr: 3, log: 10 } : skala;
}
function zoomSetzen(u, name, fenster) {
  const x = u.data[0];
  const ganz = [x[0], x[x.length - 1]];
  zoom[name] = fenster && fenster[1] - fenster[0] < (ganz[1] - ganz[0]) * 0.999 ? fenster : null;
  const [min, max] = zoom[name] || ganz;
  u.setScale('x', { min, max });
}
export const ZOOM_HINWEIS = 'Ziehen: vergroessern, Doppelklick: zurueck';
// Keyboard and touch on a plot's area.
function bedienen(u, name) {
  const flaeche = u.over;
  flaeche.tabIndex = 0;
  flaeche.setAttribute('role', 'group');
  flaeche.setAttribute('aria-label', 'Diagramm: Pfeiltasten links und rechts lesen Werte ab, + und − vergrößern ' +
    'und verkleinern, 0 zeigt alles');
  flaeche.style.touchAction = 'pan-y';
  const fenster = () => [u.scales.x.min, u.scales.x.max];
  flaeche.addEventListener('keydown', (e) => {
    const x = u.data[0];
    const [a, b] = fenster();
    if (e.key === 'ArrowLeft' || e.key === 'ArrowRight') {
      let i = u.cursor.idx == null ? -1 : u.cursor.idx;
      const schritt = Math.max(1, Math.round(x.length / 200)) * (e.key === 'ArrowLeft' ? -1 : 1);
      i = i < 0 ? x.findIndex((v) => v >= a) : Math.min(x.length - 1, Math.max(0, i + schritt));
      if (x[i] < a || x[i] > b) return;
      u.setCursor({ left: u.valToPos(x[i], 'x'), top: u.over.clientHeight / 2 });
    } else if (e.key === '+' || e.key === '-' || e.key === '−') {
      const mitte = u.cursor.idx != null && x[u.cursor.idx] >= a && x[u.cursor.idx] <= b ? x[u.cursor.idx] : (a + b) / 2;
      const f = e.key === '+' ? 0.5 : 2;
      zoomSetzen(u, name, [mitte - (mitte - a) * f, mitte + (b - mitte) * f]);
    } else if (e.key === '0') {
      zoomSetzen(u, name, null);
    } else {
      return;
    }
    e.preventDefault();
  });
  // Two fingers: the x under each stays under it; one finger moves a
  // zoomed window.
  let beginn = null;
  const lage = (t) => t.clientX - flaeche.getBoundingClientRect().left;
  flaeche.addEventListener('touchstart', (e) => {
    beginn = { fenster: fenster(), x: [...e.touches].map((t) => u.posToVal(lage(t), 'x')) };
  }, { passive: true });
  flaeche.addEventListener('touchmove', (e) => {
    if (beginn === null) return;
    const p = [...e.touches].map(lage);
    if (p.length >= 2 && beginn.x.length >= 2 && Math.abs(p[1] - p[0]) > 10) {
      e.preventDefault();
      const breite = flaeche.clientWidth;
      const [xa, xb] = beginn.x;
      const skala = (xb - xa) / (p[1] - p[0]);
      const min = xa - p[0] * skala;
      zoomSetzen(u, name, [min, min + breite * skala]);
    } else if (p.length === 1 && zoom[name] && beginn.x.length === 1) {
      const [a, b] = beginn.fenster;
      const d = beginn.x[0] - u.posToVal(p[0], 'x');
      const x = u.data[0];
      if (a + d >= x[0] && b + d <= x[x.length - 1]) zoomSetzen(u, name, [a + d, b + d]);
    }
  }, { passive: false });
  flaeche.addEventListener('touchend', () => { beginn = null; });
}
export const zeigerZoom = (name) => ({
  legend: LEGENDE,
  cursor: {
    drag: { x: true, y: false, setScale: false },
    bind: { dblclick: (u) => () => { zoomSetzen(u, name, null); return null; } },
  },
  hooks: {
    setSelect: [(u) => {
      if (u.select.width < 3) return;
      const fenster = [u.posToVal(u.select.left, 'x'), u.posToVal(u.select.left + u.select.width, 'x')];
      u.setSelect({ left: 0, top: 0, width: 0, height: 0 }, false);
      zoomSetzen(u, name, fenster);
    }],
    ready: [(u) => bedienen(u, name)],
  },
});
// The read-out values: on a linear axis six digits, on a log axis three.
export const WERT_LIN = (u, v) => (v == null ? '–' : String(Number(v.toPrecision(6))));
export const WERT_LOG = (u, v) => (v == null ? '–' : v.toExponential(2));
export const WERT_N = (u, v) => (v == null ? '–' : String(v));
// The series with their read-out: x by wertX, the others by wertY.
export const ablesbar = (serien, wertX, wertY) => serien.map((s, i) => ({ value: i === 0 ? wertX : wertY, ...s }));

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

// What a plot made for these series draws them with: a plot is reused only
// for series of the same names, colours, dashes, widths and markers (the
// same method on another node kind has another colour).
export const serienSignatur = (serien) => serien.map((s) =>
  [s.label, s.stroke, (s.dash || []).join(','), s.width, s.points ? s.points.size : 0].join(':')).join('|');

// The text beside a plot for those who do not see it: what is drawn and
// its extremes.
const zahlText = (v) => String(Number(v.toPrecision(4)));
function spanne(werte) {
  let lo = Infinity;
  let hi = -Infinity;
  for (const y of werte) if (endlich(y)) { lo = Math.min(lo, y); hi = Math.max(hi, y); }
  return lo <= hi ? `von ${zahlText(lo)} bis ${zahlText(hi)}` : 'ohne endliche Werte';
}
export function textZeigen(id, text) {
  $(id).textContent = text;
}

export function bildBreite(el) {
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

export async function funktionZeichnen(w, ergebnisse, fy, x) {
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

  const x0 = x.length > 0 ? x[0] : alleKnoten.x[0];
  const x1 = x.length > 0 ? x[x.length - 1] : alleKnoten.x[alleKnoten.x.length - 1];
  textZeigen('bild_funktion_text', `Diagramm über x von ${zahlText(x0)} bis ${zahlText(x1)}: ` +
    [...(fy ? [`f (exakt) ${spanne(fy)}`] : []), ...ergebnisse.map((r) => `${r.v.titel} ${spanne(r.y)}`)].join('; ') +
    `; ${alleKnoten.x.length} Stützstellen.`);
  const signatur = serienSignatur(serien);
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
    scales: { x: xSkala('funktion'), y: ySkala('funktion', () => bereich.f, false) },
    axes: [{ ...ACHSE, label: 'x' }, { ...ACHSE, label: 'y', size: 70 }],
    series: ablesbar(serien, WERT_LIN, WERT_LIN),
    ...zeigerZoom('funktion'),
  }, leer(daten), el);
  return daten;
}

// A new plot is made empty and given its data in a task of its own: the
// making (its key, axes and canvas) and the drawing each take a task.
export const leer = (daten) => daten.map(() => []);

// Ticks of a log axis: whole decades, at most about eight of them.
export function dekaden(u, achse, min, max) {
  const a = Math.round(Math.log10(min));
  const b = Math.round(Math.log10(max));
  const schritt = Math.max(1, Math.ceil((b - a) / 8));
  const ticks = [];
  for (let k = b; k >= a; k -= schritt) ticks.unshift(Math.pow(10, k));
  return ticks;
}
export function dekadeText(v) {
  if (v == null) return '';
  const k = Math.round(Math.log10(v));
  return k === 0 ? '1' : k === 1 ? '10' : `1e${k}`;
}

export async function fehlerZeichnen(w, ergebnisse, gewaehlt = true) {
  const el = $('bild_fehler');
  const mitFehler = ergebnisse.filter((r) => r.e);
  const hinweis = $('fehler_hinweis');
  if (mitFehler.length === 0) {
    if (bilder.fehler) { bilder.fehler.destroy(); bilder.fehler = null; bilder.signaturE = ''; }
    el.hidden = true;
    hinweis.hidden = false;
    hinweis.textContent = w.quelle === 'daten'
      ? 'Zu eigenen Daten ist keine exakte Funktion bekannt: der Fehler wird nur für die Beispielfunktionen gezeigt.'
      : gewaehlt ? 'Kein gewähltes Verfahren hat gerechnet (siehe die Meldungen oben).' : 'Kein Verfahren gewählt.';
    return;
  }
  el.hidden = false;
  // Zero and values that are no finite number have no place on the log
  // axis; the ceiling cuts diverging methods, the note says where.
  let lo = Infinity;
  let hi = 0;
  const reihen = mitFehler.map((r) => Array.from(r.e, (e) => {
    if (e === 0) return 0;
    if (!(e > 0) || !endlich(e)) return null;
    lo = Math.min(lo, e);
    hi = Math.max(hi, e);
    return e;
  }));
  // Cut at the ceiling: a curve whose largest error is above it, or one
  // with values above it beside values that are no number (its largest
  // error is then no number, and says nothing about where it is cut).
  const ueberDecke = (r) => r.max > FEHLER_DECKE || (!endlich(r.max) && r.e.some((e) => e > FEHLER_DECKE));
  const abgeschnitten = mitFehler.filter(ueberDecke);
  if (!endlich(lo)) { lo = 1e-16; hi = 1; }
  // The dips at the nodes go down to rounding level; the axis shows five
  // decades below the smallest method's largest error and cuts the rest.
  const kleinstesMax = Math.min(...mitFehler.map((r) => (r.max > 0 ? r.max : Infinity)));
  if (endlich(kleinstesMax)) lo = Math.max(lo, kleinstesMax * 1e-5);
  lo = Math.max(lo, 1e-18);
  hi = Math.min(Math.max(hi, lo * 10), FEHLER_DECKE);
  bereich.e = [Math.pow(10, Math.floor(Math.log10(lo))), Math.pow(10, Math.ceil(Math.log10(hi)))];
  // An error of 0 (at a node, where p meets f exactly) lies on the floor
  // of the log axis, so that every node's dip reaches it; the read-out
  // says 0.
  for (const reihe of reihen) for (let i = 0; i < reihe.length; ++i) if (reihe[i] === 0) reihe[i] = bereich.e[0];
  hinweis.hidden = abgeschnitten.length === 0;
  hinweis.textContent = abgeschnitten.length === 0 ? ''
    : `Die Achse endet bei ${dekadeText(FEHLER_DECKE)}; darüber abgeschnitten: ` +
      abgeschnitten.map((r) => `${r.v.titel} (${endlich(r.max) ? `max ${r.maxText}` : 'auch Werte, die keine Zahl sind'})`)
        .join(', ') + '.';

  const serien = [{ label: 'x' }, ...mitFehler.map((r) => linie({ label: r.v.titel, stroke: r.v.farbe,
    width: r.v.breite || 2, dash: r.v.dash, spanGaps: true, points: { show: false } }))];
  const boden = bereich.e[0];
  const rohE = mitFehler.map((r) => r.e);
  serien.forEach((s, i) => {
    if (i > 0) s.value = (u, v, si, di) => (di != null && rohE[si - 1][di] === 0 && v === boden ? '0' : WERT_LOG(u, v));
  });
  const daten = [mitFehler[0].xe || mitFehler[0].x, ...reihen];
  textZeigen('bild_fehler_text', 'Größter Fehler: ' +
    mitFehler.map((r) => `${r.v.titel} ${r.maxText}`).join('; ') + '.');
  const signatur = serienSignatur(serien);
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
    scales: { x: xSkala('fehler'), y: ySkala('fehler', () => bereich.e, true) },
    axes: [{ ...ACHSE, label: 'x' }, { ...ACHSE, label: '|p(x) − f(x)|', size: 70,
      splits: dekaden, filter: (u, werte) => werte, values: (u, werte) => werte.map(dekadeText) }],
    series: ablesbar(serien, WERT_LIN, WERT_LOG),
    ...zeigerZoom('fehler'),
  }, leer(daten), el);
  return daten;
}

// The Lebesgue function of the chosen nodes, lambda(x) = sum |l_j(x)|:
// the factor by which the interpolating polynomial on these nodes can
// magnify an error in the values, and (plus one) how far its error can be
// from the best polynomial's.  Up to n = LEBESGUE_MAX_N on at most
// 10001 points (rechner.js): it costs n operations a point, twice (the
// function and its refined maximum).
export const LEBESGUE_MAX_N = 1000;

export function lebesgueZeichnen(w, erg, grund) {
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
    scales: { x: xSkala('lebesgue'), y: ySkala('lebesgue', () => bereich.l, true) },
    axes: [{ ...ACHSE, label: 'x' }, { ...ACHSE, label: 'λ(x)', size: 70,
      splits: dekaden, filter: (u, werte) => werte, values: (u, werte) => werte.map(dekadeText) }],
    series: ablesbar([{ label: 'x' }, linie({ label: 'λ(x)', stroke: '#444444', width: 1.5, spanGaps: true,
      points: { show: false } })], WERT_LIN, WERT_LOG),
    ...zeigerZoom('lebesgue'),
  }, leer(daten), el);
  return daten;
}

