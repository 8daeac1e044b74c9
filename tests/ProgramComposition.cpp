// Tests that start windows or load the text table do so with the program's own composition.
#include "program/Composition.h"

namespace {

const bool Composed = (Set_Composition(Velmaric_Composition()), true);

} // namespace
