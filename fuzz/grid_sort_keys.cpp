// The grid's stored sort keys and integer lists, as the grid files give them.
#include "grid/ProObj.h"
#include "platform/Persistent.h"
#include "platform/Streams.h"

#include <string>

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, std::size_t size) {
  std::string text(reinterpret_cast<const char*>(data), size);
  TSortIndexList keys;
  keys.LoadFromString(text);
  keys.SaveToString();
  TIntList list(0, 0);
  try {
    list.SetStrValue(text);
  } catch (const EConvertError&) {
  }
  list.StrValue();
  TMemoryStream stream;
  stream.WriteBuffer(text);
  stream.SetPosition(0);
  TFileStringList lines;
  lines.LoadFromStream(stream);
  std::string line;
  while (!lines.Eof())
    lines.ReadLn(line);
  return 0;
}
