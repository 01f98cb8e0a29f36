// trevand_demo: builds the demo café and, in tour mode, shows the real
// program at work on it, driven from outside like an operator would.
//
//   trevand_demo cafe ROOT APP        builds the café in ROOT, leaves it in place and puts a
//                                     copy of the program folder APP in ROOT\Trevand
//   trevand_demo tour ROOT APP OUT    the same, then the guided tour of that copy of
//                                     Trevand.exe with its screenshots and log in OUT
//
// ROOT, APP and OUT are Windows paths. Exit code 0 only when everything asked
// for was done (in tour mode: every step saw what it expected).
#include <cstdio>
#include <cstring>
#include <string>

#include "DemoCafe.h"
#include "Tour.h"
#include "support/AppProcess.h"

namespace {

int Usage() {
    std::fprintf(stderr, "usage: trevand_demo cafe ROOT APP | trevand_demo tour ROOT APP OUT\n");
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) return Usage();
    const std::string mode = argv[1];
    const std::string root = argv[2];
    if (mode == "cafe" && argc == 4) {
        if (!demo::BuildDemoCafe(root)) return 1;
        const testsupport::AppProcess app(argv[3], demo::ProgramFolder(root));
        if (!app.Ready()) {
            std::fprintf(stderr, "trevand_demo: cannot copy the program folder %s\n", argv[3]);
            return 1;
        }
        std::printf("Trevand.exe in %s, its log in %s\n", demo::HostPath(app.Folder()).c_str(),
                    demo::HostPath(app.Folder() + "\\log").c_str());
        return 0;
    }
    if (mode == "tour" && argc == 5) {
        return demo::RunTour(root, argv[3], argv[4]) ? 0 : 1;
    }
    return Usage();
}
