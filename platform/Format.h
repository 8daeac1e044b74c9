// The one formatter for texts with Format patterns: %d %u %x %s %f %e %g %n %m, with flags, width
// and precision ("%-8.3f", "%*d" is not supported). Texts from language files or stored files go
// through it, never through printf: a pattern that does not match its arguments yields the
// pattern text unformatted.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>
#include <variant>

using TFormatArg = std::variant<std::int64_t, double, std::string>;

std::string Format(std::string_view pattern, std::initializer_list<TFormatArg> args);
// The checked form for stored or supplied patterns: false (out untouched) unless the pattern takes
// exactly the arguments given, each of a kind its conversion accepts.
bool TryFormat(std::string_view pattern, std::initializer_list<TFormatArg> args, std::string& out);
