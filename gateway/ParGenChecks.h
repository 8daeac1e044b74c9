// The checks of the communication parameters before they are saved.
#pragma once

#include "gateway/GatewayResult.h"
#include "gateway/ParGenFile.h"

// Runs the checks in the form's order and answers the first failure with its text number and
// filled-in text, or success.
TGatewayResult Check_ParGen_Values(const TParGen& values);
