#pragma once

#include "seite.h"

namespace seiten {

// Registers the four pages with the navigator.
void alle_seiten_anmelden(shell::Navigator& nav);

} // namespace seiten
