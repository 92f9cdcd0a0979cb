#include "kaskade.h"

namespace sim {

kaskaden_parameter kaskaden_parameter_bilden(const kaskaden_felder& f) {
    const bool verworfen = f.v1 > v1_obergrenze;
    return {.w1 = f.w1,
            .v1 = verworfen ? 0 : f.v1,
            .tn = f.tn1 == 0 ? 10000 : f.tn1,
            .tv1 = f.tv1,
            .xp = f.xp2 == 0 ? 0.01 : f.xp2,
            .tv2 = f.tv2,
            .maxdiff = f.maxdiff,
            .v1_verworfen = verworfen};
}

} // namespace sim
