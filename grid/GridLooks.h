// The grid's preset looks of fixed cells, its sixteen named styles and its own colour schemes.
#pragma once

enum TGridLook {
  glStandard,
  glSoft,
  glClassic,
  glZUZ,
  glXP,
  glListView,
  glVista,
  glWin7,
  glOffice2007,
  glCustom
};

// Same order as the shared style set.
enum TProGridStyle {
  gsOffice2003Blue,
  gsOffice2003Silver,
  gsOffice2003Olive,
  gsOffice2003Classic,
  gsOffice2007Luna,
  gsOffice2007Obsidian,
  gsWindowsXP,
  gsWhidbey,
  gsCustom,
  gsOffice2007Silver,
  gsWindowsVista,
  gsWindows7,
  gsTerminal,
  gsOffice2010Blue,
  gsOffice2010Silver,
  gsOffice2010Black
};

enum TXPColorScheme { xpNone, xpBlue, xpGreen, xpGray, vistaAero };
