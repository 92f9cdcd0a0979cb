// The service worker: keeps every file of the program on the first visit, answers from that
// store first, so that the program starts and runs without the network. A new build (a new
// version) fills a store of its own and waits until the tabs of the old one are gone, or until
// a page asks for it ("Neu laden"), rather than take over tabs in the middle of a lesson. The
// build writes the version and the list.
const version = '@VERSION@';
const dateien = ['@DATEIEN@'];

self.addEventListener('install', (ev) => {
    // Past the browser's HTTP cache: a server that sends no Cache-Control leaves the last build's
    // files there, fresh for days, and they would be kept as the new build's.
    ev.waitUntil(caches.open(version).then((c) => c.addAll(dateien.map((d) => new Request(d, { cache: 'reload' })))));
});

self.addEventListener('message', (ev) => {
    if (ev.data === 'aktivieren') ev.waitUntil(self.skipWaiting());
});

self.addEventListener('activate', (ev) => {
    ev.waitUntil(
        caches
            .keys()
            .then((alle) => Promise.all(alle.filter((n) => n !== version).map((n) => caches.delete(n))))
            .then(() => self.clients.claim()),
    );
});

self.addEventListener('fetch', (ev) => {
    if (ev.request.method !== 'GET') return;
    // From this version's own store, not a waiting one's. A page's address with a query
    // ("?seite=3") is the start page.
    ev.respondWith(
        caches
            .open(version)
            .then((c) => c.match(ev.request, { ignoreSearch: true }))
            .then((r) => r ?? fetch(ev.request)),
    );
});
