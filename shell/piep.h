#pragma once

namespace shell {

// The system beep, the program's only feedback on input. Counted, since offscreen it is silent.
void piep();
int piep_zaehler();

} // namespace shell
