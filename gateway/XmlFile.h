// Loading one of the configuration's XML files: missing, loaded with its root, or unreadable.
#pragma once

#include "platform/Xml.h"

#include <optional>
#include <string>
#include <string_view>

enum class TXmlFileState { Missing, Loaded, Unreadable };

struct TXmlFile {
  TXmlFileState State = TXmlFileState::Missing;
  std::string Error; // why an unreadable file could not be used (parser text with its position)
  TXmlDocument Doc;
  TXmlNode Root; // the document element, whatever its name
};

TXmlFile Load_Xml_File(const std::string& path);

// Text of the first child element of that name; nothing when there is none (an empty element
// gives the empty text).
std::optional<std::string> Element_Text(const TXmlNode& root, std::string_view name);
