// The error kinds that every layer raises. Each holds its message text (UTF-8);
// the event loop's error report shows it. The tree lives here, at the lowest
// layer, because the numerical core raises these errors itself.
#pragma once

#include <exception>
#include <string>
#include <utility>

namespace core {

class Exception : public std::exception {
 public:
  explicit Exception(std::string message) : message_(std::move(message)) {}
  const std::string& Message() const noexcept { return message_; }
  const char* what() const noexcept override { return message_.c_str(); }

 private:
  std::string message_;
};

// A text is not a valid number.
class EConvertError : public Exception {
  using Exception::Exception;
};

// An error the processor signals.
class EExternal : public Exception {
  using Exception::Exception;
};

class EMathError : public EExternal {
  using EExternal::EExternal;
};

class EInvalidOp : public EMathError {
 public:
  EInvalidOp() : EMathError("Invalid floating point operation") {}
};

class EZeroDivide : public EMathError {
 public:
  EZeroDivide() : EMathError("Floating point division by zero") {}
};

class EOverflow : public EMathError {
 public:
  EOverflow() : EMathError("Floating point overflow") {}
};

// Underflow is masked, so nothing raises it; it completes the family.
class EUnderflow : public EMathError {
 public:
  EUnderflow() : EMathError("Floating point underflow") {}
};

class EStreamError : public Exception {
  using Exception::Exception;
};

class EFileStreamError : public EStreamError {
  using EStreamError::EStreamError;
};

// A file cannot be opened.
class EFOpenError : public EFileStreamError {
  using EFileStreamError::EFileStreamError;
};

// An operation a control cannot carry out (a text too large for a text box).
class EInvalidOperation : public Exception {
  using Exception::Exception;
};

}  // namespace core
