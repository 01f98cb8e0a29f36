// make_zip_seeds SOURCE_DIR TARGET_DIR
//
// Writes one zip archive per document seed in SOURCE_DIR: the document once
// stored and once deflated. These are the zip reader's seeds, made at run time
// so that the repository holds no archives.
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <string>

#include "support/ZipFixture.h"

int main(int argc, char** argv) {
    if (argc != 3) {
        std::cerr << "usage: make_zip_seeds SOURCE_DIR TARGET_DIR\n";
        return 2;
    }
    namespace fs = std::filesystem;
    fs::create_directories(argv[2]);
    for (const fs::directory_entry& entry : fs::directory_iterator(argv[1])) {
        std::ifstream in(entry.path(), std::ios::binary);
        const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        const std::string archive = testsupport::BuildZip({
            {"Stored.xml", bytes, false},
            {"sub/Deflated.xml", bytes, true},
        });
        std::ofstream out(fs::path(argv[2]) / (entry.path().filename().string() + ".zip"), std::ios::binary);
        out << archive;
        if (!out) {
            std::cerr << "cannot write the seed for " << entry.path() << "\n";
            return 1;
        }
    }
    return 0;
}
