#include "app/UVelmariceFirmWarePictures.h"

#include "platform/ui/Resources.h"

#include <cstdint>
#include <initializer_list>

namespace {

constexpr int S = Corner_Picture_Size;

struct TInk {
  char Key;
  TColor Color;
};

// The picture from its rows of characters: '.' is the see-through colour, the others come from
// `inks`. Set pixel by pixel, the three pictures cost a tenth of drawing their discs and teeth.
TBitmap FromRows(const char* const (&rows)[S], std::initializer_list<TInk> inks) {
  auto pixel = [](TColor c) {
    return 0xFF000000u | (std::uint32_t(GetRValue(c)) << 16) | (std::uint32_t(GetGValue(c)) << 8) |
           GetBValue(c);
  };
  std::uint32_t table[128] = {};
  table[static_cast<unsigned char>('.')] = pixel(ResourceKeyColor);
  for (const TInk& ink : inks)
    table[static_cast<unsigned char>(ink.Key) & 127] = pixel(ink.Color);
  TBitmap b(S, S);
  for (int y = 0; y < S; ++y) {
    std::uint32_t* line = b.ScanLine(y);
    for (int x = 0; x < S; ++x)
      line[x] = table[static_cast<unsigned char>(rows[y][x]) & 127];
  }
  return b;
}

// clang-format off

// A blue disc with a darker rim and a white "i".
const char* const Info_Rows[S] = {
    "........................................",
    "...............rrrrrrrrr................",
    "............rrrrrrrrrrrrrrr.............",
    "..........rrrrrrbbbbbbbrrrrrr...........",
    ".........rrrrbbbbbbbbbbbbbrrrr..........",
    "........rrrbbbbbbbbbbbbbbbbbrrr.........",
    "......rrrbbbbbbbbbbbbbbbbbbbbbrrr.......",
    "......rrbbbbbbbbbbbbbbbbbbbbbbbrr.......",
    ".....rrbbbbbbbbbbbbbbbbbbbbbbbbbrr......",
    "....rrbbbbbbbbbbbbbbbbbbbbbbbbbbbrr.....",
    "...rrrbbbbbbbbbbbbwwwwwbbbbbbbbbbrrr....",
    "...rrbbbbbbbbbbbbbwwwwwbbbbbbbbbbbrr....",
    "..rrrbbbbbbbbbbbbbwwwwwbbbbbbbbbbbrrr...",
    "..rrbbbbbbbbbbbbbbwwwwwbbbbbbbbbbbbrr...",
    "..rrbbbbbbbbbbbbbbwwwwwbbbbbbbbbbbbrr...",
    ".rrrbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbrrr..",
    ".rrbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbrr..",
    ".rrbbbbbbbbbbbbwwwwwwwwbbbbbbbbbbbbbrr..",
    ".rrbbbbbbbbbbbbwwwwwwwwbbbbbbbbbbbbbrr..",
    ".rrbbbbbbbbbbbbbbbwwwwwbbbbbbbbbbbbbrr..",
    ".rrbbbbbbbbbbbbbbbwwwwwbbbbbbbbbbbbbrr..",
    ".rrbbbbbbbbbbbbbbbwwwwwbbbbbbbbbbbbbrr..",
    ".rrbbbbbbbbbbbbbbbwwwwwbbbbbbbbbbbbbrr..",
    ".rrrbbbbbbbbbbbbbbwwwwwbbbbbbbbbbbbrrr..",
    "..rrbbbbbbbbbbbbbbwwwwwbbbbbbbbbbbbrr...",
    "..rrbbbbbbbbbbbbbbwwwwwbbbbbbbbbbbbrr...",
    "..rrrbbbbbbbbbbbbbwwwwwbbbbbbbbbbbrrr...",
    "...rrbbbbbbbbbbbbbwwwwwbbbbbbbbbbbrr....",
    "...rrrbbbbbbbbbwwwwwwwwwwwbbbbbbbrrr....",
    "....rrbbbbbbbbbwwwwwwwwwwwbbbbbbbrr.....",
    ".....rrbbbbbbbbbbbbbbbbbbbbbbbbbrr......",
    "......rrbbbbbbbbbbbbbbbbbbbbbbbrr.......",
    "......rrrbbbbbbbbbbbbbbbbbbbbbrrr.......",
    "........rrrbbbbbbbbbbbbbbbbbrrr.........",
    ".........rrrrbbbbbbbbbbbbbrrrr..........",
    "..........rrrrrrbbbbbbbrrrrrr...........",
    "............rrrrrrrrrrrrrrr.............",
    "...............rrrrrrrrr................",
    "........................................",
    "........................................",
};

// A steel wheel of eight teeth round a hole with a darker edge.
const char* const Options_Rows[S] = {
    "........................................",
    "...................ssss.................",
    "................sssssss.................",
    "................sssssss.................",
    "................sssssss.................",
    ".........s......ssssssss.....ss.........",
    "........sss....sssssssss....ssss........",
    ".......sssss...sssssssss...ssssss.......",
    "......ssssssssssssssssssssssssssss......",
    ".....ssssssssssssssssssssssssssssss.....",
    "......ssssssssssssssssssssssssssss......",
    ".......ssssssssssssssssssssssssss.......",
    ".......sssssssssssssssssssssssss........",
    "........ssssssssssssssssssssssss........",
    "........sssssssssddddddsssssssss........",
    "........ssssssssd......dssssssss........",
    ".....ssssssssssd........dsssssssss......",
    ".sssssssssssssd..........dsssssssssssss.",
    ".sssssssssssssd..........dsssssssssssss.",
    ".sssssssssssssd..........dsssssssssssss.",
    ".sssssssssssssd..........dsssssssssssss.",
    "..ssssssssssssd..........dsssssssssssss.",
    "..ssssssssssssd..........dsssssssssssss.",
    "..sssssssssssssd........dsssssssss.ssss.",
    ".......sssssssssd......dsssssssssss.....",
    "........sssssssssddddddsssssssss........",
    "........ssssssssssssssssssssssss........",
    ".......ssssssssssssssssssssssssss.......",
    "......sssssssssssssssssssssssssss.......",
    ".....sssssssssssssssssssssssssssss......",
    ".....ssssssssssssssssssssssssssssss.....",
    "......ssssss.sssssssssssssssssssss......",
    ".......ssssss...sssssssss...sssss.......",
    "........sss.....ssssssss.....sss........",
    ".........s......ssssssss......s.........",
    ".................sssssss................",
    ".................sssssss................",
    ".................sss.sss................",
    ".................ssss...................",
    "........................................",
};

// A red disc with a darker rim and a white cross.
const char* const Close_Rows[S] = {
    "........................................",
    "...............rrrrrrrrr................",
    "............rrrrrrrrrrrrrrr.............",
    "..........rrrrrrfffffffrrrrrr...........",
    ".........rrrrfffffffffffffrrrr..........",
    "........rrrfffffffffffffffffrrr.........",
    "......rrrfffffffffffffffffffffrrr.......",
    "......rrfffffffffffffffffffffffrr.......",
    ".....rrfffffffffffffffffffffffffrr......",
    "....rrfffffffffffffffffffffffffffrr.....",
    "...rrrfffffffffffffffffffffffffffrrr....",
    "...rrfffffffwwffffffffffffwwffffffrr....",
    "..rrrffffffwwwwffffffffffwwwwfffffrrr...",
    "..rrfffffffwwwwwffffffffwwwwwffffffrr...",
    "..rrffffffffwwwwwffffffwwwwwfffffffrr...",
    ".rrrfffffffffwwwwwffffwwwwwffffffffrrr..",
    ".rrfffffffffffwwwwwffwwwwwffffffffffrr..",
    ".rrffffffffffffwwwwwwwwwwfffffffffffrr..",
    ".rrfffffffffffffwwwwwwwwffffffffffffrr..",
    ".rrffffffffffffffwwwwwwfffffffffffffrr..",
    ".rrffffffffffffffwwwwwwfffffffffffffrr..",
    ".rrfffffffffffffwwwwwwwwffffffffffffrr..",
    ".rrffffffffffffwwwwwwwwwwfffffffffffrr..",
    ".rrrffffffffffwwwwwffwwwwwfffffffffrrr..",
    "..rrfffffffffwwwwwffffwwwwwffffffffrr...",
    "..rrffffffffwwwwwffffffwwwwwfffffffrr...",
    "..rrrffffffwwwwwffffffffwwwwwfffffrrr...",
    "...rrffffffwwwwffffffffffwwwwfffffrr....",
    "...rrrffffffwwffffffffffffwwfffffrrr....",
    "....rrfffffffffffffffffffffffffffrr.....",
    ".....rrfffffffffffffffffffffffffrr......",
    "......rrfffffffffffffffffffffffrr.......",
    "......rrrfffffffffffffffffffffrrr.......",
    "........rrrfffffffffffffffffrrr.........",
    ".........rrrrfffffffffffffrrrr..........",
    "..........rrrrrrfffffffrrrrrr...........",
    "............rrrrrrrrrrrrrrr.............",
    "...............rrrrrrrrr................",
    "........................................",
    "........................................",
};

// clang-format on

} // namespace

TBitmap Info_Picture() {
  return FromRows(Info_Rows, {{'r', RGB(20, 60, 130)}, {'b', RGB(40, 110, 200)}, {'w', clWhite}});
}

TBitmap Options_Picture() {
  return FromRows(Options_Rows, {{'s', RGB(110, 110, 120)}, {'d', RGB(70, 70, 80)}});
}

TBitmap Close_Picture() {
  return FromRows(Close_Rows, {{'r', RGB(130, 20, 15)}, {'f', RGB(210, 40, 30)}, {'w', clWhite}});
}
