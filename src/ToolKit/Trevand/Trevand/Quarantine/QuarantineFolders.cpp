#include "ToolKit/Trevand/Trevand/Quarantine/QuarantineFolders.h"

#include "ToolKit/Trevand/Trevand/Quarantine/QuarantineLayout.h"
#include "comm/platform/CaseFold936.h"
#include "comm/platform/EntryDeletion.h"
#include "comm/platform/Folder.h"
#include "comm/platform/PathSeparator.h"
#include "comm/platform/ReparseTag.h"

namespace quarantine {
namespace {

// A link, or a folder kept beyond this machine (ReparseTag.h): never
// entered or removed.
bool IsLink(const platform::FolderEntry& entry) {
    return entry.dwAttributes != platform::kAttributesInvalid &&
           platform::ClassifyEntry(entry.dwAttributes, entry.dwReparseTag) != platform::ReparseClass::kEntry;
}

// Removes `path` when it is an empty folder (and no link); false otherwise.
bool RemoveIfEmpty(const std::string& path) {
    if (platform::ReadReparseClass(path) != platform::ReparseClass::kEntry) return false;
    uint32_t error = 0;
    return platform::RemoveFolder(path, &error);
}

// Whether `path` lies strictly below `folder`.
bool IsBelow(const std::string& path, const std::string& folder) {
    return path.size() > folder.size() + 1 && path.compare(0, folder.size(), folder) == 0 &&
           path[folder.size()] == '\\';
}

// The entries of `folder` (no "." or ".."); false when it cannot be listed.
bool ListEntries(const std::string& folder, std::vector<platform::FolderEntry>* entries) {
    platform::FolderListing listing;
    platform::FolderEntry entry;
    if (!listing.Start(folder + "\\*", &entry)) return listing.FailureCode() == 0;
    do {
        if (!platform::IsDotEntry(entry.strName)) entries->push_back(entry);
    } while (listing.Next(&entry));
    return listing.FailureCode() == 0;
}

}  // namespace

void RemoveEmptyParents(const std::string& folder, const std::string& stored) {
    for (std::string parent = platform::ParentFolder(stored); IsBelow(parent, folder);
         parent = platform::ParentFolder(parent)) {
        if (!RemoveIfEmpty(parent)) return;
    }
}

void RemoveEmptyFoldersBelow(const std::string& folder, const std::set<std::string>& keep) {
    std::vector<platform::FolderEntry> entries;
    if (!ListEntries(folder, &entries)) return;
    for (const platform::FolderEntry& entry : entries) {
        const bool isFolder = (entry.dwAttributes & platform::kAttributeDirectory) != 0;
        if (!isFolder || IsLink(entry)) continue;
        const std::string path = folder + "\\" + entry.strName;
        if (keep.count(platform::FoldCase936(path))) continue;
        RemoveEmptyFoldersBelow(path, keep);
        RemoveIfEmpty(path);
    }
}

void RemoveCreatedFolders(const std::vector<std::string>& created) {
    for (auto it = created.rbegin(); it != created.rend(); ++it) {
        if (!RemoveIfEmpty(*it)) return;
    }
}

bool IsEmptyFolder(const std::string& folder) {
    std::vector<platform::FolderEntry> entries;
    return ListEntries(folder, &entries) && entries.empty();
}

std::vector<std::string> MissingFolders(const std::string& folder) {
    std::vector<std::string> missing;
    for (std::string path = folder; !path.empty() && !platform::EntryExists(path);
         path = platform::ParentFolder(path)) {
        missing.insert(missing.begin(), path);
    }
    return missing;
}

bool HoldsOnlyDatabase(const std::string& folder) {
    const std::string database = kDatabaseName;
    std::vector<platform::FolderEntry> entries;
    if (!ListEntries(folder, &entries)) return false;
    for (const platform::FolderEntry& entry : entries) {
        if (entry.strName != database && entry.strName != database + "-journal") return false;
    }
    return true;
}

}  // namespace quarantine
