// How the program is operated across its pages, the same in both faces.
#pragma once

namespace darstellung::bedienung {

// Ctrl (on a Mac: Command) and this letter, without Shift or Alt, on any page: the lab notebook.
inline constexpr char taste_protokoll = 'L';

// A press on a page's button is no click when it is the second of a double click whose first
// went to another page (0: no page yet): a double click on "weiter" moves one page, not two.
constexpr bool klick_gilt(int seite_zuvor, int seite, bool folgeklick) {
    return !folgeklick || seite_zuvor == 0 || seite_zuvor == seite;
}

// Page 1: a key that gives a character (0: none), a control character's too, ends the program
// while "beenden" has the focus. Tab only moves the focus, and Ctrl with the notebook's letter
// stays the notebook's key.
constexpr bool taste_beendet(char32_t zeichen) {
    return zeichen != 0 && zeichen != U'\t' && zeichen != char32_t(taste_protokoll - '@');
}

} // namespace darstellung::bedienung
