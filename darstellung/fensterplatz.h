// Where a window of the program's goes beside a page, so that it covers none of what the user
// works with there: its fields, its buttons, its charts. Pixels of the screen, frames included.
#pragma once

#include <span>

namespace darstellung {

// A window's or page's place on the screen, in whole pixels.
struct fensterrechteck {
    int x = 0, y = 0, b = 0, h = 0;
    bool operator==(const fensterrechteck&) const = default;
    int rechts() const { return x + b; }
    int unten() const { return y + h; }
};

// A window of size `wunsch` (no smaller than `mindestens`) on the screen's free area `frei`
// beside the page at `seite`: below, above, to the right or to the left of it, wherever the
// window keeps most of its size (its width first: a table is read across); where none of these
// holds its minimum, over the page where it covers least of `geschuetzt`, and at its minimum.
fensterrechteck fenster_platz(fensterrechteck frei, fensterrechteck seite,
                              std::span<const fensterrechteck> geschuetzt, fensterrechteck wunsch,
                              fensterrechteck mindestens);

} // namespace darstellung
