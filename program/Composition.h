// This build's composition: the shell's windows and texts with those of the gateway.
#pragma once

#include "app/Composition.h"

const TComposition& Velmaric_Composition();
