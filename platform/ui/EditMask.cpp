#include "platform/ui/EditMask.h"

#include <QChar>
#include <QString>

#include <algorithm>

namespace {

// The fields of "mask;save;blank", split at unescaped ";".
std::vector<std::u16string> Fields(const std::u16string& mask) {
  std::vector<std::u16string> out(1);
  for (std::size_t i = 0; i < mask.size(); ++i) {
    if (mask[i] == u'\\' && i + 1 < mask.size()) {
      out.back() += mask[i];
      out.back() += mask[++i];
    } else if (mask[i] == u';' && out.size() < 3) {
      out.emplace_back();
    } else {
      out.back() += mask[i];
    }
  }
  return out;
}

} // namespace

TEditMask::TEditMask(const std::string& mask) {
  std::vector<std::u16string> fields = Fields(QString::fromStdString(mask).toStdU16String());
  if (fields.size() > 1 && !fields[1].empty()) FSaveLiterals = fields[1] != u"0";
  if (fields.size() > 2 && !fields[2].empty()) FBlank = fields[2][0];
  const std::u16string& m = fields[0];
  TCase casing = mcNone;
  for (std::size_t i = 0; i < m.size(); ++i) {
    char16_t c = m[i];
    TPosition p;
    p.Case = casing;
    switch (c) {
    case u'!':
      continue;
    case u'>':
      casing = mcUpper;
      continue;
    case u'<':
      if (i + 1 < m.size() && m[i + 1] == u'>') {
        ++i;
        casing = mcNone;
      } else {
        casing = mcLower;
      }
      continue;
    case u'\\':
      if (i + 1 >= m.size()) continue;
      p.Literal = m[++i];
      break;
    case u'0':
      p.Kind = mkDigit;
      p.Required = true;
      break;
    case u'9':
      p.Kind = mkDigit;
      break;
    case u'#':
      p.Kind = mkDigitSign;
      break;
    case u'L':
      p.Kind = mkLetter;
      p.Required = true;
      break;
    case u'l':
      p.Kind = mkLetter;
      break;
    case u'A':
      p.Kind = mkAlphaNum;
      p.Required = true;
      break;
    case u'a':
      p.Kind = mkAlphaNum;
      break;
    case u'C':
      p.Kind = mkAny;
      p.Required = true;
      break;
    case u'c':
      p.Kind = mkAny;
      break;
    case u'_':
      p.Literal = u' ';
      break;
    default:
      p.Literal = c;
      break;
    }
    FPositions.push_back(p);
  }
}

bool TEditMask::IsLiteral(int pos) const {
  return pos >= 0 && pos < Length() && FPositions[static_cast<std::size_t>(pos)].Kind == mkLiteral;
}

char16_t TEditMask::Fit(const TPosition& p, char16_t ch) const {
  QChar q(ch);
  if (p.Case == mcUpper) q = q.toUpper();
  if (p.Case == mcLower) q = q.toLower();
  bool ok = false;
  switch (p.Kind) {
  case mkLiteral:
    return 0;
  case mkDigit:
    ok = q.isDigit();
    break;
  case mkDigitSign:
    ok = q.isDigit() || q == u'+' || q == u'-';
    break;
  case mkLetter:
    ok = q.isLetter();
    break;
  case mkAlphaNum:
    ok = q.isLetterOrNumber();
    break;
  case mkAny:
    ok = q.isPrint();
    break;
  }
  return ok ? q.unicode() : 0;
}

int TEditMask::NextInput(int from) const {
  int i = std::max(0, from);
  while (i < Length() && IsLiteral(i))
    ++i;
  return i;
}

std::u16string TEditMask::Normalised(const std::u16string& editText) const {
  // Whatever the widget holds, the edit text always has one character per position.
  if (static_cast<int>(editText.size()) == Length()) return editText;
  return Format(Value(editText));
}

int TEditMask::NextLiteral(int from) const {
  int i = std::max(0, from);
  while (i < Length() && !IsLiteral(i))
    ++i;
  return i;
}

void TEditMask::BlankRange(std::u16string& editText, int from, int to) const {
  for (int i = std::max(0, from); i < std::min(to, Length()); ++i)
    if (!IsLiteral(i)) editText[static_cast<std::size_t>(i)] = FBlank;
}

