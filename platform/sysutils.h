#pragma once

#include <exception>
#include <string>
#include <utility>

// The platform's exception class: every failure the platform reports carries a message, which
// the application shows in its error box.
class Exception : public std::exception {
 public:
  explicit Exception(std::string message) : message_(std::move(message)) {}

  const std::string& Message() const noexcept { return message_; }
  const char* what() const noexcept override { return message_.c_str(); }

 private:
  std::string message_;
};
