#include "pid.h"

#include <utility>

namespace sim {

pid_parameter pid_parameter_bilden(std::string w_text, double w, double xp, double tn, double tv) {
    pid_parameter p;
    p.w_text = std::move(w_text);
    p.w = w;
    p.xp = xp == 0 ? 0.01 : xp;
    p.tn = tn == 0 ? 10000 : tn;
    p.tv = tv;
    return p;
}

} // namespace sim
