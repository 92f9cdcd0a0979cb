// A static server for build-wasm/web/ on a free local port, as python3 -m http.server would
// serve it.
import { createServer } from 'node:http';
import { readFile } from 'node:fs/promises';
import { extname, join, normalize } from 'node:path';

const arten = {
    '.html': 'text/html; charset=utf-8',
    '.js': 'text/javascript',
    '.css': 'text/css',
    '.wasm': 'application/wasm',
    '.png': 'image/png',
    '.woff2': 'font/woff2',
    '.json': 'application/json',
    '.webmanifest': 'application/manifest+json',
    '.txt': 'text/plain; charset=utf-8',
};

export function server_starten(wurzel) {
    const s = createServer(async (anfrage, antwort) => {
        const pfad = normalize(decodeURIComponent(new URL(anfrage.url, 'http://x').pathname));
        const datei = join(wurzel, pfad.endsWith('/') ? `${pfad}index.html` : pfad);
        try {
            if (!datei.startsWith(wurzel)) throw new Error('outside');
            const inhalt = await readFile(datei);
            antwort.writeHead(200, { 'content-type': arten[extname(datei)] ?? 'application/octet-stream' });
            antwort.end(inhalt);
        } catch {
            antwort.writeHead(404).end();
        }
    });
    return new Promise((fertig) => s.listen(0, '127.0.0.1', () => fertig(s)));
}
