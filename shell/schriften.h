#pragma once

namespace shell {

// Loads the built-in stand-in for "MS Sans Serif" (and "Arial") once; later calls do nothing.
void schriften_laden();

} // namespace shell
