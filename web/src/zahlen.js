// The user's decimal separator, as the browser's default locale writes it: the core's rules and
// texts take it from here (web/kern.cpp).
export function dezimalzeichen() {
    const teil = new Intl.NumberFormat().formatToParts(1.5).find((t) => t.type === 'decimal');
    return teil ? teil.value : '.';
}
