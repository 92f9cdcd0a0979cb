#pragma once

#include "seite.h"

namespace seiten {

std::vector<shell::Element> seite_3_elemente();

class seite_3 : public shell::Seitenfenster {
    Q_OBJECT
public:
    explicit seite_3(shell::Navigator& nav);
};

} // namespace seiten
