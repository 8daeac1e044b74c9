// Font substitution: the Windows faces the program names are drawn with the DejaVu faces.
#pragma once

#include <string>

// Folder the program's faces are loaded from.
constexpr const char* ProgramFontFolder = "/usr/share/fonts/truetype/dejavu/";

// Face drawn for a face name: Verdana, Tahoma, Segoe UI, MS Sans Serif, Arial and unknown names give
// "DejaVu Sans"; Courier New gives "DejaVu Sans Mono" (so do unknown names asked for a fixed pitch).
std::string SubstituteFontName(const std::string& name, bool fixedPitch = false);

// The Symbol face is drawn with DejaVu Sans; its bullet (U+00B7 in the text) becomes U+2022.
bool IsSymbolFontName(const std::string& name);
std::string SymbolTextToUnicode(const std::string& text);

// Loads the DejaVu faces into the application's font database (once; needs the GUI application).
// False with the reason when the application is missing or a face file cannot be loaded.
bool LoadProgramFonts(std::string* error = nullptr);

// Makes sure the GUI application exists (Application->Initialize) so that faces can be loaded;
// for code that draws text before any control exists. True when it exists.
bool EnsureGuiApplication();

// True when text can be measured and drawn with real faces: a GUI application exists. Without
// one, text sizes are estimated from the font height and nothing is drawn.
bool FontsAvailable();
