// How an operation that can fail says so, everywhere in Pagehold: a Status (success, or the
// Failure with its reason) or a Result<T> (a value, or the Failure). Both must be looked at
// ([[nodiscard]]), so no failure is dropped by accident. Exceptions are kept for what no caller
// can handle on the spot (out of memory, a broken invariant); they reach the program's general
// report.
//
// A Failure names what it is about (a path, a URL) and why, in the system's words where the
// system gave a reason ("Permission denied") and in the program's own words otherwise.
#pragma once

#include <cerrno>
#include <string>
#include <system_error>
#include <utility>
#include <variant>

namespace pagehold {

struct Failure {
  std::string subject;  // the path, URL or name the failure is about; may be empty
  std::string reason;   // why, in one line

  // "subject: reason", or the reason alone when there is no subject.
  std::string Describe() const { return subject.empty() ? reason : subject + ": " + reason; }

  // The failure of an operation on subject that set errno (or returned this error code).
  static Failure FromErrno(std::string subject, int error = errno) {
    return {std::move(subject), std::generic_category().message(error)};
  }
  static Failure FromErrorCode(std::string subject, const std::error_code& error) {
    return {std::move(subject), error.message()};
  }
};

class [[nodiscard]] Status {
 public:
  Status() = default;                                                       // success
  Status(Failure failure) : failed_(true), failure_(std::move(failure)) {}  // NOLINT: implicit

  static Status Ok() { return {}; }

  bool ok() const { return !failed_; }
  explicit operator bool() const { return ok(); }
  // Only meaningful when !ok().
  const Failure& failure() const { return failure_; }

 private:
  bool failed_ = false;
  Failure failure_;
};

template <typename T>
class [[nodiscard]] Result {
 public:
  Result(T value) : state_(std::in_place_index<0>, std::move(value)) {}            // NOLINT
  Result(Failure failure) : state_(std::in_place_index<1>, std::move(failure)) {}  // NOLINT

  bool ok() const { return state_.index() == 0; }
  explicit operator bool() const { return ok(); }

  // Only meaningful when ok().
  T& value() & { return std::get<0>(state_); }
  const T& value() const& { return std::get<0>(state_); }
  T&& value() && { return std::get<0>(std::move(state_)); }
  T* operator->() { return &value(); }
  const T* operator->() const { return &value(); }
  T& operator*() & { return value(); }
  const T& operator*() const& { return value(); }

  // Only meaningful when !ok().
  const Failure& failure() const { return std::get<1>(state_); }
  // The failure as a Status, to pass it on.
  Status status() const { return ok() ? Status() : Status(failure()); }

 private:
  std::variant<T, Failure> state_;
};

}  // namespace pagehold
