// Path and file-system helpers. Paths are plain byte strings; a backslash is
// read as a slash where a path is taken apart. Every file opened here is
// close-on-exec, so none leaks into child processes.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

bool FileExists(const std::string& path);    // any kind of file counts
int32_t FileSize(const std::string& path);   // 0 when stat fails; clamped to INT32_MAX
bool RemoveFile(const std::string& path);
// True when the path already exists or was created (mode 0777 less umask).
bool MakeDirectory(const std::string& path);

// 'a\b/c.txt' gives 'a/b/'; without a "/", up to the last ":"; else empty.
std::string DirectoryPart(const std::string& path);
// 'a\b/c.txt' gives 'c.txt'.
std::string FileNamePart(const std::string& path);
// 'Data' gives 'Data/'; empty stays empty; a final "/", "\" or ":" is kept.
std::string EnsureTrailingSeparator(const std::string& path);
// Appends the extension unless the path already ends in it (ignoring case).
std::string EnsureExtension(const std::string& path, const std::string& extension);

// Names of the regular files in a folder, in directory order; a folder that
// cannot be read is logged as "<folder> accesso negato!" and gives nothing.
std::vector<std::string> ListFiles(const std::string& directory);
// Replaces the destination with the source's bytes, copied in bounded chunks
// to a temporary file synced and renamed into place; a missing, empty or
// non-regular source gives false and leaves the destination as it was, as
// does a destination that is read-only (for root too) or not a regular file.
// A destination that is a symbolic link is written through: the file it
// names is replaced and the link kept; a dangling link is logged and refused.
bool CopyFile(const std::string& source, const std::string& destination);
// Writes bytes to a new file beside path and renames it over path once it is
// on disc, so path holds either its old bytes or all the new ones. False
// (path as it was, nothing left beside it) when that fails.
bool ReplaceFile(const std::string& path, const std::string& bytes);
// Byte i of the file XORed into position i mod 16, as 32 upper-case hex
// digits; an unreadable file gives 32 zeros.
std::string FileFingerprint(const std::string& path);
