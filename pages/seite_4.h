#pragma once

#include "seite.h"

namespace seiten {

std::vector<shell::Element> seite_4_elemente();

class seite_4 : public shell::Seitenfenster {
    Q_OBJECT
public:
    explicit seite_4(shell::Navigator& nav);
};

} // namespace seiten
