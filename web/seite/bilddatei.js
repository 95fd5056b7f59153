// Each plot as a file: its data as CSV, its picture as SVG (the PNG is
// the plot's own canvas).
import { bilder } from './zeichnen.js';

// The plotted data as CSV: x and each series by its key's name; an empty
// field where a series has no value.  The function plot gives the true
// values, not those held at its frame.
export function bildCsv(name) {
  const u = name === 'studie' ? null : bilder[name];
  if (!u) return null;
  const daten = name === 'funktion' && bilder.rohF ? bilder.rohF : u.data;
  const feld = (t) => `"${String(t).replace(/"/g, '""')}"`;
  const zeilen = [u.series.map((s) => feld(s.label)).join(',')];
  for (let i = 0; i < daten[0].length; ++i) {
    zeilen.push(daten.map((r) => (r[i] == null ? '' : String(r[i]))).join(','));
  }
  return `${zeilen.join('\n')}\n`;
}

// The plot as SVG: its frame, ticks and their labels, every series as a
// path in its colour, width and dash, the nodes as circles.  Drawn from
// the same scales as the canvas.
export function bildSvg(u) {
  const r = uPlot.pxRatio;
  const { left, top, width, height } = u.bbox;
  const [x0, y0, b, h] = [left / r, top / r, width / r, height / r];
  const W = u.width;
  const H = u.height;
  const esc = (t) => String(t).replace(/&/g, '&amp;').replace(/</g, '&lt;').replace(/>/g, '&gt;');
  const teile = [`<svg xmlns="http://www.w3.org/2000/svg" width="${W}" height="${H}" viewBox="0 0 ${W} ${H}" ` +
    'font-family="sans-serif" font-size="13">', `<rect width="${W}" height="${H}" fill="#fff"/>`,
  `<rect x="${x0}" y="${y0}" width="${b}" height="${h}" fill="none" stroke="#888"/>`,
  `<clipPath id="rahmen"><rect x="${x0}" y="${y0}" width="${b}" height="${h}"/></clipPath>`, '<g clip-path="url(#rahmen)">'];
  const achsen = [];
  u.axes.forEach((a, i) => {
    const skala = i === 0 ? 'x' : 'y';
    (a._splits || []).forEach((v, k) => {
      const text = a._values ? a._values[k] : v;
      if (text == null || text === '') return;
      const p = u.valToPos(v, skala);
      if (skala === 'x') achsen.push(`<text x="${x0 + p}" y="${y0 + h + 16}" text-anchor="middle">${esc(text)}</text>`);
      else achsen.push(`<text x="${x0 - 6}" y="${y0 + p + 4}" text-anchor="end">${esc(text)}</text>`);
    });
  });
  const xs = u.data[0];
  u.series.forEach((s, si) => {
    if (si === 0 || s.show === false) return;
    const ys = u.data[si];
    const farbe = typeof s._stroke === 'string' ? s._stroke : '#000';
    // The nodes: a series of points only.
    if (s.width === 0) {
      for (let i = 0; i < xs.length; ++i) {
        if (ys[i] == null) continue;
        teile.push(`<circle cx="${(x0 + u.valToPos(xs[i], 'x')).toFixed(1)}" cy="${(y0 + u.valToPos(ys[i], 'y')).toFixed(1)}" ` +
          `r="3" fill="#fff" stroke="${farbe}"/>`);
      }
      return;
    }
    let d = '';
    let offen = false;
    for (let i = 0; i < xs.length; ++i) {
      if (ys[i] == null) { if (!s.spanGaps) offen = false; continue; }
      const px = x0 + u.valToPos(xs[i], 'x');
      const py = y0 + u.valToPos(ys[i], 'y');
      d += `${offen ? 'L' : 'M'}${px.toFixed(1)} ${py.toFixed(1)}`;
      offen = true;
    }
    const dash = s.dash && s.dash.length ? ` stroke-dasharray="${s.dash.join(' ')}"` : '';
    teile.push(`<path d="${d}" fill="none" stroke="${farbe}" stroke-width="${s.width}"${dash}><title>${esc(s.label)}</title></path>`);
  });
  teile.push('</g>', ...achsen, '</svg>');
  return teile.join('\n');
}
