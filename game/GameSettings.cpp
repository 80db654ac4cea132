#include "game/GameSettings.h"

#include "support/Log.h"
#include "support/StringUtil.h"
#include "support/TextFile.h"

#include <cstdio>
#include <unistd.h>

namespace {
constexpr const char* kFreeKeys = "FreeKeys";
}

GameSettings GameSettings::Load(const std::string& path)
{
    GameSettings settings;
    if (access(path.c_str(), F_OK) != 0)
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
    const std::string temporary = path + ".new";
    TextFile file(temporary);
    const bool written = file.WriteLines({std::string(kFreeKeys) + "= " + (freeKeys ? "1" : "0")});
    if (!written || std::rename(temporary.c_str(), path.c_str()) != 0) {
        std::remove(temporary.c_str());
        WriteLog(path + " cannot be written: the keys are as chosen until the game ends");
        return false;
    }
    return true;
}
