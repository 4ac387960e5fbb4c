#pragma once

#include <stdexcept>
#include <string>

namespace nimbra {

// The root of every error this program raises: an exception carrying a
// user-readable message. The E... classes derive from it.
class Exception : public std::runtime_error {
  public:
    explicit Exception(const std::string& message) : std::runtime_error(message) {}
    std::string Message() const { return what(); }
};

// Raised when text cannot be turned into the value asked for.
class EConvertError : public Exception {
  public:
    using Exception::Exception;
};

// Raised for a programming error that a check caught.
class EAssertionFailed : public Exception {
  public:
    using Exception::Exception;
};

// Raised for an index outside a list's items.
class EListError : public Exception {
  public:
    using Exception::Exception;
};

// Raised for a misuse of a property table (unknown name, wrong kind).
class EPropertyError : public Exception {
  public:
    using Exception::Exception;
};

// Raised by operating-system calls that failed; the message names the call
// and carries the system's description of the failure.
class EOSError : public Exception {
  public:
    EOSError(const std::string& message, unsigned long code) : Exception(message), code_(code) {}
    unsigned long ErrorCode() const { return code_; }

  private:
    unsigned long code_;
};

}  // namespace nimbra
