// Numbers that tell this process apart from every other running one.
#pragma once

#include <cstdint>
#include <memory>

// Holds a task number of the system for as long as it lives: a thread of this process waits for
// the object's end, and as thread and process numbers come from one range, no other process can
// be given the number meanwhile. The number is below 2^22.
class TTaskNumberHold {
public:
  TTaskNumberHold();
  ~TTaskNumberHold();
  TTaskNumberHold(const TTaskNumberHold&) = delete;
  TTaskNumberHold& operator=(const TTaskNumberHold&) = delete;
  std::uint32_t Value() const;

private:
  struct TImpl;
  std::unique_ptr<TImpl> Impl;
};
