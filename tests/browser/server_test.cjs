// The page's server (web/dienen.cjs) answers odd requests and stays up:
// each request below is sent as it is written (no normalising of the path),
// then the page itself must still be served.
'use strict';
const fs = require('fs');
const http = require('http');
const os = require('os');
const path = require('path');
const h = require('./hilfe.cjs');
const { starten } = require('../../web/dienen.cjs');

const { seite } = h.argumente();
const p = new h.Pruefung();

function anfrage(port, methode, pfad) {
  return new Promise((fertig, abbruch) => {
    const a = http.request({ host: '127.0.0.1', port, method: methode, path: pfad }, (antwort) => {
      let laenge = 0;
      antwort.on('data', (stueck) => { laenge += stueck.length; });
      antwort.on('end', () => fertig({ status: antwort.statusCode, typ: antwort.headers['content-type'], laenge }));
    });
    a.on('error', abbruch);
    a.end();
  });
}

// A folder of its own with a subfolder that has no index.html.
async function ordnerOhneIndex() {
  const wurzel = fs.mkdtempSync(path.join(os.tmpdir(), 'dienen-'));
  fs.writeFileSync(path.join(wurzel, 'index.html'), '<!DOCTYPE html><title>t</title>');
  fs.mkdirSync(path.join(wurzel, 'leer'));
  const server = await starten(wurzel, 0);
  const { port } = server.address();
  try {
    for (const pfad of ['/leer/', '/leer']) {
      const r = await anfrage(port, 'GET', pfad);
      p.gleich(r.status, 404, `Ordner ohne index.html, ${pfad}: ${r.status}`);
    }
    p.gleich((await anfrage(port, 'GET', '/')).status, 200, 'danach die Seite');
  } finally {
    server.close();
    fs.rmSync(wurzel, { recursive: true });
  }
}

(async () => {
  await ordnerOhneIndex();
  const server = await starten(seite, 0);
  const { port } = server.address();
  try {
    const faelle = [
      // method, path, status
      ['GET', '/%00', 400],
      ['GET', '/index.html%00.png', 400],
      ['GET', '/%E0%A4%A', 400],
      // Dot segments the URL parser resolves inside the folder; encoded
      // slashes it leaves, and decoded they would climb out of it.
      ['GET', '/%2e%2e/%2e%2e/CMakeLists.txt', 404],
      ['GET', '/../../CMakeLists.txt', 404],
      ['GET', '/..%2f..%2f..%2fCMakeLists.txt', 403],
      ['GET', '/..%5c..%5cCMakeLists.txt', 404],
      // Bytes that are no UTF-8, a path far longer than any file name.
      ['GET', '/%FF%FE', 400],
      ['GET', `/${'a'.repeat(5000)}`, 404],
      ['GET', `/${'a/'.repeat(3000)}`, 404],
      ['GET', '/gibt-es-nicht.js', 404],
      ['GET', '/numerik', 404],
      ['POST', '/', 405],
      ['DELETE', '/index.html', 405],
    ];
    for (const [methode, pfad, soll] of faelle) {
      const r = await anfrage(port, methode, pfad);
      p.gleich(r.status, soll, `${methode} ${pfad}: ${r.status}`);
      const seite = await anfrage(port, 'GET', '/');
      p.pruefe(seite.status === 200 && seite.typ.startsWith('text/html') && seite.laenge > 0,
        `nach ${methode} ${pfad} antwortet der Server noch: ${seite.status}`);
    }
    const guide = await anfrage(port, 'GET', '/seite.md');
    p.pruefe(guide.status === 200 && guide.typ.startsWith('text/plain') && guide.laenge > 0,
      `die Anleitung: ${guide.status} ${guide.typ}`);
    // Every module the page imports, from seite.js on, and the worker's
    // scripts are there and served as JavaScript: a browser refuses a
    // module script of another type.
    const module = ['seite.js', 'rechner.js', 'numerik.js'];
    for (let i = 0; i < module.length; ++i) {
      const text = fs.readFileSync(path.join(seite, module[i]), 'utf8');
      for (const [, name] of text.matchAll(/^import [^;]* from '\.\/([a-z_]+\.js)';$/gm)) {
        if (!module.includes(name)) module.push(name);
      }
      const r = await anfrage(port, 'GET', `/${module[i]}`);
      p.pruefe(r.status === 200 && r.typ.startsWith('text/javascript') && r.laenge > 0,
        `Modul ${module[i]}: ${r.status} ${r.typ}`);
    }
    p.pruefe(module.length >= 12, `${module.length} Skripte von seite.js aus erreicht`);
    const wasm = await anfrage(port, 'HEAD', '/numerik.wasm');
    p.pruefe(wasm.status === 200 && wasm.typ === 'application/wasm' && wasm.laenge === 0,
      `HEAD numerik.wasm: ${wasm.status} ${wasm.typ}, ${wasm.laenge} Bytes`);
  } finally {
    server.close();
  }
})().then(() => p.ende(), (e) => { console.error(e); process.exitCode = 2; });
