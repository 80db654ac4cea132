// libFuzzer target for the BMP decoder (built with clang, -fsanitize=fuzzer):
// every input is decoded as a 24-, 8- and 4-bit file.
#include "gui/images/BmpReader.h"

#include <cstddef>
#include <cstdint>
#include <string>

#ifdef BRUVO_LIBFUZZER
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    for (int bits : {24, 8, 4}) {
        std::string error, text;
        RgbPicture picture = DecodeBmp(data, size, bits, &error, &text, "F");
        if (picture && (picture.width < 1 || picture.height < 1 || !error.empty()))
            __builtin_trap();
    }
    return 0;
}
#endif
