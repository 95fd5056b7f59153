// Why the columns of the study behave as they do: the library's verdicts
// (the befund's "warum"), shown beside the tables.  The page draws what
// the library concluded and decides nothing: the verdict lines, the
// complex plane with [a, b], the Bernstein ellipse through the nearest
// singularity, the boundary of the Runge region and the singularities
// found (hover: position and residue), and |a_k| of f with the line
// rho^-k and the rounding plateau.
import { $ } from './zustand.js';

const SVG = 'http://www.w3.org/2000/svg';

function element(name, attribute) {
  const e = document.createElementNS(SVG, name);
  for (const [k, v] of Object.entries(attribute)) e.setAttribute(k, String(v));
  return e;
}

// Four significant digits, without trailing zeros after the point.
function zahlText(x) {
  if (!Number.isFinite(x)) return String(x);
  const [mantisse, exponent] = x.toPrecision(4).split('e');
  const m = mantisse.includes('.') ? mantisse.replace(/\.?0+$/, '') : mantisse;
  return exponent === undefined ? m : `${m}e${exponent}`;
}

// Parts below 1e-9 of the other are the fit's rounding, shown as 0.
function komplexText(re, im) {
  const groesse = Math.max(Math.abs(re), Math.abs(im));
  const r = Math.abs(re) < 1e-9 * groesse ? 0 : re;
  const i = Math.abs(im) < 1e-9 * groesse ? 0 : im;
  if (i === 0) return zahlText(r);
  return `${zahlText(r)} ${i < 0 ? '−' : '+'} ${zahlText(Math.abs(i))}i`;
}

// The complex plane around [a, b]: what the library gives, mapped to pixels.
function ebene(w) {
  const breite = 360;
  const hoehe = 260;
  const mitte = (w.a + w.b) / 2;
  const halb = (w.b - w.a) / 2;
  const rho = Number.isFinite(w.rho) && w.rho > 1 ? w.rho : null;
  // Room for the ellipse, the Runge region and the singularities nearby.
  let weite = 1.3 * halb;
  if (rho) weite = Math.max(weite, 1.1 * halb * (rho + 1 / rho) / 2);
  for (const s of w.singularitaeten) weite = Math.max(weite, 1.1 * Math.hypot(s.re - mitte, s.im));
  weite = Math.min(weite, 4 * halb);
  const skala = Math.min(breite, hoehe * 1.3) / (2 * weite);
  const px = (x) => breite / 2 + (x - mitte) * skala;
  const py = (y) => hoehe / 2 - y * skala;
  const svg = element('svg', { viewBox: `0 0 ${breite} ${hoehe}`, role: 'img', class: 'warum_ebene',
    'aria-label': 'Komplexe Ebene: Intervall, Bernstein-Ellipse, Runge-Gebiet und Singularitäten' });
  svg.append(element('line', { x1: 0, y1: py(0), x2: breite, y2: py(0), stroke: '#c8c8c8' }));
  if (w.runge_rand.length > 0) {
    const punkte = [];
    for (let i = 0; i + 1 < w.runge_rand.length; i += 2) punkte.push(`${px(w.runge_rand[i])},${py(w.runge_rand[i + 1])}`);
    const rand = element('polygon', { points: punkte.join(' '), fill: 'none', stroke: '#d55e00', 'stroke-dasharray': '5 3' });
    rand.append(Object.assign(element('title', {}), { textContent: 'Rand des Runge-Gebiets (äquidistante Stützstellen)' }));
    svg.append(rand);
  }
  if (rho) {
    const ellipse = element('ellipse', { cx: px(mitte), cy: py(0), rx: halb * (rho + 1 / rho) / 2 * skala,
      ry: halb * (rho - 1 / rho) / 2 * skala, fill: 'none', stroke: '#0072b2' });
    ellipse.append(Object.assign(element('title', {}), { textContent: `Bernstein-Ellipse ρ = ${zahlText(rho)}` }));
    svg.append(ellipse);
  }
  svg.append(element('line', { x1: px(w.a), y1: py(0), x2: px(w.b), y2: py(0), stroke: '#000', 'stroke-width': 3 }));
  for (const s of w.singularitaeten) {
    const kreuz = element('circle', { cx: px(s.re), cy: py(s.im), r: 4, fill: s.runge ? '#d55e00' : '#0072b2' });
    kreuz.append(Object.assign(element('title', {}), {
      textContent: `Singularität bei ${komplexText(s.re, s.im)}, Residuum ${komplexText(s.res_re, s.res_im)}, ρ = ${zahlText(s.rho)}` }));
    svg.append(kreuz);
  }
  return svg;
}

