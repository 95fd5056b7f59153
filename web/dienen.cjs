// Serves a folder of static files on 127.0.0.1, for the page (scripts/web)
// and for the browser tests: node web/dienen.cjs FOLDER [PORT]
// (PORT 0 or missing in a test: any free port; the first line printed names
// the address).  Only GET and HEAD, only files below the folder, with the
// types the page needs (the .wasm as application/wasm, which
// WebAssembly.compileStreaming requires).
'use strict';
const http = require('http');
const fs = require('fs');
const path = require('path');

const TYPEN = {
  '.html': 'text/html; charset=utf-8',
  '.js': 'text/javascript; charset=utf-8',
  '.css': 'text/css; charset=utf-8',
  '.wasm': 'application/wasm',
  '.txt': 'text/plain; charset=utf-8',
  '.md': 'text/plain; charset=utf-8',
  '.png': 'image/png',
};

// fs.readFile, with a path it refuses before reading (it throws for some)
// reported like a file that is not there.
function lesen(datei, weiter) {
  try {
    fs.readFile(datei, weiter);
  } catch (fehler) {
    weiter(fehler);
  }
}

function starten(wurzel, port) {
  const basis = path.resolve(wurzel);
  const server = http.createServer((anfrage, antwort) => {
    if (anfrage.method !== 'GET' && anfrage.method !== 'HEAD') {
      antwort.writeHead(405, { Allow: 'GET, HEAD' });
      antwort.end();
      return;
    }
    let pfad;
    try {
      pfad = decodeURIComponent(new URL(anfrage.url, 'http://127.0.0.1').pathname);
    } catch (e) {
      antwort.writeHead(400);
      antwort.end();
      return;
    }
    // A NUL byte makes node's file functions throw at once, outside any
    // callback: refuse it here, before it can end the process.
    if (pfad.includes('\0')) {
      antwort.writeHead(400);
      antwort.end();
      return;
    }
    // "/" is the page itself; map it before looking up the type.
    if (pfad.endsWith('/')) pfad += 'index.html';
    const datei = path.join(basis, pfad);
    if (!datei.startsWith(basis + path.sep)) {
      antwort.writeHead(403);
      antwort.end();
      return;
    }
    lesen(datei, (fehler, inhalt) => {
      if (fehler) {
        antwort.writeHead(404, { 'Content-Type': 'text/plain; charset=utf-8' });
        antwort.end('Nicht gefunden.\n');
        return;
      }
      antwort.writeHead(200, {
        'Content-Type': TYPEN[path.extname(datei)] || 'application/octet-stream',
        'Cache-Control': 'no-cache',
      });
      antwort.end(anfrage.method === 'HEAD' ? undefined : inhalt);
    });
  });
  return new Promise((fertig, abbruch) => {
    server.once('error', abbruch);
    server.listen(port, '127.0.0.1', () => fertig(server));
  });
}

module.exports = { starten };

if (require.main === module) {
  const [wurzel, portText] = process.argv.slice(2);
  if (!wurzel || !fs.existsSync(path.join(wurzel, 'index.html'))) {
    console.error('Benutzung: node web/dienen.cjs Seitenordner [Port]  (Seitenordner mit index.html)');
    process.exit(1);
  }
  starten(wurzel, Number(portText || 0)).then((server) => {
    const { port } = server.address();
    console.log(`Die Seite: http://127.0.0.1:${port}/  (beenden mit Strg-C)`);
  }, (fehler) => {
    console.error(`Der Server konnte nicht starten: ${fehler.message}`);
    process.exit(1);
  });
}