std::u16string TEditMask::Format(const std::u16string& value) const {
  std::u16string out;
  out.reserve(FPositions.size());
  for (const TPosition& p : FPositions)
    out += p.Kind == mkLiteral ? p.Literal : FBlank;
  std::size_t v = 0;
  for (int i = 0; i < Length() && v < value.size(); ++i) {
    const TPosition& p = FPositions[static_cast<std::size_t>(i)];
    if (p.Kind == mkLiteral) {
      if (value[v] == p.Literal) ++v;
      continue;
    }
    if (value[v] == u' ' || value[v] == FBlank) {
      ++v;
      continue;
    }
    if (char16_t c = Fit(p, value[v])) {
      out[static_cast<std::size_t>(i)] = c;
      ++v;
    } else if (int j = NextLiteral(i + 1);
               j < Length() && value[v] == FPositions[static_cast<std::size_t>(j)].Literal) {
      // A short field ended early ("1.2" into "999.999"): its other positions stay blank.
      i = j - 1;
    } else {
      ++v; // a character that fits nowhere here is dropped
      --i;
    }
  }
  return out;
}

std::u16string TEditMask::Value(const std::u16string& editText) const {
  std::u16string out;
  for (int i = 0; i < static_cast<int>(editText.size()); ++i) {
    bool literal = IsLiteral(i);
    if (literal && !FSaveLiterals) continue;
    char16_t c = editText[static_cast<std::size_t>(i)];
    out += (!literal && c == FBlank) ? u' ' : c;
  }
  return out;
}

bool TEditMask::Type(std::u16string& editText, int& selStart, int selLength, char16_t ch) const {
  std::u16string text = Normalised(editText);
  int start = std::clamp(selStart, 0, Length());
  BlankRange(text, start, start + std::max(0, selLength));
  // The literal the caret was just moved past is typed as well.
  if (selLength <= 0 && start > 0 && IsLiteral(start - 1) &&
      FPositions[static_cast<std::size_t>(start) - 1].Literal == ch) {
    editText = text;
    return true;
  }
  // Typing the literal that comes next passes over it, leaving optional positions before it blank
  // ("1." into "999.999" gives "1__.___").
  for (int i = start; i < Length(); ++i) {
    const TPosition& p = FPositions[static_cast<std::size_t>(i)];
    if (p.Kind == mkLiteral) {
      if (p.Literal != ch) continue;
      editText = text;
      selStart = i + 1;
      return true;
    }
    if (p.Required || text[static_cast<std::size_t>(i)] != FBlank) break;
  }
  int pos = NextInput(start);
  if (pos >= Length()) return false;
  char16_t c = Fit(FPositions[static_cast<std::size_t>(pos)], ch);
  if (!c) return false;
  text[static_cast<std::size_t>(pos)] = c;
  editText = text;
  selStart = NextInput(pos + 1);
  return true;
}

void TEditMask::Backspace(std::u16string& editText, int& selStart, int selLength) const {
  editText = Normalised(editText);
  int start = std::clamp(selStart, 0, Length());
  if (selLength > 0) {
    BlankRange(editText, start, start + selLength);
    selStart = start;
    return;
  }
  int i = start - 1;
  while (i >= 0 && IsLiteral(i))
    --i;
  if (i < 0) return;
  editText[static_cast<std::size_t>(i)] = FBlank;
  selStart = i;
}

void TEditMask::Delete(std::u16string& editText, int& selStart, int selLength) const {
  editText = Normalised(editText);
  int start = std::clamp(selStart, 0, Length());
  if (selLength > 0) {
    BlankRange(editText, start, start + selLength);
    selStart = start;
    return;
  }
  int pos = NextInput(start);
  if (pos < Length()) editText[static_cast<std::size_t>(pos)] = FBlank;
}

int TEditMask::FirstBlank(const std::u16string& editText) const {
  std::u16string text = Normalised(editText);
  for (int i = 0; i < Length(); ++i)
    if (!IsLiteral(i) && text[static_cast<std::size_t>(i)] == FBlank) return i;
  return Length();
}

bool TEditMask::Complete(const std::u16string& editText) const {
  std::u16string text = Normalised(editText);
  for (int i = 0; i < Length(); ++i) {
    const TPosition& p = FPositions[static_cast<std::size_t>(i)];
    if (p.Required && text[static_cast<std::size_t>(i)] == FBlank) return false;
  }
  return true;
}
