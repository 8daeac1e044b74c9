// Entities and control tags: a text encoded decodes to itself, and a control value reads back as
// written, whatever the value and the mark-up around the control.
#include "controls/HTMLControlTags.h"
#include "controls/HTMLEntities.h"
#include "support/FuzzSupport.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider in(data, size);
  const std::string value = in.ConsumeRandomLengthString(64);
  const bool named = in.ConsumeBool();
  const std::string markup = in.ConsumeRemainingBytesAsString();
  FuzzCheck(DecodeHTMLEntities(EncodeHTMLText(value, named), named) == value, "encode then decode", value);
  EncodeHTMLEntities(value, named);
  DecodeHTMLEntities(markup, named);

  std::string html = markup + R"(<CONTROL TYPE="EDIT" ID="fz" WIDTH="8">)";
  const bool ownIdFirst = HasHTMLControl(markup) == false;
  if (ownIdFirst) {
    FuzzCheck(SetHTMLControlValue(html, "fz", value) == 1, "the control is found");
    std::string back;
    FuzzCheck(GetHTMLControlValue(html, "fz", back) == 1 && back == value, "a value reads back as written",
              value);
    FuzzCheck(ParseControlTag(html.substr(markup.size())).Type == "EDIT", "the value leaves the type alone",
              html);
  }
  ParseControlTag(markup);
  std::string any;
  GetHTMLControlValue(markup, value, any);
  GetHTMLControlProp(markup, value);
  GetHTMLControlMaxLen(markup, value);
  NextHTMLEditControlID(markup, value);
  UncheckHTMLRadios(markup);
  return 0;
}
