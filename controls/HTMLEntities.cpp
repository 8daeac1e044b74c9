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

namespace {

constexpr std::array<TEntity, 4> Specials = {{
    {"<", "&lt;"},
    {">", "&gt;"},
    {"&", "&amp;"},
    {"\"", "&quot;"},
}};

// The entity that starts at `at`, or null.
const TEntity* EntityAt(std::string_view text, std::size_t at, bool named) {
  const std::string_view rest = text.substr(at);
  for (const TEntity& e : Specials)
    if (rest.starts_with(e.second)) return &e;
  if (named)
    for (const TEntity& e : Entities)
      if (rest.starts_with(e.second)) return &e;
  return nullptr;
}

// The character that starts at `at` if it has an entity, else null.
const TEntity* CharacterAt(std::string_view text, std::size_t at, bool named) {
  const std::string_view rest = text.substr(at);
  for (const TEntity& e : Specials)
    if (rest.starts_with(e.first)) return &e;
  if (named && static_cast<unsigned char>(text[at]) >= 0x80)
    for (const TEntity& e : Entities)
      if (rest.starts_with(e.first)) return &e;
  return nullptr;
}

} // namespace

std::string DecodeHTMLEntities(std::string_view text, bool named) {
  std::string out;
  out.reserve(text.size());
  std::size_t done = 0;
  for (std::size_t p; (p = text.find('&', done)) != std::string_view::npos;) {
    out.append(text, done, p - done);
    if (const TEntity* e = EntityAt(text, p, named)) {
      out += e->first;
      done = p + e->second.size();
    } else {
      out += '&';
      done = p + 1;
    }
  }
  out.append(text, done);
  return out;
}

std::string EncodeHTMLText(std::string_view text, bool named) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size();) {
    if (const TEntity* e = CharacterAt(text, i, named)) {
      out += e->second;
      i += e->first.size();
    } else {
      out += text[i++];
    }
  }
  return out;
}

std::string EncodeHTMLEntities(std::string_view text, bool named) {
  // The export has always turned a "*amp;" of the text into "&amp;" as well.
  return EncodeHTMLText(ReplaceAll(text, "*amp;", "&"), named);
}

std::string SpacesToNbsp(std::string_view text) {
  return ReplaceAll(text, " ", "&nbsp;");
}
