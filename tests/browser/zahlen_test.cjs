// The number text in the WebAssembly build: the library's writers (six
// decimals and full precision) give the very bytes of the native build's
// printf("%f") and printf("%.17g"), and its reader gives the
// values of the module's own sscanf, for 100000 numbers of every kind
// (tests/browser/zahlenfolge.h).  em++'s C++ library lacks the floating-point
// to_chars and from_chars; this is the check of the fallback that replaces
// them there.
//
//   node --no-experimental-fetch zahlen_test.cjs zahlenprobe.js zahlen_referenz
'use strict';
const { spawnSync } = require('child_process');

const ANZAHL = 100000;
const [probe, referenz] = process.argv.slice(2);

(async () => {
  const M = await require(require('path').resolve(probe))();
  const p = M._zahlen_schreiben(ANZAHL);
  const wasm = Buffer.from(M.HEAPU8.slice(p, p + M.HEAPU8.indexOf(0, p) - p));
  M._free(p);
  const lauf = spawnSync(referenz, [String(ANZAHL)], { maxBuffer: 1 << 28 });
  if (lauf.error || lauf.status !== 0) throw new Error(`${referenz}: ${lauf.error || lauf.status}`);
  const nativ = lauf.stdout;
  let fehler = 0;
  if (Buffer.compare(wasm, nativ) !== 0) {
    const a = wasm.toString().split('\n');
    const b = nativ.toString().split('\n');
    const i = a.findIndex((z, k) => z !== b[k]);
    console.log(`FEHL Schreiben: Zeile ${i + 1}: WebAssembly ${a[i]}, nativ ${b[i]}`);
    fehler += 1;
  } else {
    const gross = wasm.toString().split('\n').filter((z) => /^-?\d{20,}\./.test(z)).length;
    console.log(`ok   Schreiben: ${ANZAHL} Zahlen wie printf("%f %.17g %9.3g %9.3f %9.6f %.9e") nativ, ${wasm.length} Bytes, ${gross} davon >= 2^64`);
  }
  const abweichungen = M._zahlen_lesen_abweichungen(ANZAHL);
  console.log(`${abweichungen === 0 ? 'ok  ' : 'FEHL'} Lesen: ${3 * ANZAHL} Texte, ${abweichungen} Abweichungen von sscanf`);
  if (abweichungen !== 0) fehler += 1;
  process.exitCode = fehler === 0 ? 0 : 1;
})().catch((e) => { console.error(e); process.exitCode = 2; });
