#pragma once
// The conversion error raised by the date routines (and reused by the platform layer's
// number parsing). Its message is the text shown to the user.
#include <stdexcept>
#include <string>

namespace noctaris {

class EConvertError : public std::runtime_error {
public:
    explicit EConvertError(const std::string& message) : std::runtime_error(message) {}
};

// A floating-point operation outside its domain (e.g. the arcsine of 1.5).
class EInvalidOp : public std::domain_error {
public:
    explicit EInvalidOp(const std::string& message) : std::domain_error(message) {}
};

}  // namespace noctaris
