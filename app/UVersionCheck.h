// Asks the maker's web host whether a newer version of this program exists, and builds the
// addresses of the maker's pages that the windows link to.
#pragma once

#include <string>

// Time-out of one version request; the windows do not respond while it runs.
constexpr long Version_Check_Timeout_Ms = 10000;

// A version text ("VER. 1.234") as an integer (1234): the text after the first blank, trimmed,
// with its second character (the decimal point) skipped; -1 when fewer than five characters remain
// or the four others are not digits.
int Conv_Version(const std::string& Ver_str);

enum class TVersionAnswer {
  Newer,    // the version page names a version newer than this build's
  NoNewer,  // it answered, naming none
  NoAnswer, // no network, refused connection, error status, time-out, an oversized reply
};
TVersionAnswer Ask_Version();
// True when the maker's version page names a version newer than this build's; no answer counts as no.
bool Check_Version();

// The version page asked by Check_Version.
std::string Version_Page_Url();
// The maker's download page, at this build's anchor.
std::string Download_Page_Url();
// The maker's home page, telling it which program sent the visitor.
std::string Home_Page_Url();
// Caption of a link label holding one link.
std::string Link_Markup(const std::string& url, const std::string& text);

// Replaces the time-out of the version request (tests); returns the one it replaces.
long Set_Version_Check_Timeout(long ms);
