// A question with buttons, as the desktop's message box asks it: modal, the first button the
// default, Escape the last ("Abbrechen"). Resolves to the chosen button's id.
export function fragen(titel, text, knoepfe) {
    return new Promise((fertig) => {
        const d = document.createElement('dialog');
        d.className = 'frage';
        d.setAttribute('role', 'alertdialog');
        const h = document.createElement('h2');
        h.textContent = titel;
        h.id = 'frage-titel';
        const p = document.createElement('p');
        p.textContent = text;
        p.id = 'frage-text';
        d.setAttribute('aria-labelledby', h.id);
        d.setAttribute('aria-describedby', p.id);
        const reihe = document.createElement('div');
        reihe.className = 'frage-knoepfe';
        for (const [id, beschriftung] of knoepfe) {
            const b = document.createElement('button');
            b.type = 'button';
            b.dataset.antwort = id;
            b.textContent = beschriftung;
            reihe.append(b);
        }
        d.append(h, p, reihe);
        let antwort = knoepfe[knoepfe.length - 1][0];
        reihe.addEventListener('click', (ev) => {
            if (!ev.target.dataset?.antwort) return;
            antwort = ev.target.dataset.antwort;
            d.close();
        });
        d.addEventListener('close', () => {
            d.remove();
            fertig(antwort);
        });
        document.body.append(d);
        d.showModal();
        reihe.querySelector('button').focus();
    });
}
