#include "game/GameSettings.h"

#include "support/FileUtil.h"
#include "support/Log.h"
#include "support/StringUtil.h"
#include "support/TextFile.h"


namespace {
constexpr const char* kFreeKeys = "FreeKeys";
}

GameSettings GameSettings::Load(const std::string& path)
{
    GameSettings settings;
    if (!FileExists(path))
        return settings;
    TextFile file(path);
    for (const std::string& line : file.ReadLines()) {
        const size_t equals = line.find('=');
        if (equals == std::string::npos || Trim(line.substr(0, equals)) != kFreeKeys)
            continue;
        const std::string value = Trim(line.substr(equals + 1));
        if (value == "0" || value == "1")
            settings.freeKeys = value == "1";
        else
            WriteLog(path + ": " + kFreeKeys + " must be 0 or 1, not \"" + value + "\": keys one at a time");
    }
    return settings;
}

bool GameSettings::Save(const std::string& path) const
{
    if (!ReplaceFile(path, std::string(kFreeKeys) + "= " + (freeKeys ? "1" : "0") + "\n")) {
        WriteLog(path + " cannot be written: the keys are as chosen until the game ends");
        return false;
    }
    return true;
}
