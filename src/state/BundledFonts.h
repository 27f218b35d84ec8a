#pragma once

#include <QString>

// The four fonts compiled into the program (IBM Plex Sans regular and italic, IBM Plex Mono
// Medium, Material Icons), with their licences beside them under ":/fonts/".
namespace BundledFonts {

// Registers the four fonts with the application, in a fixed order, and hands the icon font's
// family to the theme. A failed icon font logs the "[Fonts]" warning; the other three fail
// silently (the platform's sans serif then stands in). Needs a QGuiApplication. Returns true
// when the icon font registered.
bool registerAll();

} // namespace BundledFonts
