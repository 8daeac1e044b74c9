// Answers of the gateway core: the windows show the message of a failed step.
#pragma once

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
};