// |a_k| on a logarithmic axis, with rho^-k through a_0's size and the
// rounding plateau.
function koeffizienten(w) {
  const breite = 360;
  const hoehe = 200;
  const a = w.koeffizienten.map((x) => (x > 0 ? Math.log10(x) : null));
  const gueltig = a.filter((x) => x !== null);
  if (gueltig.length === 0) return null;
  const oben = Math.ceil(Math.max(...gueltig));
  const unten = Math.max(Math.floor(Math.min(...gueltig)), oben - 20);
  const px = (k) => 30 + (k / (a.length - 1)) * (breite - 40);
  const py = (l) => 10 + ((oben - Math.max(l, unten)) / (oben - unten)) * (hoehe - 30);
  const svg = element('svg', { viewBox: `0 0 ${breite} ${hoehe}`, role: 'img', class: 'warum_koeffizienten',
    'aria-label': 'Beträge der Tschebyscheff-Koeffizienten von f, logarithmisch' });
  const punkte = [];
  a.forEach((l, k) => { if (l !== null) punkte.push(`${px(k)},${py(l)}`); });
  svg.append(element('polyline', { points: punkte.join(' '), fill: 'none', stroke: '#333' }));
  const rho = Number.isFinite(w.rho) && w.rho > 1 ? w.rho : w.rho_koeffizienten;
  if (Number.isFinite(rho) && rho > 1) {
    const l0 = a[0] ?? oben;
    const linie = element('line', { x1: px(0), y1: py(l0), x2: px(a.length - 1),
      y2: py(l0 - (a.length - 1) * Math.log10(rho)), stroke: '#0072b2', 'stroke-dasharray': '6 3' });
    linie.append(Object.assign(element('title', {}), { textContent: `ρ^−k, ρ = ${zahlText(rho)}` }));
    svg.append(linie);
  }
  if (w.plateau > 0) {
    const boden = element('line', { x1: px(0), y1: py(Math.log10(w.plateau)), x2: px(a.length - 1),
      y2: py(Math.log10(w.plateau)), stroke: '#909090', 'stroke-dasharray': '2 3' });
    boden.append(Object.assign(element('title', {}), { textContent: 'Rundungsniveau der Koeffizienten' }));
    svg.append(boden);
  }
  for (const d of [oben, unten]) {
    const t = element('text', { x: 2, y: py(d) + 4, 'font-size': 10 });
    t.textContent = `1e${d}`;
    svg.append(t);
  }
  return svg;
}

// The block "Warum" of a study s (as rechner.js reads it): the verdicts as
// the program prints them with -w, and the two pictures.
export function warumZeigen(s) {
  const ort = $('studie_warum');
  if (!ort) return;
  ort.replaceChildren();
  const w = s.warum;
  if (!w) return;
  const text = document.createElement('pre');
  text.className = 'warum_text';
  text.textContent = w.text.replace(/^\n/, '');
  ort.append(text);
  if (!w.beurteilbar) return;
  const bilder = document.createElement('div');
  bilder.className = 'warum_bilder';
  bilder.append(ebene(w));
  const k = koeffizienten(w);
  if (k) bilder.append(k);
  ort.append(bilder);
}
