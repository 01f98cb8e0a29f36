// trevand_demo: builds the demo café and, in tour mode, shows the real
// program at work on it, driven from outside like an operator would.
//
//   trevand_demo cafe ROOT                    builds the café in ROOT and leaves it in place
//   trevand_demo tour ROOT APP OUT            the same, then the guided tour of APP\Trevand.exe
//                                             with its screenshots and log in OUT
//
// ROOT, APP and OUT are Windows paths. Exit code 0 only when everything asked
// for was done (in tour mode: every step saw what it expected).
#include <cstdio>
#include <cstring>
#include <string>

#include "DemoCafe.h"
#include "Tour.h"
#include "support/WineHost.h"

namespace {

int Usage() {
    std::fprintf(stderr, "usage: trevand_demo cafe ROOT | trevand_demo tour ROOT APP OUT\n");
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) return Usage();
    const std::string mode = argv[1];
    const std::string root = argv[2];
    if (mode == "cafe" && argc == 3) {
        return demo::BuildDemoCafe(root) ? 0 : 1;
    }
    if (mode == "tour" && argc == 5) {
        return demo::RunTour(root, argv[3], argv[4]) ? 0 : 1;
    }
    return Usage();
}
