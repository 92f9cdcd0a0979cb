#pragma once

#include "seite.h"

namespace seiten {

std::vector<shell::Element> seite_2_elemente();

// "2. PID-Regler mit Simulation": the milk example under on/off, P, PI and PID control.
class seite_2 : public shell::Seitenfenster {
    Q_OBJECT
public:
    explicit seite_2(shell::Navigator& nav);

    void start_Click();

protected:
    void Form_Load() override;
};

} // namespace seiten
