// Misuse of the string grid's typed and selection accessors ("Invalid row accessed" ...).
#pragma once

#include <stdexcept>
#include <string>

class EProGridError : public std::runtime_error {
public:
  explicit EProGridError(const std::string& Message) : std::runtime_error(Message) {}
};
