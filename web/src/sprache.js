// The language the engine reports, where Intl takes it; else the program's own, German.
// WebKitGTK under Debian's default C.UTF-8 reports "C", no BCP 47 tag: uPlot builds its number
// format from navigator.language as it loads and threw, and the page stayed blank. Imported
// before uPlot. (Node, for the core's tests, has no navigator.)
let gueltig = true;
try {
    Intl.getCanonicalLocales(globalThis.navigator?.language);
} catch {
    gueltig = false;
    Object.defineProperty(navigator, 'language', { value: 'de', configurable: true });
}
// For Intl: undefined, the engine's default, where its language is valid.
export const sprache = gueltig ? undefined : 'de';
