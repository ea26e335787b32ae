// The one error rule of the program: a guarded step that fails ends its handler silently;
// what was done before stays done, nothing is shown to the child and nothing is logged.
#pragma once

#include <exception>
#include <utility>

namespace cb {

template <class Body>
void guarded(Body&& body) {
    try {
        std::forward<Body>(body)();
    } catch (const std::exception&) {
        // The step failed; the next event starts afresh.
    }
}

}  // namespace cb
