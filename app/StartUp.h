// The part of the main window's creation that sets up the program-wide state, in its fixed order.
#pragma once

#include <string>

// Folders beside the program (created when missing), settings file, model identity, text table in
// the chosen language, the last configuration when its folder still exists, and the table-file paths.
void Prepare_Shared_State(const std::string& programDir);
