#pragma once

#include <string>
#include <utility>

#include "platform/error_number.h"

namespace orva {

// What a step that can fail gives back: its value, or the number of the error that kept
// it from being made and, when the error concerns a file the caller did not name, that
// file (Windows form). Unless ok(), value() is T's default. Result<void> is the same
// without a value.
template <class T>
class [[nodiscard]] Result {
 public:
  Result(T value) : value_(std::move(value)) {}  // a value is a success
  Result(err::Number error, std::string file = {}) : error_(error), file_(std::move(file)) {}

  bool ok() const { return error_ == err::kNone; }
  err::Number error() const { return error_; }
  const std::string& file() const { return file_; }  // empty unless the failure names one

  const T& value() const& { return value_; }
  T& value() & { return value_; }
  T&& value() && { return std::move(value_); }

 private:
  err::Number error_ = err::kNone;
  std::string file_;
  T value_{};
};

template <>
class [[nodiscard]] Result<void> {
 public:
  Result() = default;
  Result(err::Number error, std::string file = {}) : error_(error), file_(std::move(file)) {}

  bool ok() const { return error_ == err::kNone; }
  err::Number error() const { return error_; }
  const std::string& file() const { return file_; }

 private:
  err::Number error_ = err::kNone;
  std::string file_;
};

}  // namespace orva
