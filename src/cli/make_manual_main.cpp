// make-cfg-manual FILE DATA-FOLDER: writes the manual page recaster-cfg(1) (see manual.h).
#include <fstream>
#include <iostream>

#include "cli/manual.h"

int main(int argc, char** argv) {
    if (argc != 3) {
        std::cerr << "usage: make-cfg-manual FILE DATA-FOLDER\n";
        return 2;
    }
    std::ofstream out(argv[1], std::ios::binary | std::ios::trunc);
    out << recaster::cli::ManualPage(argv[2]);
    out.close();
    if (!out) {
        std::cerr << "make-cfg-manual: " << argv[1] << ": cannot be written\n";
        return 1;
    }
    return 0;
}
