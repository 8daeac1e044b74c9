// Objects that can copy their state from another object of a kind they know.
#pragma once

#include "platform/ui/Classes.h"

#include <stdexcept>
#include <string>

// Raised when an object is asked to copy from a kind it does not know.
class EConvertError : public std::runtime_error {
public:
  using std::runtime_error::runtime_error;
};

class TPersistent : public TObject {
public:
  // Copies what `Source` holds. The default asks the source (AssignTo) and raises EConvertError
  // when neither side knows the other; nullptr raises as well.
  virtual void Assign(const TPersistent* Source);

protected:
  // Lets a source copy itself into a destination that does not know it; the default raises.
  virtual void AssignTo(TPersistent* Dest) const;
  // The object that owns this one in the runtime's sense (a collection's control), or nullptr.
  virtual TPersistent* GetOwner() const { return nullptr; }
};
