#include "seiten.h"

#include "seite_1.h"
#include "seite_2.h"
#include "seite_3.h"
#include "seite_4.h"

namespace seiten {

void alle_seiten_anmelden(shell::Navigator& nav) {
    nav.anmelden(1, [](shell::Navigator& n) { return std::make_unique<seite_1>(n); });
    nav.anmelden(2, [](shell::Navigator& n) { return std::make_unique<seite_2>(n); });
    nav.anmelden(3, [](shell::Navigator& n) { return std::make_unique<seite_3>(n); });
    nav.anmelden(4, [](shell::Navigator& n) { return std::make_unique<seite_4>(n); });
}

} // namespace seiten
