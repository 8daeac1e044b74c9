// Answers of the gateway core: the windows show the message of a failed step.
#pragma once

#include "platform/Format.h"

#include <initializer_list>
#include <string>
#include <utility>

struct TGatewayResult {
  bool Ok = true;
  int TextNumber = 0;  // number of the message in the text table, 0 for a message built here
  std::string Message; // the text to show, filled in

  explicit operator bool() const { return Ok; }
  static TGatewayResult Success() { return {}; }
  static TGatewayResult Failure(std::string message, int textNumber = 0) {
    return {false, textNumber, std::move(message)};
  }
  // The text of that number from the text table, filled in with the arguments.
  static TGatewayResult Failure(int textNumber, std::initializer_list<TFormatArg> args);
};
