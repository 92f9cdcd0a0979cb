// The language the engine reports, where Intl takes it; else the program's own, German.
// WebKitGTK under Debian's default C.UTF-8 reports "C", no BCP 47 tag, which Intl refuses.
// (Node, for the core's tests, has no navigator.)
let gueltig = true;
try {
    Intl.getCanonicalLocales(globalThis.navigator?.language);
} catch {
    gueltig = false;
}
// For Intl: undefined, the engine's default, where its language is valid.
export const sprache = gueltig ? undefined : 'de';
