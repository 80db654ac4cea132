// Fuzz target: any bytes as the high-score table.
#include "tests/fuzz/FuzzTargets.h"

#include "forms/ScoreTable.h"

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <string>
#include <unistd.h>

namespace {

constexpr const char* kTitle = "Bruvo Stage Krodel";
constexpr size_t kLongestLine = 255;  // bytes a stored line may hold

void WriteBytes(const std::string& path, const uint8_t* data, size_t size)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
}

bool WellFormed(const std::vector<std::string>& lines)
{
    for (const std::string& line : lines)
        if (line.size() > kLongestLine || line.find('\n') != std::string::npos ||
            line.find('\0') != std::string::npos)
            return false;
    return true;
}

} // namespace

void FuzzScoreTable(const uint8_t* data, size_t size)
{
    const std::string folder = ScoreTable::ScoreFolder(kTitle);
    FUZZ_CHECK(!folder.empty());
    WriteBytes(folder + ScoreTable::kFileName, data, size);

    ScoreTable table(kTitle);
    const std::vector<std::string> loaded = table.Load();
    FUZZ_CHECK(!table.Failed() && !table.Unreadable());
    FUZZ_CHECK(WellFormed(loaded));

    // A score and a name taken from the input, as the game would build them.
    int32_t score = 0;
    std::string name;
    for (size_t i = 0; i < size && i < 4; ++i)
        score = int32_t(uint32_t(score) << 8 | data[i]);
    for (size_t i = 4; i < size && name.size() < 10; ++i)
        if (data[i] >= 32 && data[i] <= 126)
            name += char(data[i]);
    name.resize(std::max<size_t>(name.size(), 12), ' ');
    FUZZ_CHECK(table.AddScore(score, name + " Level 1"));

    const std::vector<std::string> saved = table.Load();
    FUZZ_CHECK(saved.size() <= ScoreTable::kMaxLines);
    FUZZ_CHECK(saved.size() == std::min(loaded.size() + 1, ScoreTable::kMaxLines));
    FUZZ_CHECK(std::is_sorted(saved.begin(), saved.end(), std::greater<std::string>()));
    FUZZ_CHECK(WellFormed(saved));
    // Saving what was read changes nothing.
    FUZZ_CHECK(table.Save(saved));
    FUZZ_CHECK(table.Load() == saved);
    unlink("log.txt");
}

#ifdef BRUVO_LIBFUZZER
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    // One private working folder for the whole run.
    static const bool entered = [] {
        char folder[] = "/tmp/fuzz_score_table.XXXXXX";
        return mkdtemp(folder) != nullptr && chdir(folder) == 0;
    }();
    FUZZ_CHECK(entered);
    FuzzScoreTable(data, size);
    return 0;
}
#endif
