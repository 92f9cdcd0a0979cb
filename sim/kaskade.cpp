#include "kaskade.h"

#include <utility>

namespace sim {

kaskaden_parameter kaskaden_parameter_bilden(std::string w1_text, double w1, double v1, double tn,
                                             double tv1, double xp, double tv2, double maxdiff) {
    kaskaden_parameter p;
    p.w1_text = std::move(w1_text);
    p.w1 = w1;
    p.v1 = v1;
    p.tn = tn == 0 ? 10000 : tn;
    p.tv1 = tv1;
    p.xp = xp == 0 ? 0.01 : xp;
    p.tv2 = tv2;
    p.maxdiff = maxdiff;
    return p;
}

} // namespace sim
