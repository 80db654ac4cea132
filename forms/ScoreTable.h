// The high-score table: the ten best results in the text file
// "Data/<title>/Score/Classifica.txt", one result a line, best first. The
// object keeps only the folder's title and a failure flag; every operation
// reads or writes the file afresh. Needs no X.
#pragma once

#include <cstdint>
#include <string>
#include <sys/types.h>
#include <vector>

class ScoreTable {
public:
    static constexpr const char* kFileName = "Classifica.txt";
    // Written first and renamed over the table, so a failed save leaves the
    // old table whole.
    static constexpr const char* kTemporaryName = "Classifica.txt.tmp";
    static constexpr size_t kMaxLines = 10;

    explicit ScoreTable(std::string title) : title(std::move(title)) {}

    // "Data/<title>/Score/", creating the missing folders; empty when one of
    // them cannot be made.
    static std::string ScoreFolder(const std::string& title);

    // The file's lines in file order, unsorted and uncut (a line over 255
    // bytes is logged and skipped); empty when the file is missing. Sets the
    // failure flag when the folder cannot be made. A table that is there but
    // cannot be read whole (no permission, a read error, not a regular file)
    // is marked unreadable and logged, each distinct problem once per
    // process; the lines read so far are returned.
    std::vector<std::string> Load();
    // Sorts the lines (greatest byte string first), keeps ten and replaces
    // the file with them. True only when the new table is safely in place;
    // otherwise one log line says why and the old table stays. A table that
    // is read-only, that this process may not write (another user's) or that
    // is not a regular file is never replaced; one replaced keeps its owner
    // where the process may give it (root).
    bool Save(std::vector<std::string> lines);
    // Appends "<score as 8 digits> <rest>" to the lines read and saves them.
    // False, with the file untouched, when the folder cannot be made, the
    // table cannot be read whole, or the save fails; exactly one log line,
    // naming the table's path, then says why.
    bool AddScore(int32_t score, const std::string& rest);

    bool Failed() const { return failed; }
    // The last Load found a table it could not read whole.
    bool Unreadable() const { return unreadable; }

    // How the table's bytes reach the disc; a seam for tests that need a
    // write to fail. nullptr restores write(2).
    using WriteFunction = ssize_t (*)(int fd, const void* data, size_t size);
    static void SetWriteFunction(WriteFunction function);

private:
    // Load without its log line; an unreadable table leaves the reason in problem.
    std::vector<std::string> Read();
    std::string TablePath() const;
    // Marks the failure and logs the one line for a missing folder.
    bool FolderFailed(int error);
    bool WriteTable(const std::string& folder, const std::vector<std::string>& lines);

    std::string title;
    bool failed = false;
    bool unreadable = false;
    std::string problem;   // why the last read found the table unreadable
    int folderError = 0;   // errno of the last read whose folder could not be made
};
