// Enumeration values by name: the grid's files write enumerations as the names of their values.
// A type takes part by specialising TEnumNames with its names in value order.
#pragma once

#include <array>
#include <cstddef>
#include <string_view>

template <class E> struct TEnumNames;

// The name of the value of an ordinal (as a file may hold it); empty outside the type.
template <class E> std::string_view EnumNameAt(int ordinal) {
  const auto& names = TEnumNames<E>::Names;
  return ordinal >= 0 && static_cast<std::size_t>(ordinal) < names.size() ? std::string_view(names[ordinal])
                                                                          : std::string_view();
}

template <class E> std::string_view EnumName(E value) {
  return EnumNameAt<E>(static_cast<int>(value));
}

// The value of a name (compared exactly, as the files write them); false for an unknown name.
template <class E> bool EnumValue(std::string_view name, E& value) {
  const auto& names = TEnumNames<E>::Names;
  for (std::size_t i = 0; i < names.size(); ++i)
    if (std::string_view(names[i]) == name) {
      value = static_cast<E>(i);
      return true;
    }
  return false;
}

template <class E> constexpr int EnumCount() {
  return static_cast<int>(TEnumNames<E>::Names.size());
}

#define VELMARIC_ENUM_NAMES(Type, ...)                                                                       \
  template <> struct TEnumNames<Type> { static constexpr std::array Names{__VA_ARGS__}; }
