#include "gui/images/RgbFile.h"

#include "support/BinaryFile.h"
#include "support/FileUtil.h"
#include "support/Log.h"

#include <algorithm>

bool ReadRgbFile(const std::string& path, int32_t pictureWidth, int32_t pictureHeight,
                 std::vector<unsigned char>& rgb, size_t* rgbBytes, int32_t* byteCount)
{
    const int32_t fileBytes = FileSize(path);
    if (byteCount)
        *byteCount = fileBytes;
    const size_t needed = static_cast<size_t>(std::max(pictureWidth, 0)) *
                          static_cast<size_t>(std::max(pictureHeight, 0)) * 3;
    // Bytes past the picture's size are never used, so they are not read;
    // the buffer always holds the whole picture, a short file's end black.
    const size_t wanted = std::min(static_cast<size_t>(std::max(fileBytes, 0)), needed);
    rgb.assign(std::max<size_t>(needed, 1), 0);
    *rgbBytes = needed;
    BinaryFile file;
    if (!file.OpenRead(path) || file.ReadAt(0, rgb.data(), wanted) != wanted || file.Failed()) {
        WriteLog("Errore loading " + path);
        return false;
    }
    if (wanted < needed)
        WriteLog(path + ": file troppo corto (" + std::to_string(wanted) + " byte di " +
                 std::to_string(needed) + "), la parte mancante resta nera");
    return true;
}
