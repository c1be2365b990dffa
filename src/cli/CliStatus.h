#pragma once

#include <algorithm>

// The exit status of varnwick-cli. With several packages the worst one wins,
// so the values are ordered by severity.
enum class CliStatus : int {
    Done = 0,
    Usage = 1,       // the command line (or the data folder it names) is unusable
    Unreadable = 2,  // a package could not be read
    UnknownType = 3, // a package's skin type is unknown and no --type was given
    NotWritten = 4,  // an output could not be written, or exists already
    CheckErrors = 5, // --check found an error: the game will not show or load something
};

inline CliStatus Worse(CliStatus a, CliStatus b) {
    return std::max(a, b);
}
