// The JSON writer of the page's interface against node's own JSON reader
// and UTF-8 decoder: every text it writes is ASCII and reads back as the
// decoder reads its bytes (a byte that belongs to no valid sequence as
// U+FFFD, one for each maximal part), every finite double reads back with
// its bits, nan and inf as null, and a nested object with its commas.
//
//   node json_test.cjs json_probe
'use strict';
const { spawnSync } = require('child_process');

const [probe] = process.argv.slice(2);
let fehler = 0;
let pruefungen = 0;
const pruefe = (bedingung, text) => {
  pruefungen += 1;
  if (!bedingung) fehler += 1;
  if (!bedingung || pruefungen % 1000 === 1) console.log(`${bedingung ? 'ok  ' : 'FEHL'} ${text}`);
};

// A fixed sequence of random numbers (xorshift32), so that a failure can be
// repeated.
let zustand = 0x2545f491;
const zufall = (n) => {
  zustand ^= zustand << 13;
  zustand ^= zustand >>> 17;
  zustand ^= zustand << 5;
  return (zustand >>> 0) % n;
};

// Texts: hand-picked edge cases, then random bytes drawn mostly from the
// bytes that start or continue UTF-8 sequences.
const texte = [
  [], [0x22, 0x5c, 0x2f], [0x00, 0x01, 0x0a, 0x0d, 0x09, 0x1f, 0x7f], [0xc3, 0xa4], [0xe2, 0x82, 0xac],
  [0xf0, 0x9f, 0x98, 0x80], [0xf4, 0x8f, 0xbf, 0xbf], [0xc0, 0x80], [0xc1, 0xbf], [0xe0, 0x80, 0x80],
  [0xed, 0xa0, 0x80], [0xf4, 0x90, 0x80, 0x80], [0xf5], [0xff], [0x80], [0xe2, 0x82], [0xf0, 0x9f, 0x98],
  [0xe2, 0x41], [0xf0, 0x9f, 0x41, 0x80], [0xef, 0xbf, 0xbf], [0xc2, 0x80],
];
const baustein = [0x00, 0x0a, 0x22, 0x5c, 0x41, 0x7f, 0x80, 0x8f, 0x90, 0x9f, 0xa0, 0xbf, 0xc0, 0xc2, 0xdf, 0xe0,
  0xe1, 0xed, 0xee, 0xef, 0xf0, 0xf1, 0xf4, 0xf5, 0xff];
for (let i = 0; i < 20000; ++i) {
  const laenge = 1 + zufall(12);
  texte.push(Array.from({ length: laenge }, () => (zufall(4) === 0 ? zufall(256) : baustein[zufall(baustein.length)])));
}

// Numbers: edge cases, then random bit patterns of every exponent.
const zahlen = [0, -0, 1, -1, 0.1, 1 / 3, Math.PI, 2 ** 53 + 2, 1e300, 1e-300, 5e-324, -5e-324, 2.2250738585072014e-308,
  1.7976931348623157e308, NaN, Infinity, -Infinity, 123456789012345680000];
const puffer = new DataView(new ArrayBuffer(8));
for (let i = 0; i < 20000; ++i) {
  puffer.setUint32(0, (zufall(0x10000) << 16) | zufall(0x10000));
  puffer.setUint32(4, (zufall(0x10000) << 16) | zufall(0x10000));
  zahlen.push(puffer.getFloat64(0));
}
const bits = (x) => {
  puffer.setFloat64(0, x);
  return puffer.getUint32(0).toString(16).padStart(8, '0') + puffer.getUint32(4).toString(16).padStart(8, '0');
};

const eingabe = [...texte.map((t) => `t ${Buffer.from(t).toString('hex')}`), ...zahlen.map((x) => `z ${bits(x)}`), 's']
  .join('\n') + '\n';
const lauf = spawnSync(probe, [], { input: eingabe, maxBuffer: 1 << 26 });
if (lauf.error || lauf.status !== 0) throw new Error(`${probe}: ${lauf.error || lauf.stderr}`);
const zeilen = lauf.stdout.toString('latin1').split('\n');

const decoder = new TextDecoder('utf-8');
texte.forEach((t, i) => {
  const z = zeilen[i];
  const soll = decoder.decode(Uint8Array.from(t));
  let ist;
  try {
    ist = JSON.parse(z);
  } catch (e) {
    ist = `(kein JSON: ${e.message})`;
  }
  pruefe(/^[\x20-\x7e]*$/.test(z) && ist === soll, `Text ${Buffer.from(t).toString('hex')}: ${z}`);
});
zahlen.forEach((x, i) => {
  const z = zeilen[texte.length + i];
  if (!Number.isFinite(x)) {
    pruefe(z === 'null', `${x} als null: ${z}`);
    return;
  }
  const ist = JSON.parse(z);
  pruefe(typeof ist === 'number' && Object.is(ist, x), `${bits(x)} (${x}) als ${z}`);
});
const s = zeilen[texte.length + zahlen.length];
pruefe(JSON.stringify(JSON.parse(s)) === '{"a":1,"b":true,"c":[{},[],null,-0.5,"x"],"d":{"e":"f","g":false},"h":null}',
  `geschachtelt: ${s}`);

console.log(`${pruefungen - fehler} von ${pruefungen} Pruefungen bestanden`);
process.exitCode = fehler === 0 ? 0 : 1;
