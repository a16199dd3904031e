#pragma once
// The errors the computations raise. ConversionError comes from the date routines (and the
// platform layer's number parsing); its message is the text shown to the user.
#include <stdexcept>
#include <string>

namespace noctaris {

class ConversionError : public std::runtime_error {
public:
    explicit ConversionError(const std::string& message) : std::runtime_error(message) {}
};

// A floating-point operation outside its domain (e.g. the arcsine of 1.5).
class DomainError : public std::domain_error {
public:
    explicit DomainError(const std::string& message) : std::domain_error(message) {}
};

}  // namespace noctaris
