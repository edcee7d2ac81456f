// Writes the key-name list KEYCODES.TXT from the key-name table, at build time:
//   make_keycodes <output file>
#include <cstdio>
#include <fstream>

#include "script/KeyCodesListing.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_keycodes <output file>\n");
        return 2;
    }
    std::ofstream out(argv[1], std::ios::binary | std::ios::trunc);
    out << agendix::script::keyCodesListing();
    out.close();
    if (!out) {
        std::fprintf(stderr, "make_keycodes: cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
