// Language files: any bytes leave a complete table of texts.
#include "app/ULanguage.h"
#include "platform/TextCodec.h"
#include "support/FuzzSupport.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  LoadProgramTexts();
  FuzzCheck(Load_Lng_File(WriteFuzzFile("Language.lng", AsText(data, size))), "a readable file is applied");
  FuzzCheck(Lang_Texts.size() == static_cast<std::size_t>(Lang_Text_Count), "the table keeps its slots");
  for (const std::string& text : Lang_Texts)
    FuzzCheck(IsValidUtf8(text), "every text is UTF-8", text);
  return 0;
}
