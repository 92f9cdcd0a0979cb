#include "einstellen.h"

namespace sim {

std::optional<wendetangente> wendetangente_berechnen(double x0, std::span<const double> x) {
    std::optional<wendetangente> w;
    double vorher = x0;
    for (int i = 1; i <= int(x.size()); ++i) {
        const double s = x[size_t(i - 1)] - vorher;
        if (s > 0 && (!w || s > w->steigung))
            w = wendetangente{.wendepunkt_s = i, .wert = x[size_t(i - 1)], .steigung = s};
        vorher = x[size_t(i - 1)];
    }
    if (!w) return w;
    w->l_s = double(w->wendepunkt_s) - (w->wert - x0) / w->steigung;
    w->k_k = w->steigung * w->l_s;
    return w;
}

} // namespace sim
