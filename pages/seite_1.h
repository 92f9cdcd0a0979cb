#pragma once

#include "seite.h"

namespace seiten {

std::vector<shell::Element> seite_1_elemente();

class seite_1 : public shell::Seitenfenster {
    Q_OBJECT
public:
    explicit seite_1(shell::Navigator& nav);
};

} // namespace seiten
