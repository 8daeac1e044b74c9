#include "gateway/XmlFile.h"

#include "platform/Files.h"

TXmlFile Load_Xml_File(const std::string& path) {
  TXmlFile file;
  TXmlLoadResult loaded = file.Doc.LoadFromFile(path);
  if (!loaded) {
    // Asked only now: a file that loads exists.
    if (!FileExists(path)) return file;
    file.State = TXmlFileState::Unreadable;
    file.Error = loaded.Error;
    return file;
  }
  file.Root = file.Doc.DocumentElement();
  if (!file.Root) {
    file.State = TXmlFileState::Unreadable;
    file.Error = "\"" + path + "\": no root element";
    return file;
  }
  file.State = TXmlFileState::Loaded;
  return file;
}

std::optional<std::string> Element_Text(const TXmlNode& root, std::string_view name) {
  TXmlNode node = root.Child(name);
  if (!node) return std::nullopt;
  return node.Text();
}
