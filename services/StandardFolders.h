// The standard folders, named relative to the working folder and created on
// first use, and a small settings store of files kept in folders beneath
// "Settings".
#pragma once

#include <string>
#include <vector>

// Each getter creates its folder when missing and returns its name; a folder
// that cannot be made is returned by name all the same.
std::string DocumentsFolder();     // "Documenti"
std::string DesktopFolder();       // "Desktop"
std::string DownloadFolder();      // "Download"
std::string DataFolder();          // "Data"
std::string MusicFolder();         // "Musica"
std::string PicturesFolder();      // "Immagini"
std::string ProgramDataFolder();   // "ProgramData"

// Fixed texts; nothing on disc is touched.
std::string SystemDrive();    // "c:"
std::string SystemVolume();   // "SYS:"

// "Settings/<group>/<section>/<name>", creating the three folders as needed.
std::string SettingsPath(const std::string& group, const std::string& section,
                         const std::string& name);
// The entry's lines, each followed by "\r\n".
std::string ReadSettings(const std::string& group, const std::string& section,
                         const std::string& name);
// Replaces the entry with the lines; true when every line was written.
bool WriteSettings(const std::string& group, const std::string& section,
                   const std::string& name, const std::vector<std::string>& lines);
