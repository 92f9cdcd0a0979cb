#include "pid.h"

namespace sim {

pid_parameter pid_parameter_bilden(const pid_felder& f) {
    return {.w = f.w, .xp = f.xp == 0 ? 0.01 : f.xp, .tn = f.tn == 0 ? 10000 : f.tn, .tv = f.tv};
}

} // namespace sim
