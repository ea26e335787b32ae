// The failures a step can meet. A guarded handler catches PlatformError (and any other
// std::exception); ProgramEnd is not an error but the end of the run and passes every guard.
#pragma once

#include <stdexcept>
#include <string>

namespace cb {

struct PlatformError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// Thrown by the in-memory platform's exitNow so that a test sees where the program ended.
// It deliberately does not derive from std::exception.
struct ProgramEnd {
    int code = 0;
};

}  // namespace cb
