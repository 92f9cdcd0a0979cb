#include "werkzeug.h"

#include <cstdio>
#include <string_view>
#include <vector>

int main(int argc, char** argv) {
    const std::vector<std::string_view> argumente(argv + 1, argv + argc);
    const werkzeug::ergebnis e = werkzeug::ausfuehren(argumente);
    std::fwrite(e.fehler.data(), 1, e.fehler.size(), stderr);
    if (std::fwrite(e.aus.data(), 1, e.aus.size(), stdout) != e.aus.size() ||
        std::fflush(stdout) != 0) {
        std::fputs("regler-sim: Ausgabe fehlgeschlagen\n", stderr);
        return 1;
    }
    return e.status;
}
