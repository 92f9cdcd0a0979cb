// The beep of a refused key or a mended field: a short tone through Web Audio. Counted, so that
// tests can tell a beep happened where no sound is heard.
let ton = null;
let zaehler = 0;

export function piep() {
    ++zaehler;
    // Before the user's first click or key (a link's run held to its limit) the browser refuses
    // any sound, with a warning.
    if (navigator.userActivation?.hasBeenActive === false) return;
    try {
        ton ??= new AudioContext();
        if (ton.state === 'suspended') ton.resume();
        const osz = ton.createOscillator();
        const lautstaerke = ton.createGain();
        osz.frequency.value = 880;
        lautstaerke.gain.value = 0.08;
        osz.connect(lautstaerke).connect(ton.destination);
        osz.start();
        osz.stop(ton.currentTime + 0.08);
    } catch {
        // No audio here (or not yet allowed): the beep stays silent.
    }
}

export function piep_zaehler() {
    return zaehler;
}
