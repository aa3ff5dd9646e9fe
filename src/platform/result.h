#pragma once
// Fallible calls return Result<T>: a value, or a short error text that the
// caller shows or passes on. Unwrap early: `if (!r) return r.error();`.
#include <optional>
#include <string>
#include <utility>
#include <variant>

namespace vorn {

struct Error {
  std::string message;
};

inline Error makeError(std::string message) { return Error{std::move(message)}; }

template <typename T>
class [[nodiscard]] Result {
 public:
  Result(T value) : v_(std::move(value)) {}
  Result(Error error) : v_(std::move(error)) {}
  explicit operator bool() const { return v_.index() == 0; }
  bool ok() const { return v_.index() == 0; }
  T& value() & { return std::get<0>(v_); }
  const T& value() const& { return std::get<0>(v_); }
  T&& value() && { return std::get<0>(std::move(v_)); }
  T* operator->() { return &std::get<0>(v_); }
  const T* operator->() const { return &std::get<0>(v_); }
  T& operator*() & { return value(); }
  const T& operator*() const& { return value(); }
  const std::string& error() const { return std::get<1>(v_).message; }
  Error takeError() { return std::get<1>(std::move(v_)); }

 private:
  std::variant<T, Error> v_;
};

template <>
class [[nodiscard]] Result<void> {
 public:
  Result() = default;
  Result(Error error) : err_(std::move(error)) {}
  explicit operator bool() const { return !err_; }
  bool ok() const { return !err_; }
  const std::string& error() const { return err_->message; }
  Error takeError() { return std::move(*err_); }

 private:
  std::optional<Error> err_;
};

using Status = Result<void>;

}  // namespace vorn
