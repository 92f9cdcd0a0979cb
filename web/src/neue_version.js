// The service worker (sw.js): after one visit the program starts without the network. A new
// build, once the browser keeps all of it, waits for the tabs of the old one: a notice above the
// page says so, and "Neu laden" starts it at once. Over plain http by a name there is no secure
// context and so no service worker: every start loads the files afresh.
export function neue_version_beobachten(hinweis, hoehe_geaendert) {
    if (!('serviceWorker' in navigator)) return;
    const sw = navigator.serviceWorker;
    let neu_laden = false;
    // The first visit's worker takes the tab over as well: that is no reason to reload.
    sw.addEventListener('controllerchange', () => neu_laden && location.reload());
    const melden = (reg) => {
        if (hinweis.childNodes.length) return;
        const knopf = document.createElement('button');
        knopf.type = 'button';
        knopf.textContent = 'Neu laden';
        knopf.addEventListener('click', () => {
            // Another tab may have started it already.
            if (!reg.waiting) return location.reload();
            neu_laden = true;
            reg.waiting.postMessage('aktivieren');
        });
        hinweis.append('Eine neue Version ist bereit. ', knopf);
        hoehe_geaendert();
    };
    const verfolgen = (reg, w) =>
        w?.addEventListener('statechange', () => w.state === 'installed' && sw.controller && melden(reg));
    sw.register('sw.js')
        .then((reg) => {
            if (reg.waiting && sw.controller) melden(reg);
            verfolgen(reg, reg.installing);
            reg.addEventListener('updatefound', () => verfolgen(reg, reg.installing));
        })
        .catch(() => {});
}
