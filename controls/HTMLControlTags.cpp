#include "controls/HTMLControlTags.h"

#include "controls/HTMLEntities.h"
#include "controls/ProUtilUnicode.h"

#include <climits>
#include <optional>

namespace {

struct TControlAt {
  std::size_t Start; // of "CONTROL", after the "<"
  std::size_t End;   // past the closing ">" (or the end of the mark-up)
  THTMLControlTag Tag;
};

std::optional<TControlAt> ControlFrom(std::string_view markup, std::string_view upper, std::size_t from) {
  std::size_t p = upper.find("<CONTROL ", from);
  if (p == std::string_view::npos) return std::nullopt;
  std::size_t close = markup.find('>', p);
  std::size_t end = close == std::string_view::npos ? markup.size() : close + 1;
  return TControlAt{p + 1, end, ParseControlTag(markup.substr(p, end - p))};
}

// Calls `visit` for each control in order until it answers true; returns that control.
template <typename Visit> std::optional<TControlAt> FindControl(std::string_view markup, Visit visit) {
  const std::string upper = AsciiUpperCase(markup);
  for (auto control = ControlFrom(markup, upper, 0); control;
       control = ControlFrom(markup, upper, control->Start))
    if (visit(*control)) return control;
  return std::nullopt;
}

std::optional<TControlAt> ControlWithID(std::string_view markup, std::string_view id) {
  return FindControl(markup, [id](const TControlAt& c) { return c.Tag.ID == id; });
}

bool IsAttributeGap(char c) {
  return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

// The name is an attribute's only where it starts a word outside a quoted value: "ID=" is not
// found in "WIDTH=", nor a "TYPE=" that a value holds.
std::string AttributeValue(std::string_view tag, std::string_view upperTag, std::string_view name) {
  bool quoted = false;
  for (std::size_t i = 0; i < upperTag.size(); ++i) {
    if (upperTag[i] == '"') {
      quoted = !quoted;
      continue;
    }
    if (quoted || (i > 0 && !IsAttributeGap(upperTag[i - 1])) || upperTag.compare(i, name.size(), name) != 0)
      continue;
    std::size_t open = tag.find('"', i + name.size());
    if (open == std::string_view::npos) return {};
    std::size_t close = tag.find('"', open + 1);
    if (close == std::string_view::npos) return {};
    return std::string(tag.substr(open + 1, close - open - 1));
  }
  return {};
}

std::string Quoted(std::string_view value) {
  std::string out(1, '"');
  out += value;
  out += '"';
  return out;
}

std::string RebuiltTag(const THTMLControlTag& tag, std::string_view value) {
  std::string out = "CONTROL ID=" + Quoted(tag.ID) + " VALUE=" + Quoted(EncodeHTMLText(value, true)) +
                    " WIDTH=" + Quoted(tag.Width);
  if (!tag.Height.empty()) out += " HEIGHT=" + Quoted(tag.Height);
  out += " TYPE=" + Quoted(tag.Type);
  if (!tag.Prop.empty()) out += " PROP=" + Quoted(EncodeHTMLText(tag.Prop, true));
  if (!tag.MaxLen.empty()) out += " MAXLEN=" + Quoted(tag.MaxLen);
  return out + ">";
}

void Rewrite(std::string& markup, const TControlAt& control, std::string_view value) {
  markup.replace(control.Start, control.End - control.Start, RebuiltTag(control.Tag, value));
}

} // namespace

bool HasHTMLControl(std::string_view text) {
  return FindIgnoringAsciiCase(text, "<CONTROL") != std::string_view::npos;
}

THTMLControlTag ParseControlTag(std::string_view tag) {
  const std::string upper = AsciiUpperCase(tag);
  THTMLControlTag out;
  out.Type = AsciiUpperCase(AttributeValue(tag, upper, "TYPE="));
  out.ID = AttributeValue(tag, upper, "ID=");
  out.MaxLen = AttributeValue(tag, upper, "MAXLEN=");
  out.Prop = DecodeHTMLEntities(AttributeValue(tag, upper, "PROP="), true);
  out.Height = AttributeValue(tag, upper, "HEIGHT=");
  out.Width = AttributeValue(tag, upper, "WIDTH=");
  out.Value = DecodeHTMLEntities(AttributeValue(tag, upper, "VALUE="), true);
  return out;
}

std::string NextHTMLEditControlID(std::string_view markup, std::string_view id) {
  bool passed = id.empty();
  auto next = FindControl(markup, [&](const TControlAt& c) {
    if (!passed) {
      passed = c.Tag.ID == id;
      return false;
    }
    return c.Tag.Type != "BUTTON" && c.Tag.Type != "CHECK" && c.Tag.Type != "RADIO";
  });
  return next ? next->Tag.ID : std::string();
}

int GetHTMLControlValue(std::string_view markup, std::string_view id, std::string& value) {
  auto control = ControlWithID(markup, id);
  if (!control) return 0;
  value = control->Tag.Value;
  return 1;
}

std::string GetHTMLControlProp(std::string_view markup, std::string_view id) {
  auto control = ControlWithID(markup, id);
  return control ? control->Tag.Prop : std::string();
}

int GetHTMLControlMaxLen(std::string_view markup, std::string_view id) {
  auto control = ControlWithID(markup, id);
  if (!control) return 0;
  long long n = 0;
  for (char c : control->Tag.MaxLen) {
    if (c < '0' || c > '9') break;
    n = n * 10 + (c - '0');
    if (n > INT_MAX) return INT_MAX;
  }
  return static_cast<int>(n);
}

int SetHTMLControlValue(std::string& markup, std::string_view id, std::string_view value) {
  auto control = ControlWithID(markup, id);
  if (!control) return 0;
  Rewrite(markup, *control, value);
  return 1;
}

std::string UncheckHTMLRadios(std::string_view markup) {
  std::string html(markup);
  // Each radio is rewritten where it stands, so radios without an ID of their own are reached too.
  std::size_t from = 0;
  std::string upper = AsciiUpperCase(html);
  for (;;) {
    auto control = ControlFrom(html, upper, from);
    if (!control) break;
    if (control->Tag.Type == "RADIO") {
      Rewrite(html, *control, "FALSE");
      control->End = control->Start + RebuiltTag(control->Tag, "FALSE").size();
      upper = AsciiUpperCase(html);
    }
    from = control->End;
  }
  return html;
}
