// How the program is operated across its pages, the same in both faces.
#pragma once

namespace darstellung::bedienung {

// Ctrl (on a Mac: Command) and this letter, without Shift or Alt, on any page: the lab notebook.
inline constexpr char taste_protokoll = 'L';

} // namespace darstellung::bedienung
