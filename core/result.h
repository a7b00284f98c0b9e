#pragma once
// Core errors are values: a German message ready for a message box ("\r" = line break).
#include <string>
#include <utility>
#include <variant>

namespace kw {

enum class ErrorKind {
  Refused,  // input the program declines (wrong numbers, nothing to save, ...)
  Io,       // a file could not be read or written
};

struct Error {
  ErrorKind kind = ErrorKind::Refused;
  std::string message;
};

inline Error Refused(std::string message) { return {ErrorKind::Refused, std::move(message)}; }
inline Error IoError(std::string message) { return {ErrorKind::Io, std::move(message)}; }

template <class T>
class [[nodiscard]] Result {
 public:
  Result(T value) : v_(std::move(value)) {}
  Result(Error error) : v_(std::move(error)) {}
  bool ok() const { return v_.index() == 0; }
  explicit operator bool() const { return ok(); }
  T& value() { return std::get<0>(v_); }
  const T& value() const { return std::get<0>(v_); }
  T& operator*() { return value(); }
  const T& operator*() const { return value(); }
  T* operator->() { return &value(); }
  const T* operator->() const { return &value(); }
  const Error& error() const { return std::get<1>(v_); }

 private:
  std::variant<T, Error> v_;
};

template <>
class [[nodiscard]] Result<void> {
 public:
  Result() = default;
  Result(Error error) : failed_(true), error_(std::move(error)) {}
  bool ok() const { return !failed_; }
  explicit operator bool() const { return ok(); }
  const Error& error() const { return error_; }

 private:
  bool failed_ = false;
  Error error_;
};

}  // namespace kw
