// Build tool: writes the game's pictures and sounds into a Data folder and,
// on request, a contact sheet of all the art for review.
//
//   bruvo_gendata DATA_FOLDER
//   bruvo_gendata --contact-sheet SHEET.ppm
#include "tools/artgen/Catalogue.h"
#include "tools/artgen/ContactSheet.h"

#include <cstdio>
#include <cstring>
#include <string>

int main(int argc, char** argv) {
    if (argc == 3 && std::strcmp(argv[1], "--contact-sheet") == 0) {
        if (!artgen::WritePpm(argv[2], artgen::DrawContactSheet())) {
            std::fprintf(stderr, "bruvo_gendata: cannot write %s\n", argv[2]);
            return 1;
        }
        return 0;
    }
    if (argc != 2 || argv[1][0] == '-') {
        std::fprintf(stderr, "usage: %s DATA_FOLDER | --contact-sheet SHEET.ppm\n", argv[0]);
        return 2;
    }
    std::string error;
    if (!artgen::WriteDataFolder(argv[1], &error)) {
        std::fprintf(stderr, "bruvo_gendata: %s\n", error.c_str());
        return 1;
    }
    return 0;
}
