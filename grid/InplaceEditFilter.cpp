#include "grid/InplaceEditFilter.h"

#include "controls/ProUtilNumbers.h"
#include "controls/ProUtilText.h"

#include <algorithm>
#include <cctype>

namespace {

bool IsControlKey(char Key) {
  return Key == 8 || Key == 9 || Key == 13 || Key == 27;
}

bool IsDigit(char Key) {
  return Key >= '0' && Key <= '9';
}

std::string Selected(const TEditState& S) {
  const auto start = static_cast<std::size_t>(std::clamp(S.SelStart, 0, static_cast<int>(S.Text.size())));
  return S.Text.substr(start, static_cast<std::size_t>(std::max(0, S.SelLength)));
}

char Upper(char c) {
  return static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
}
char Lower(char c) {
  return static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
}

std::string Upper(std::string s) {
  for (char& c : s)
    c = Upper(c);
  return s;
}
std::string Lower(std::string s) {
  for (char& c : s)
    c = Lower(c);
  return s;
}

bool InValidChars(const TEditCharRules& R, char Key) {
  if (!R.ValidChars.empty()) return R.ValidChars.find(Key) != std::string::npos;
  return R.ValidCharSet.test(static_cast<unsigned char>(Key));
}

} // namespace

int TextByteOffset(const std::string& Text, int Chars) {
  std::size_t b = 0;
  for (int i = 0; b < Text.size() && i < Chars; ++i)
    do
      ++b;
    while (b < Text.size() && (static_cast<unsigned char>(Text[b]) & 0xC0) == 0x80);
  return static_cast<int>(b);
}

int TextCharCount(const std::string& Text, int Bytes) {
  int n = 0;
  for (int b = 0; b < Bytes && b < static_cast<int>(Text.size()); ++b)
    if ((static_cast<unsigned char>(Text[static_cast<std::size_t>(b)]) & 0xC0) != 0x80) ++n;
  return n;
}

TEditCharResult FilterEditChar(const TEditCharRules& R, const TEditState& S, char Key, bool Ctrl) {
  TEditCharResult res;
  res.Key = Key;
  const bool hasMinus = S.Text.find('-') != std::string::npos;
  switch (R.Kind) {
  case edNormal:
  case edPassword:
    return res;
  case edNumeric:
    if (IsControlKey(Key) || IsDigit(Key) || (Key == '-' && !hasMinus && S.SelStart == 0)) return res;
    res.Action = ecaBeep;
    return res;
  case edPositiveNumeric:
    if (IsControlKey(Key) || IsDigit(Key)) return res;
    res.Action = ecaBeep;
    return res;
  case edFloat:
  case edPositiveFloat: {
    const bool minusOk = R.Kind == edFloat;
    const bool floatChar =
        IsControlKey(Key) || IsDigit(Key) || Key == ',' || Key == '.' || (minusOk && Key == '-');
    if (!floatChar) {
      if (!Ctrl) res.Action = ecaDrop;
      return res;
    }
    const std::string sel = Selected(S);
    if (Key == R.DecimalSeparator && S.Text.find(R.DecimalSeparator) != std::string::npos &&
        sel.find(R.DecimalSeparator) == std::string::npos) {
      res.Action = ecaDrop;
      return res;
    }
    if (Key == R.ThousandSeparator) {
      res.Action = ecaDrop;
      return res;
    }
    if (Key == '-' && !(sel.find('-') != std::string::npos || (S.SelStart == 0 && !hasMinus)))
      res.Action = ecaBeep;
    return res;
  }
  case edCapital:
  case edUpperCase:
    res.Key = Upper(Key);
    return res;
  case edLowerCase:
    res.Key = Lower(Key);
    return res;
  case edMixedCase:
    res.MixedCase = true;
    return res;
  case edValidChars:
    if (Key == 8 || Key == 13 || InValidChars(R, Key)) return res;
    res.Action = ecaBeep;
    return res;
  default:
    res.Action = ecaDrop;
    return res;
  }
}

TEditState TypeEditChar(const TEditCharRules& R, const TEditState& S, char Key, bool Ctrl, bool& Beep) {
  const TEditCharResult f = FilterEditChar(R, S, Key, Ctrl);
  Beep = f.Action == ecaBeep;
  if (f.Action != ecaAccept || Key == 9 || Key == 13 || Key == 27 || (Ctrl && Key != 8 && f.Key < 32))
    return S;
  TEditState out = S;
  const int size = static_cast<int>(S.Text.size());
  const int start = std::clamp(S.SelStart, 0, size);
  const int len = std::clamp(S.SelLength, 0, size - start);
  if (Key == 8) {
    if (len > 0) {
      out.Text.erase(static_cast<std::size_t>(start), static_cast<std::size_t>(len));
      out.SelStart = start;
    } else if (start > 0) {
      out.Text.erase(static_cast<std::size_t>(start - 1), 1);
      out.SelStart = start - 1;
    }
    out.SelLength = 0;
    return out;
  }
  if (Ctrl) return S; // Ctrl+letters are commands of the edit, not text
  out.Text.replace(static_cast<std::size_t>(start), static_cast<std::size_t>(len), 1, f.Key);
  out.SelStart = start + 1;
  out.SelLength = 0;
  if (f.MixedCase) out.Text = ToMixedCase(out.Text);
  return out;
}

std::optional<TEditState> PasteEditText(const TEditCharRules& R, const TEditState& S, std::string Pasted,
                                        int LengthLimit) {
  if (LengthLimit > 0 && static_cast<int>(Pasted.size()) > LengthLimit) return std::nullopt;
  // One line and its line break: the break is not part of the value.
  if (const auto crlf = Pasted.find("\r\n"); crlf != std::string::npos && crlf + 2 == Pasted.size())
    Pasted.erase(crlf);
  const int size = static_cast<int>(S.Text.size());
  const int start = std::clamp(S.SelStart, 0, size);
  const int len = std::clamp(S.SelLength, 0, size - start);
  TEditState out;
  out.Text = S.Text;
  out.Text.replace(static_cast<std::size_t>(start), static_cast<std::size_t>(len), Pasted);
  if (len > 0) {
    out.SelStart = start;
    out.SelLength = static_cast<int>(Pasted.size());
  } else {
    out.SelStart = start + static_cast<int>(Pasted.size());
    out.SelLength = 0;
  }
  if (LengthLimit > 0 && static_cast<int>(out.Text.size()) > LengthLimit) return std::nullopt;
  const bool hasMinus = out.Text.find('-') != std::string::npos;
  const int kind = ClassifyNumberText(out.Text);
  switch (R.Kind) {
  case edNumeric:
  case edPositiveNumeric:
    if (kind != 0 || (hasMinus && R.Kind != edNumeric)) return std::nullopt;
    break;
  case edFloat:
  case edPositiveFloat:
    if ((kind != 0 && kind != 1) || (hasMinus && R.Kind != edFloat)) return std::nullopt;
    break;
  case edMixedCase:
    out.Text = ToMixedCase(out.Text);
    break;
  case edLowerCase:
    out.Text = Lower(out.Text);
    break;
  case edUpperCase:
    out.Text = Upper(out.Text);
    break;
  case edValidChars:
    for (char c : out.Text)
      if (R.ValidChars.find(c) == std::string::npos) return std::nullopt;
    break;
  default:
    break;
  }
  return out;
}
