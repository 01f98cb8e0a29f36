#include "DemoCafe.h"

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "support/WineHost.h"

using testsupport::Cafe;
using testsupport::CafeDescription;
using testsupport::CafeDrive;
using testsupport::CafeEntry;

namespace demo {
namespace {

const int64_t kKiB = 1024;
const int64_t kMiB = 1024 * kKiB;
const int64_t kGiB = 1024 * kMiB;

// One registered package: where it lies, its class and a few of its files.
struct Package {
    int pkgid;
    const char* localPath;
    const char* idcClass;
    int diskId;  // 0: not placed on a disk of this server
    std::vector<const char*> files;
};

const std::vector<Package>& Packages() {
    static const std::vector<Package> packages = {
        {101, "E:\\网络游戏\\英雄联盟", "网络游戏", 1, {"Game\\League of Legends.exe", "TCLS\\Client.exe"}},
        {102, "E:\\网络游戏\\穿越火线", "网络游戏", 1, {"crossfire.exe", "rez\\maps.rez"}},
        {103, "E:\\网络游戏\\地下城与勇士", "网络游戏", 1, {"DNF.exe", "ImagePacks2\\sprite.NPK"}},
        {104, "E:\\单机游戏\\仙剑奇侠传七", "单机游戏", 1, {"Pal7.exe"}},
        {105, "E:\\单机游戏\\黑神话悟空", "单机游戏", 1, {"b1.exe", "b1\\Content\\Paks\\pakchunk0.pak"}},
        {106, "E:\\休闲游戏\\QQ游戏", "休闲游戏", 1, {"QQGame.exe"}},
        {201, "F:\\网络游戏\\梦幻西游", "网络游戏", 2, {"mhxy.exe"}},
        {202, "F:\\网络游戏\\剑网3", "网络游戏", 2, {"JX3Client.exe"}},
        {203, "F:\\对战平台\\完美世界竞技平台", "对战平台", 2, {"wanmei.exe"}},
        // Registered on E, placed on F as well: F holds a copy too.
        {204, "E:\\单机游戏\\古剑奇谭三", "单机游戏", 2, {"gujian3.exe"}},
    };
    return packages;
}

// Adds a package's files to `drive`, at the package's path below the root.
void AddPackageFiles(CafeDrive& drive, const Package& package) {
    const std::string folder = std::string(package.localPath).substr(3);
    for (const char* file : package.files) {
        drive.entries.push_back({CafeEntry::kFile, folder + "\\" + file});
    }
}

}  // namespace

CafeDescription DemoCafe(const std::string& root, bool secondary) {
    CafeDescription desc;
    // The main server is this machine, or 192.168.1.10 when the demo shows a
    // secondary; one more server at .12 with its own disk, which the master
    // never scans.
    const std::string main = secondary ? "192.168.1.10" : "{local}";
    desc.thisMachineIsMain = false;
    desc.servers = {{main, 1}, {"192.168.1.12", 0}};
    desc.serverDisks = {{main, "E", 1, 1}, {main, "F", 1, 2}, {"192.168.1.12", "E", 1, 3}};
    desc.downDisks = {"D"};
    for (const Package& package : Packages()) {
        desc.packages.push_back({package.pkgid, package.localPath, 20240601, package.idcClass});
        if (package.diskId != 0) desc.placements.push_back({package.pkgid, package.diskId});
    }
    // A package taken off the server: version 0 registers nothing, so its
    // folder is offered for deletion.
    desc.packages.push_back({107, "E:\\网络游戏\\魔兽世界", 0, "网络游戏"});
    desc.downPaths = {"D:\\网络游戏\\永劫无间", "D:\\单机游戏\\艾尔登法环"};

    // The secondary's view of the same game disks.
    desc.vdisks = {"E", "F"};
    for (const Package& package : Packages()) desc.vdiskPackages.push_back(package.localPath);
    desc.vdiskPackages.push_back("F:\\单机游戏\\古剑奇谭三");

    const std::string outside = OutsideFolder(root);
    CafeDrive e;
    e.letter = 'E';
    CafeDrive f;
    f.letter = 'F';
    for (const Package& package : Packages()) {
        if (package.localPath[0] == 'E') AddPackageFiles(e, package);
        // A package placed on F lies there under F's letter, wherever it was registered.
        if (package.localPath[0] == 'F' || package.diskId == 2) AddPackageFiles(f, package);
    }

    e.entries.insert(
        e.entries.end(),
        {
            // Old orphans (dated 2019 once built) and new ones, folders and loose files.
            CafeEntry(CafeEntry::kFile, "GameBackup2019\\readme.txt").Size(2 * kKiB),
            // The large old install, GameBackup2019\魔兽世界怀旧服, is a bulk tree (below).
            {CafeEntry::kFolder, "Temp\\WeGame"},
            CafeEntry(CafeEntry::kFile, "Temp\\WeGame\\setup_5.8.2.exe").Size(86 * kMiB),
            CafeEntry(CafeEntry::kFile, "Temp\\update.log").Size(37 * kKiB),
            CafeEntry(CafeEntry::kFile, "网络游戏\\魔兽世界\\Wow.exe").Size(38 * kMiB),
            CafeEntry(CafeEntry::kFile, "网络游戏\\魔兽世界\\Data\\common.MPQ").Size(12 * kGiB),
            // A link inside an orphan folder, to saves kept outside every disk:
            // deleting the folder must leave the link and what it points at.
            {CafeEntry::kLink, "网络游戏\\魔兽世界\\存档", outside + "\\存档"},
            {CafeEntry::kFolder, "网络游戏\\英雄联盟_旧版本\\Game"},
            CafeEntry(CafeEntry::kFile, "网络游戏\\英雄联盟_旧版本\\Game\\League of Legends.exe").Size(45 * kMiB),
            CafeEntry(CafeEntry::kFile, "网络游戏\\更新补丁.zip").Size(1843 * kMiB),
            CafeEntry(CafeEntry::kReadOnlyFile, "网络游戏\\使用说明.txt").Size(12 * kKiB),
            {CafeEntry::kFolder, "新建文件夹"},
            CafeEntry(CafeEntry::kFile, "单机游戏\\仙剑奇侠传六\\Pal6.exe").Size(120 * kMiB),
            // 誠 is D5 5C in code page 936: a trail byte equal to the backslash.
            {CafeEntry::kFolder, "单机游戏\\誠品合集"},
            CafeEntry(CafeEntry::kFile, "单机游戏\\誠品合集\\誠.txt").Size(5 * kKiB),
            // Hidden entries: never offered; a hidden file inside an orphan
            // folder goes with the folder.
            {CafeEntry::kHiddenFolder, "$RECYCLE.BIN"},
            {CafeEntry::kHiddenFile, "单机游戏\\desktop.ini"},
            {CafeEntry::kHiddenFile, "单机游戏\\仙剑奇侠传六\\thumbs.db"},
            // A link straight below a disk's root: the scan neither lists nor enters it.
            {CafeEntry::kLink, "共享存档", outside + "\\存档"},
        });
    f.entries.insert(f.entries.end(),
                     {
                         CafeEntry(CafeEntry::kFile, "网络游戏\\天涯明月刀\\TYClient.exe").Size(64 * kMiB),
                         CafeEntry(CafeEntry::kFile, "视频录像\\比赛录像.mp4").Size(2355 * kMiB),
                         {CafeEntry::kFile, "PreDown\\新游戏预下载\\setup.dat"},
                         CafeEntry(CafeEntry::kFile, "pagefile.tmp").Size(4608 * kMiB),
                     });
    CafeDrive d{'D',
                {
                    {CafeEntry::kFile, "网络游戏\\永劫无间\\NarakaBladepoint.exe"},
                    {CafeEntry::kFile, "单机游戏\\艾尔登法环\\eldenring.exe"},
                    CafeEntry(CafeEntry::kFile, "网络游戏\\永劫无间_下载缓存\\chunk001.tmp").Size(512 * kMiB),
                    CafeEntry(CafeEntry::kFile, "单机游戏\\未完成下载.part").Size(731 * kMiB),
                    // No package class: the download disk's scan never looks here.
                    {CafeEntry::kFile, "系统备份\\backup.img"},
                }};
    // Large enough that the deletion window is seen at work for a few seconds.
    // Its 10,000 files of 2 MiB each make a 19.5 GB folder (sparse: no disk used).
    desc.bulkTrees = {{'E', "GameBackup2019\\魔兽世界怀旧服", 200, 50, 2 * kMiB}};
    desc.drives = {e, f, d};
    return desc;
}

std::string TourTickedFirst() { return "E:\\GameBackup2019"; }
std::string TourTickedSecond() { return "E:\\Temp"; }

std::string OutsideFolder(const std::string& root) { return root + "\\共享"; }

std::string ProgramFolder(const std::string& root) { return root + "\\Trevand"; }

namespace {

// What the links point at: saves kept outside every disk. Made first: a link
// is made from its target's Linux path.
bool MakeOutsideFolder(const std::string& root) {
    const std::string folder = OutsideFolder(root) + "\\存档";
    CreateDirectoryA(root.c_str(), nullptr);
    CreateDirectoryA(OutsideFolder(root).c_str(), nullptr);
    if (!CreateDirectoryA(folder.c_str(), nullptr)) return false;
    HANDLE file = CreateFileA((folder + "\\slot1.sav").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    CloseHandle(file);
    return true;
}

// Orphans left years ago look their age on disk: their files and folders
// get an old modification time (links keep theirs, nothing is followed).
bool AgeOldOrphans(const Cafe& cafe) {
    const char* const kOld[] = {"GameBackup2019", "网络游戏\\魔兽世界", "网络游戏\\英雄联盟_旧版本",
                                "单机游戏\\仙剑奇侠传六"};
    for (const char* path : kOld) {
        const std::string unixPath = testsupport::UnixPathOf(cafe.DriveFolder('E') + "\\" + path);
        const std::vector<std::string> age = {"find", unixPath,           "-exec", "touch", "-h",
                                              "-d",   "2019-06-01 03:00", "{}",    "+"};
        if (unixPath.empty() || !testsupport::RunUnixCommand(age)) return false;
    }
    return true;
}

}  // namespace

std::string HostPath(const std::string& windowsPath) {
    std::string resolved;
    const std::string unixPath = testsupport::UnixPathOf(windowsPath);
    if (!testsupport::RunUnixCommandOutput({"realpath", "-m", unixPath}, &resolved)) return unixPath;
    while (!resolved.empty() && resolved.back() == '\n') resolved.pop_back();
    return resolved;
}

bool ShowsSecondary() {
    const char* role = std::getenv("DEMO_ROLE");
    return Cafe::LocalAddress().empty() || (role != nullptr && std::strcmp(role, "secondary") == 0);
}

bool BuildDemoCafe(const std::string& root) {
    const std::string unixRoot = testsupport::UnixPathOf(root);
    if (unixRoot.empty() || !testsupport::RunUnixCommand({"rm", "-rf", unixRoot})) {
        std::fprintf(stderr, "trevand_demo: cannot clear %s\n", root.c_str());
        return false;
    }
    if (!MakeOutsideFolder(root)) {
        std::fprintf(stderr, "trevand_demo: cannot make the folder outside the disks\n");
        return false;
    }
    testsupport::CafeSite site;
    site.root = root;
    site.keep = true;
    const bool secondary = ShowsSecondary();
    Cafe cafe(DemoCafe(root, secondary), site);
    if (!cafe.Ready() || !AgeOldOrphans(cafe)) {
        std::fprintf(stderr, "trevand_demo: the demo cafe could not be built: %s\n", cafe.Problem().c_str());
        return false;
    }
    std::printf("Demo cafe in %s (%s)\n", HostPath(root).c_str(), root.c_str());
    std::printf("  game disk E:      %s\n", HostPath(cafe.DriveFolder('E')).c_str());
    std::printf("  game disk F:      %s\n", HostPath(cafe.DriveFolder('F')).c_str());
    std::printf("  download disk D:  %s\n", HostPath(cafe.DriveFolder('D')).c_str());
    std::printf("  outside the disks (links point here, nothing may touch it): %s\n",
                HostPath(OutsideFolder(root)).c_str());
    if (Cafe::LocalAddress().empty()) {
        std::printf(
            "This machine has no Ethernet or wireless IPv4 address, so it cannot be the cafe's main\n"
            "server: the demo shows the secondary role (the second option of the role window).\n");
    } else if (secondary) {
        std::printf("The cafe's main server is 192.168.1.10: choose the secondary role (the second option).\n");
    } else {
        std::printf("This machine (%s) is the cafe's main server: choose the master role (the first option).\n",
                    Cafe::LocalAddress().c_str());
    }
    return true;
}

}  // namespace demo
