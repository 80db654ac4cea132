#include "gui/FontDescription.h"

#include "support/Log.h"

FontDescription::FontDescription() = default;

FontDescription::FontDescription(const std::string& familyName) : family(familyName) {}

FontDescription::FontDescription(const std::string& familyName, int pixelSize)
    : family(familyName), size(pixelSize)
{
}

FontDescription::FontDescription(const FontDescription& other)
{
    CopyFrom(other);
}

FontDescription& FontDescription::operator=(const FontDescription& other)
{
    if (this != &other) {
        FreeFonts();
        CopyFrom(other);
    }
    return *this;
}

FontDescription::~FontDescription()
{
    FreeFonts();
}

void FontDescription::CopyFrom(const FontDescription& other)
{
    family = other.family;
    size = other.size;
    bold = other.bold;
    italic = other.italic;
    underline = other.underline;
    strikeOut = other.strikeOut;
    antialias = other.antialias;
    charset = other.charset;
    // Sharing the other's XFontStruct would free it twice: a loaded original
    // gets a font of the copy's own, of the same name.
    if (other.loaded && other.fontDisplay != nullptr)
        Load(other.fontDisplay);
}

void FontDescription::FreeFonts()
{
    if (fontStruct != nullptr && fontDisplay != nullptr)
        XFreeFont(fontDisplay, fontStruct);
    fontStruct = nullptr;
    loaded = false;
    if (fallbackFont != nullptr && fontDisplay != nullptr)
        XFreeFont(fontDisplay, fallbackFont);
    fallbackFont = nullptr;
}

std::string FontDescription::BuildFontName() const
{
    std::string fontName = family.empty() ? "-*-*-" : "-" + family + "-";
    fontName += bold ? "Bold-R-" : "Medium-R-";
    fontName += italic ? "Italic--" : "Normal--";
    fontName += std::to_string(loaded && fontStruct != nullptr ? fontStruct->ascent : size);
    fontName += "-*";
    return fontName;
}

void FontDescription::Load(Display* display)
{
    // Fonts belong to the display they were loaded on: a new display drops both.
    if (display != fontDisplay)
        FreeFonts();
    if (loaded) {
        XFreeFont(fontDisplay, fontStruct);
        fontStruct = nullptr;
        loaded = false;
    }
    fontDisplay = display;
    if (display == nullptr) {
        WriteLog("XLoadQueryFont failed");
        return;
    }
    fontStruct = XLoadQueryFont(display, BuildFontName().c_str());
    if (fontStruct == nullptr) {
        WriteLog("XLoadQueryFont failed");
        return;
    }
    loaded = true;
}

XFontStruct* FontDescription::GetFontStruct(Display* display)
{
    if (fontStruct == nullptr)
        Load(display);
    return fontStruct;
}

XFontStruct* FontDescription::GetFontStructOrDefault(Display* display)
{
    XFontStruct* ours = GetFontStruct(display);
    if (ours != nullptr || display == nullptr)
        return ours;
    if (fallbackFont == nullptr)
        fallbackFont = XLoadQueryFont(display, "fixed");
    return fallbackFont;
}

int FontDescription::GetPixelSize() const
{
    return loaded && fontStruct != nullptr ? fontStruct->ascent : size;
}
