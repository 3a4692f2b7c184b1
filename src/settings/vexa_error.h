#pragma once
// Numbered errors of the application other than the link abort (picture decoding and saving).

#include <stdexcept>
#include <string>

namespace vexa::settings {

class VexaError : public std::runtime_error {
 public:
  VexaError(int number, std::string source, std::string description)
      : std::runtime_error(description),
        number_(number),
        source_(std::move(source)),
        description_(std::move(description)) {}

  int number() const { return number_; }
  const std::string& source() const { return source_; }
  const std::string& description() const { return description_; }

 private:
  int number_;
  std::string source_;
  std::string description_;
};

}  // namespace vexa::settings
