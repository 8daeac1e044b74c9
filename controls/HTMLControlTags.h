// Reading and rewriting the CONTROL tags embedded in mini-HTML cell texts (check boxes, radio
// buttons, edit and combo fields and buttons):
//   <CONTROL TYPE="EDIT" ID="e1" VALUE="text" WIDTH="80" MAXLEN="10">
// Controls are found by walking the occurrences of "<CONTROL " (any case) from the start; each
// tag runs to the next ">". Texts are UTF-8.
#pragma once

#include <string>
#include <string_view>

struct THTMLControlTag {
  std::string Type; // upper case
  std::string ID;
  std::string MaxLen;
  std::string Prop; // entity-decoded
  std::string Height;
  std::string Width;
  std::string Value; // entity-decoded
};

bool HasHTMLControl(std::string_view text);
// Each attribute's value is the text between the first two double quotes after its name, the name
// taken where it starts a word outside quotes; absent attributes are empty.
THTMLControlTag ParseControlTag(std::string_view tag);
// The ID of the first control after the one with `id` (the first control at all for an empty
// `id`) whose TYPE is none of "BUTTON", "CHECK", "RADIO"; empty when there is none.
std::string NextHTMLEditControlID(std::string_view markup, std::string_view id);
// 1 and the control's VALUE when a control has the ID, else 0.
int GetHTMLControlValue(std::string_view markup, std::string_view id, std::string& value);
std::string GetHTMLControlProp(std::string_view markup, std::string_view id);
// The leading digits of MAXLEN; 0 when no control has the ID.
int GetHTMLControlMaxLen(std::string_view markup, std::string_view id);
// Rewrites the tag of the control with the ID with the new value (entity-encoded), keeping its
// ID, WIDTH, HEIGHT, TYPE and, when present, PROP and MAXLEN; 1 when done, 0 (and the mark-up
// unchanged) when no control has the ID.
int SetHTMLControlValue(std::string& markup, std::string_view id, std::string_view value);
// Every RADIO control's VALUE set to "FALSE".
std::string UncheckHTMLRadios(std::string_view markup);
