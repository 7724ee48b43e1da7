#pragma once

#include <stdexcept>

// The command line was wrong: the tool prints the message and exits with 2.
class UsageError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The input could not be used: the tool prints the message and exits with 1.
class InputError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};
