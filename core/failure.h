#pragma once
// A failure of one statement of a working handler. It carries what kind of
// failure it is and the text the error prompt shows for it.

#include <stdexcept>
#include <string>

namespace pyramid {

enum class FailureKind {
    FileNotFound,
    FileAccess,           // a directory named as a file, no permission, ...
    InputPastEnd,
    TypeMismatch,
    SubscriptOutOfRange,
    DivisionByZero,
    Overflow,
    UnusableTable,        // a census table that cannot make a pyramid
};

class Failure : public std::runtime_error {
public:
    // `detail` is an optional second sentence that names the concrete thing
    // (a path, an item number and its text) after the kind's own wording.
    Failure(FailureKind kind, const std::string& detail = {});

    FailureKind kind() const { return kind_; }
    const std::string& description() const { return description_; }

private:
    FailureKind kind_;
    std::string description_;
};

// The fixed Japanese wording of each kind of failure.
std::string failureText(FailureKind kind);

}  // namespace pyramid
