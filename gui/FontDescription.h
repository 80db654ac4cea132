// FontDescription: names an X core font by family, pixel size and two style
// choices, builds its logical font name and loads the font on demand. Each
// description owns the X font it loaded: copies share the description, never
// the font, and load their own when asked.
#pragma once

#include <X11/Xlib.h>
#include <string>

class FontDescription {
public:
    FontDescription();
    explicit FontDescription(const std::string& family);
    FontDescription(const std::string& family, int size);
    FontDescription(const FontDescription& other);
    FontDescription& operator=(const FontDescription& other);
    ~FontDescription();

    // "-family-" (or "-*-*-"), weight, set width, the size, "-*".
    std::string BuildFontName() const;
    // Drops a loaded font, then loads the built name on the display.
    void Load(Display* display);
    // The loaded font, loading it first when needed; null when loading failed.
    XFontStruct* GetFontStruct(Display* display);
    // GetFontStruct, or the server's default font ("fixed") when this one
    // cannot be loaded; null only when neither exists.
    XFontStruct* GetFontStructOrDefault(Display* display);
    // The loaded font's ascent, otherwise the size asked for.
    int GetPixelSize() const;

    bool IsLoaded() const { return loaded; }
    const std::string& GetFamily() const { return family; }
    void SetFamily(const std::string& value) { family = value; }
    int GetSize() const { return size; }
    void SetSize(int value) { size = value; }
    bool IsBold() const { return bold; }
    void SetBold(bool value) { bold = value; }
    bool IsItalic() const { return italic; }
    void SetItalic(bool value) { italic = value; }
    // Kept for the description's users; the toolkit itself does not read them.
    bool IsUnderline() const { return underline; }
    void SetUnderline(bool value) { underline = value; }
    bool IsStrikeOut() const { return strikeOut; }
    void SetStrikeOut(bool value) { strikeOut = value; }
    bool IsAntialias() const { return antialias; }
    void SetAntialias(bool value) { antialias = value; }
    const std::string& GetCharset() const { return charset; }
    void SetCharset(const std::string& value) { charset = value; }

private:
    void FreeFonts();
    void CopyFrom(const FontDescription& other);

    XFontStruct* fontStruct = nullptr;
    bool loaded = false;
    Display* fontDisplay = nullptr;
    std::string family;
    int size = 14;  // pixels
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strikeOut = false;
    bool antialias = true;
    std::string charset;
    XFontStruct* fallbackFont = nullptr;  // the server's default, when ours failed
};
