#include "platform/ui/Fonts.h"
#include "platform/ui/Application.h"

#include <QFontDatabase>
#include <QGuiApplication>

#include <algorithm>
#include <array>
#include <cctype>
#include <mutex>

namespace {

std::string Lower(std::string s) {
  std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return char(std::tolower(c)); });
  return s;
}

std::string Trimmed(const std::string& s) {
  auto b = s.find_first_not_of(' ');
  if (b == std::string::npos) return {};
  return s.substr(b, s.find_last_not_of(' ') - b + 1);
}

} // namespace

std::string SubstituteFontName(const std::string& name, bool fixedPitch) {
  const std::string key = Lower(Trimmed(name));
  if (key == "courier new" || key == "dejavu sans mono") return "DejaVu Sans Mono";
  if (key == "dejavu serif") return "DejaVu Serif";
  static const std::array<const char*, 7> sans = {"verdana", "tahoma",      "segoe ui", "ms sans serif",
                                                  "arial",   "dejavu sans", "symbol"};
  if (std::find(sans.begin(), sans.end(), key) != sans.end()) return "DejaVu Sans";
  return fixedPitch ? "DejaVu Sans Mono" : "DejaVu Sans";
}

bool IsSymbolFontName(const std::string& name) {
  return Lower(Trimmed(name)) == "symbol";
}

std::string SymbolTextToUnicode(const std::string& text) {
  // U+00B7 is C2 B7 in UTF-8; the bullet U+2022 is E2 80 A2.
  std::string out;
  out.reserve(text.size() + 8);
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (static_cast<unsigned char>(text[i]) == 0xC2 && i + 1 < text.size() &&
        static_cast<unsigned char>(text[i + 1]) == 0xB7) {
      out += "\xE2\x80\xA2";
      ++i;
    } else {
      out += text[i];
    }
  }
  return out;
}

bool FontsAvailable() {
  return qobject_cast<QGuiApplication*>(QCoreApplication::instance()) != nullptr;
}

bool EnsureGuiApplication() {
  Application->Initialize(); // the one place that creates the GUI application
  return FontsAvailable();
}

bool LoadProgramFonts(std::string* error) {
  if (!FontsAvailable()) {
    if (error) *error = "Fonts cannot be loaded before the application object exists";
    return false;
  }
  static std::mutex lock;
  static QCoreApplication* loadedFor = nullptr; // a new application starts a new font database
  static std::string failure;
  std::lock_guard<std::mutex> guard(lock);
  if (loadedFor != QCoreApplication::instance()) {
    loadedFor = QCoreApplication::instance();
    failure.clear();
    static const std::array<const char*, 8> files = {"DejaVuSans.ttf",
                                                     "DejaVuSans-Bold.ttf",
                                                     "DejaVuSans-Oblique.ttf",
                                                     "DejaVuSans-BoldOblique.ttf",
                                                     "DejaVuSansMono.ttf",
                                                     "DejaVuSansMono-Bold.ttf",
                                                     "DejaVuSansMono-Oblique.ttf",
                                                     "DejaVuSansMono-BoldOblique.ttf"};
    for (const char* file : files) {
      const std::string path = std::string(ProgramFontFolder) + file;
      if (QFontDatabase::addApplicationFont(QString::fromStdString(path)) < 0 && failure.empty())
        failure = "The font file " + path + " cannot be loaded";
    }
  }
  if (!failure.empty() && error) *error = failure;
  return failure.empty();
}
