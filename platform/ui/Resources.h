// The program's own bitmap resources: drawn here in code on first use, looked up by name
// (case-blind, as resource names are). Every resource is ours, so a missing one is a program error:
// ValidateResources at start-up names it before any window needs it.
#pragma once

#include "platform/ui/Graphics.h"

#include <stdexcept>
#include <string>
#include <vector>

// Raised by ResourceBitmap for a name that is not one of ours.
class EResNotFound : public std::runtime_error {
public:
  using std::runtime_error::runtime_error;
};

// Background of the drawn glyphs; it sits in every corner, so the automatic transparent colour
// (lower-left pixel) and the top-left key colour both find it.
constexpr TColor ResourceKeyColor = RGB(255, 0, 255);

// The resource, or nullptr for an unknown name. The bitmap lives until the program ends.
const TBitmap* FindResourceBitmap(const std::string& name);
// The resource; throws EResNotFound with MissingResourceMessage for an unknown name.
const TBitmap& ResourceBitmap(const std::string& name);
// "Resource <name> not found"
std::string MissingResourceMessage(const std::string& name);
// Names of all resources, in upper case, sorted.
std::vector<std::string> ResourceBitmapNames();

// Start-up check: every built-in resource draws with its fixed size, and every name in `required`
// exists. Returns an empty text when all is well, else the message naming what is wrong.
std::string ValidateResources(const std::vector<std::string>& required = {});
