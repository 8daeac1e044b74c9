// Loading one of the configuration's XML files: missing, loaded with its root, or unreadable.
#pragma once

#include "platform/Xml.h"

#include <string>

enum class TXmlFileState { Missing, Loaded, Unreadable };

struct TXmlFile {
  TXmlFileState State = TXmlFileState::Missing;
  std::string Error; // why an unreadable file could not be used (parser text with its position)
  TXmlDocument Doc;
  TXmlNode Root; // the document element, whatever its name
};

TXmlFile Load_Xml_File(const std::string& path);
