#include "tools/artgen/Catalogue.h"

#include "tools/artgen/Icon.h"

#include <filesystem>
#include <fstream>

namespace artgen {

namespace {

bool WriteFile(const std::string& path, const char* bytes, size_t size, std::string* error) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes, std::streamsize(size));
    out.close();
    if (out) return true;
    *error = "cannot write " + path;
    return false;
}

}  // namespace

bool WriteDataFolder(const std::string& folder, std::string* error) {
    std::error_code ec;
    std::filesystem::create_directories(folder, ec);
    if (ec) {
        *error = "cannot create " + folder + ": " + ec.message();
        return false;
    }
    for (const PictureFile& p : kPictures) {
        const Canvas picture = p.draw();
        if (picture.Width() != p.width || picture.Height() != p.height) {
            *error = std::string(p.name) + " was drawn at the wrong size";
            return false;
        }
        const auto& bytes = picture.Bytes();
        if (!WriteFile(folder + "/" + p.name, reinterpret_cast<const char*>(bytes.data()), bytes.size(), error))
            return false;
    }
    for (const SoundFile& s : kSounds) {
        const std::string wav = EncodeWav(s.synth(), kSampleRate);
        if (!WriteFile(folder + "/" + s.name, wav.data(), wav.size(), error)) return false;
    }
    const Canvas icon = DrawIcon();
    const std::string xpm = EncodeXpm(icon, "bruvo_stage_krodel");
    const std::string png = EncodePng(icon);
    return WriteFile(folder + "/" + kIconPicture, reinterpret_cast<const char*>(icon.Bytes().data()),
                     icon.Bytes().size(), error) &&
           WriteFile(folder + "/" + kIconXpm, xpm.data(), xpm.size(), error) &&
           WriteFile(folder + "/" + kIconPng, png.data(), png.size(), error);
}

}  // namespace artgen
