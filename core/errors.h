// SPDX-License-Identifier: GPL-3.0-or-later
// The error kinds that every layer raises. Each holds its message text (UTF-8);
// the event loop's error report shows it. The tree lives here, at the lowest
// layer, because the numerical core raises these errors itself.
#pragma once

#include <cstddef>
#include <exception>
#include <string>
#include <string_view>
#include <utility>

namespace core {

class Exception : public std::exception {
 public:
  explicit Exception(std::string message) : message_(std::move(message)) {}
  // A message that quotes a text from outside the program (an input as typed,
  // a file's path) between `before` and `after`. The report keeps the quoted
  // text apart, so that direction marks in it cannot turn the rest around.
  Exception(std::string_view before, std::string_view quoted, std::string_view after)
      : message_(std::string(before).append(quoted).append(after)),
        quoted_begin_(before.size()),
        quoted_end_(before.size() + quoted.size()) {}

  // The whole message, NUL characters included; what() ends at the first NUL.
  const std::string& Message() const noexcept { return message_; }
  const char* what() const noexcept override { return message_.c_str(); }
  // Where the quoted text lies in the message, in bytes; both 0 when the
  // message quotes nothing.
  std::size_t QuotedBegin() const noexcept { return quoted_begin_; }
  std::size_t QuotedEnd() const noexcept { return quoted_end_; }

 private:
  std::string message_;
  std::size_t quoted_begin_ = 0;
  std::size_t quoted_end_ = 0;
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

// A typed formula that cannot be read. The message names the place, and
// Position() gives it too: the character where reading stopped, counted
// from 1 (one past the end when the formula ends too early).
class EFormulaError : public EConvertError {
 public:
  EFormulaError(std::string message, std::size_t position)
      : EConvertError(std::move(message)), position_(position) {}
  EFormulaError(std::string_view before, std::string_view quoted, std::string_view after,
                std::size_t position)
      : EConvertError(before, quoted, after), position_(position) {}
  std::size_t Position() const noexcept { return position_; }

 private:
  std::size_t position_;
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
