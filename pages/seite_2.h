#pragma once

#include "seite.h"

namespace shell {
class Diagrammfeld;
class Zahlenfeld;
} // namespace shell

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

private:
    void simulieren();

    shell::Zahlenfeld* m_w1 = nullptr;
    shell::Zahlenfeld* m_xp1 = nullptr;
    shell::Zahlenfeld* m_tn1 = nullptr;
    shell::Zahlenfeld* m_tv1 = nullptr;
    shell::Diagrammfeld* m_graph = nullptr;
    shell::Diagrammfeld* m_leistung = nullptr;
};

} // namespace seiten
