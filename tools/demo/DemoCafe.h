// The demo café: what a newcomer's first look at the program works on. A
// master server (this machine) with two game disks, E and F, and the
// download-only disk D; a secondary configuration over the same game disks;
// packages with realistic names and files; and what collects on real disks
// over the years — old versions, abandoned downloads, loose files, hidden and
// read-only entries, a name with a 0x5C trail byte and a link to a folder
// outside every disk that must never be followed.
#pragma once

#include <string>

#include "support/Cafe.h"

namespace demo {

// With `secondary`, this machine is not the main server (192.168.1.10 is):
// only the secondary role can load.
testsupport::CafeDescription DemoCafe(const std::string& root, bool secondary);

// Whether the demo shows the secondary role: this machine has no Ethernet or
// wireless IPv4 address (so it cannot be the main server), or DEMO_ROLE is
// "secondary".
bool ShowsSecondary();

// Builds the demo café afresh in the folder `root` (Windows path, ASCII;
// whatever an earlier run left there is removed first) and leaves it in
// place: services, drive letters and files. Prints where its disks are and
// which role to choose.
// False, with the reason on stderr, when it could not be built.
bool BuildDemoCafe(const std::string& root);

// The entries the tour ticks on drive E, the first two rows there: the large
// old install and one more orphan folder.
std::string TourTickedFirst();
std::string TourTickedSecond();

// Where the demo runs the program from: a copy of its folder in the café.
std::string ProgramFolder(const std::string& root);

// The Linux path of a Windows path, links resolved, for what we print.
std::string HostPath(const std::string& windowsPath);

// The folder outside every disk that the links point at (below `root`).
std::string OutsideFolder(const std::string& root);

}  // namespace demo
