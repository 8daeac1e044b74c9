// The fixed choices whose indices the network file stores (not translated).
#pragma once

#include <span>
#include <string_view>

std::span<const std::string_view> Type_Of_Data_Texts();   // 26
std::span<const std::string_view> Function_Field_Texts(); // 4
std::span<const std::string_view> Dimension_Texts();      // 8
std::span<const std::string_view> Post_Operation_Texts(); // 13
std::span<const std::string_view> VIFE_Texts();           // 152
