#pragma once

#include "platform/Text.h"

#include <string>

namespace lumitag::platform {

// A lock that tells whether another copy of the program is running. The lock
// is held until the object is destroyed or the process ends, however it ends.
class SingleInstance {
public:
    enum class Outcome {
        FirstCopy,       // the lock is ours now
        AnotherCopyRuns, // a running process holds it
        Unavailable,     // the lock could not be made; see the reason
    };
    struct Attempt {
        Outcome outcome = Outcome::Unavailable;
        std::string reason; // empty unless Unavailable
    };

    virtual ~SingleInstance() = default;

    virtual Attempt acquire(TextView name) = 0;
};

} // namespace lumitag::platform
