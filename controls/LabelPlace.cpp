#include "controls/LabelPlace.h"

namespace {

int Centred(int start, int size, int other) {
  return other > size ? start - (other - size) / 2 : start + (size - other) / 2;
}

} // namespace

TPoint LabelPlace(TLabelPosition position, const TRect& c, int W, int LW, int LH, int M) {
  const int L = c.Left, T = c.Top, CW = c.Width(), CH = c.Height();
  const int middle = Centred(T, CH, LH);
  switch (position) {
  case lpLeftTop:
    return {L - W - M, T};
  case lpLeftCenter:
    return {L - W - M, middle};
  case lpLeftBottom:
    return {L - W - M, T + CH - LH};
  case lpTopLeft:
    return {L, T - LH - M};
  case lpBottomLeft:
    return {L, T + CH + M};
  case lpLeftTopLeft:
    return {L - M, T};
  case lpLeftCenterLeft:
    return {L - M, middle};
  case lpLeftBottomLeft:
    return {L - M, T + CH - LH};
  case lpTopCenter:
    return {Centred(L, CW, LW), T - LH - M};
  case lpBottomCenter:
    return {Centred(L, CW, LW), T + CH + M};
  case lpRightTop:
    return {L + CW + M, T};
  case lpRightCenter:
    return {L + CW + M, middle};
  case lpRighBottom:
    return {L + CW + M, T + CH - LH};
  }
  return {L, T};
}
