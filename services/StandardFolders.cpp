#include "services/StandardFolders.h"

#include "support/FileUtil.h"
#include "support/TextFile.h"

namespace {

std::string Folder(const char* name)
{
    MakeDirectory(name);
    return name;
}

} // namespace

std::string DocumentsFolder() { return Folder("Documenti"); }
std::string DesktopFolder() { return Folder("Desktop"); }
std::string DownloadFolder() { return Folder("Download"); }
std::string DataFolder() { return Folder("Data"); }
std::string MusicFolder() { return Folder("Musica"); }
std::string PicturesFolder() { return Folder("Immagini"); }
std::string ProgramDataFolder() { return Folder("ProgramData"); }

std::string SystemDrive() { return "c:"; }
std::string SystemVolume() { return "SYS:"; }

std::string SettingsPath(const std::string& group, const std::string& section,
                         const std::string& name)
{
    std::string path = "Settings";
    MakeDirectory(path);
    path = EnsureTrailingSeparator(path) + group;
    MakeDirectory(path);
    path = EnsureTrailingSeparator(path) + section;
    MakeDirectory(path);
    return EnsureTrailingSeparator(path) + name;
}

std::string ReadSettings(const std::string& group, const std::string& section,
                         const std::string& name)
{
    TextFile file(SettingsPath(group, section, name));
    return file.ReadAllText();
}

bool WriteSettings(const std::string& group, const std::string& section,
                   const std::string& name, const std::vector<std::string>& lines)
{
    TextFile file(SettingsPath(group, section, name));
    return file.WriteLines(lines);
}
