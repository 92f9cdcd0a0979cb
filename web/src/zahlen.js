// The user's decimal separator, as the browser's default locale writes it: the core's rules and
// texts take it from here (web/kern.cpp).
import { sprache } from './sprache.js';

export function dezimalzeichen() {
    const teil = new Intl.NumberFormat(sprache).formatToParts(1.5).find((t) => t.type === 'decimal');
    return teil ? teil.value : '.';
}
