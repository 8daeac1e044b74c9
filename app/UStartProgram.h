// Runs another program (the maker's updater) and waits for it to end.
#pragma once

#include "platform/Process.h"

#include <cstdint>
#include <string>

inline constexpr std::int64_t Start_Program_Poll_Ms = 10;
inline constexpr std::int64_t Start_Program_Timeout_Ms = 149999;

// Runs while the runner waits, between polls: the UI layer repaints its windows there (input stays
// blocked). Returns the hook it replaces; nullptr runs nothing.
using TStartProgramIdle = void (*)();
TStartProgramIdle Set_Start_Program_Idle(TStartProgramIdle idle);

// Starts the program file NomeSW (a relative name is taken from the program folder) with the
// command line Parameter (blank-separated, "double quotes" keep blanks inside one argument) in the
// program's own folder, and waits until it ends (and one poll interval more) or until
// Start_Program_Timeout_Ms have passed on the program clock. A program still running then is left
// running. tipo asks for a hidden window, which has no meaning for the programs started here. The
// caller tells the user when the program could not be started (the result's Error says why).
TProcessResult Start_Program(const std::string& NomeSW, const std::string& Parameter, bool tipo);
