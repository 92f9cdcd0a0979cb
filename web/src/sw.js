// The service worker: keeps every file of the program on the first visit, answers from that
// store first, so that the program starts and runs without the network; a new build (a new
// version) replaces the store. The build writes the version and the list.
const version = '@VERSION@';
const dateien = ['@DATEIEN@'];

self.addEventListener('install', (ev) => {
    ev.waitUntil(
        caches
            .open(version)
            .then((c) => c.addAll(dateien))
            .then(() => self.skipWaiting()),
    );
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
    // A page's address with a query ("?seite=3") is the start page.
    ev.respondWith(caches.match(ev.request, { ignoreSearch: true }).then((r) => r ?? fetch(ev.request)));
});
