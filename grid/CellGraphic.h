// The graphic a cell owns (check box, picture, progress bar ...). The grid frees it with the cell's
// properties; objects of other classes handed to a cell stay the caller's.
#pragma once

#include "platform/Persistent.h"

class TCellGraphic : public TPersistent {};
