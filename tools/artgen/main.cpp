// artgen: makes every picture and sound of the suite.
//   artgen --out DIR          writes the suite folder's art, sounds and setup.ini files
//   artgen --sheet FILE.png   writes a contact sheet of every picture
//   artgen --preview FILE.png composes the table, title and menu screens to check the layout
//   artgen --icons DIR        writes the desktop icons as DIR/hicolor/<n>x<n>/apps/*.png
#include <cstdio>
#include <cstring>
#include <string>

#include "tools/artgen/app_icons.h"
#include "tools/artgen/contact_sheet.h"
#include "tools/artgen/suite_writer.h"

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(
            stderr,
            "usage: artgen --out DIR | --sheet FILE.png | --preview FILE.png | --icons DIR\n");
        return 2;
    }
    std::string error;
    bool ok = false;
    if (std::strcmp(argv[1], "--out") == 0) {
        ok = artgen::GenerateSuite(argv[2], error);
    } else if (std::strcmp(argv[1], "--sheet") == 0) {
        ok = artgen::WriteContactSheet(argv[2], error);
    } else if (std::strcmp(argv[1], "--preview") == 0) {
        ok = artgen::WritePreview(argv[2], error);
    } else if (std::strcmp(argv[1], "--icons") == 0) {
        ok = artgen::WriteAppIcons(argv[2], error);
    } else {
        error = std::string("unknown option ") + argv[1];
    }
    if (!ok) {
        std::fprintf(stderr, "artgen: %s\n", error.c_str());
        return 1;
    }
    return 0;
}
