// The mini-HTML parser: preparing, cutting into runs and tags, reading tags and attributes.
#include "controls/AsgHTMLEParse.h"
#include "support/FuzzSupport.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text = AsText(data, size);
  const std::string prepared = PrepareHTMLText(text);
  for (bool wrap : {false, true})
    for (const THTMLToken& token : TokenizeHTML(prepared, wrap)) {
      if (token.IsTag) {
        ClassifyHTMLTag(token.Text);
        HTMLTagAttribute(token.Text, "SRC");
        HTMLTagHasAttribute(token.Text, "HREF");
        HTMLFontSizeValue(token.Text, 100);
        NumberAfterLetter(token.Text, 'H', 100);
      } else {
        VisibleRunText(ConvertRunEntities(token.Text));
      }
    }
  LeadingDigits(text, 1000);
  return 0;
}
