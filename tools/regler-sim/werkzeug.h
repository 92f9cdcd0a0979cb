// The whole of regler-sim except the process boundary, so that nothing reaches stdout before
// every argument has been checked.
#pragma once

#include <span>
#include <string>
#include <string_view>

namespace werkzeug {

struct ergebnis {
    int status = 0;     // 0 ok, 2 bad arguments
    std::string aus;    // for stdout; empty unless status is 0
    std::string fehler; // for stderr
};

// argumente: the command line without the program name.
ergebnis ausfuehren(std::span<const std::string_view> argumente);

} // namespace werkzeug
