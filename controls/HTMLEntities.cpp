#include "controls/HTMLEntities.h"

#include "controls/ReplaceAll.h"

#include <array>
#include <utility>

namespace {

using TEntity = std::pair<std::string_view, std::string_view>;

// The order matters: it is the order of replacement.
constexpr std::array<TEntity, 51> Entities = {{
    {"é", "&eacute;"}, {"è", "&egrave;"}, {"ë", "&euml;"},   {"ê", "&ecirc;"},  {"ó", "&oacute;"},
    {"ò", "&ograve;"}, {"ö", "&ouml;"},   {"ô", "&ocirc;"},  {"í", "&iacute;"}, {"ì", "&igrave;"},
    {"ï", "&iuml;"},   {"î", "&icirc;"},  {"ú", "&uacute;"}, {"ù", "&ugrave;"}, {"ü", "&uuml;"},
    {"û", "&ucirc;"},  {"á", "&aacute;"}, {"à", "&agrave;"}, {"ä", "&auml;"},   {"â", "&acirc;"},
    {"É", "&Eacute;"}, {"È", "&Egrave;"}, {"Ë", "&Euml;"},   {"Ê", "&Ecirc;"},  {"Ó", "&Oacute;"},
    {"Ò", "&Ograve;"}, {"Ö", "&Ouml;"},   {"Ô", "&Ocirc;"},  {"Í", "&Iacute;"}, {"Ì", "&Igrave;"},
    {"Ï", "&Iuml;"},   {"Î", "&Icirc;"},  {"Ú", "&Uacute;"}, {"Ù", "&Ugrave;"}, {"Ü", "&Uuml;"},
    {"Û", "&Ucirc;"},  {"Á", "&Aacute;"}, {"À", "&Agrave;"}, {"Ä", "&Auml;"},   {"Â", "&Acirc;"},
    {"ç", "&ccedil;"}, {"Ç", "&Ccedil;"}, {"ø", "&oslash;"}, {"Ø", "&Oslash;"}, {"å", "&aring;"},
    {"Å", "&Aring;"},  {"©", "&copy;"},   {"®", "&reg;"},    {"€", "&euro;"},   {"«", "&laquo;"},
    {"»", "&raquo;"},
}};

} // namespace

std::string DecodeHTMLEntities(std::string_view text, bool named) {
  std::string out = ReplaceAll(text, "&lt;", "<");
  out = ReplaceAll(out, "&gt;", ">");
  out = ReplaceAll(out, "&amp;", "&");
  out = ReplaceAll(out, "&quot;", "\"");
  if (named)
    for (const auto& [character, entity] : Entities)
      out = ReplaceAll(out, entity, character);
  return out;
}

std::string EncodeHTMLEntities(std::string_view text, bool named) {
  std::string out = ReplaceAll(text, "&", "*amp;");
  out = ReplaceAll(out, "*amp;", "&amp;");
  out = ReplaceAll(out, "\"", "&quot;");
  out = ReplaceAll(out, "<", "&lt;");
  out = ReplaceAll(out, ">", "&gt;");
  if (named)
    for (const auto& [character, entity] : Entities)
      out = ReplaceAll(out, character, entity);
  return out;
}

std::string SpacesToNbsp(std::string_view text) {
  return ReplaceAll(text, " ", "&nbsp;");
}
