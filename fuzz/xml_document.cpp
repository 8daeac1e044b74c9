// XML documents: any bytes load or are refused with a reason; what loads saves to a text that loads
// again to the same text. Values put into a document come back exactly after a save and a load.
#include "platform/TextCodec.h"
#include "platform/Xml.h"
#include "support/FuzzSupport.h"

#include <vector>

namespace {

// Element text and attribute values as the program's files hold them: UTF-8 without NUL.
std::string Value(FuzzedDataProvider& in) {
  std::string raw = in.ConsumeRandomLengthString(40);
  std::string out;
  for (char32_t c : Utf8ToUtf32(raw))
    if (c != 0) AppendUtf8(out, c);
  return out;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text = AsText(data, size);
  {
    TXmlDocument doc;
    TXmlLoadResult loaded = doc.LoadFromFile(WriteFuzzFile("doc.xml", text));
    FuzzCheck(loaded.Ok || !loaded.Error.empty(), "a refused document says why");
    // A file in UTF-8 is judged as the same text in memory (the file's duplicate check is its own).
    if (IsValidUtf8(text) && !text.starts_with("\xEF\xBB\xBF") &&
        text.find("encoding") == std::string_view::npos) {
      TXmlDocument same;
      FuzzCheck(same.LoadFromString(text).Ok == loaded.Ok, "file and text are judged alike", loaded.Error);
    }
    if (loaded) {
      const std::string saved = doc.SaveToString();
      TXmlDocument again;
      FuzzCheck(again.LoadFromString(saved).Ok, "a saved document loads", saved);
      FuzzCheck(again.SaveToString() == saved, "save, load and save give the same text", saved);
    }
  }

  FuzzedDataProvider in(data, size);
  TXmlDocument doc;
  TXmlNode root = doc.CreateRoot("Root");
  std::vector<std::string> texts, attributes;
  const int count = in.ConsumeIntegralInRange(0, 6);
  for (int i = 0; i < count; ++i) {
    TXmlNode child = root.AddChild("v" + std::to_string(i), texts.emplace_back(Value(in)));
    child.SetAttribute("a", attributes.emplace_back(Value(in)));
  }
  const std::string path = FuzzFolder() + "/values.xml";
  std::string error;
  FuzzCheck(doc.SaveToFile(path, &error), "a document is written", error);
  TXmlDocument back;
  TXmlLoadResult loaded = back.LoadFromFile(path);
  FuzzCheck(loaded.Ok, "a written document loads", loaded.Error);
  for (int i = 0; i < count; ++i) {
    TXmlNode child = back.DocumentElement().Child("v" + std::to_string(i));
    FuzzCheck(child.Text() == texts[static_cast<std::size_t>(i)], "element text survives",
              texts[static_cast<std::size_t>(i)]);
    FuzzCheck(child.Attribute("a") == attributes[static_cast<std::size_t>(i)], "attribute value survives",
              attributes[static_cast<std::size_t>(i)]);
  }
  return 0;
}
