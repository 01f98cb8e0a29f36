// Windows only, internal to the quarantine: tidying the folders of a
// quarantine once entries have left it.
//
// Nothing here ever enters or removes a link (under Wine 8 removing a link to
// an empty folder removes that folder, wherever it is), nor a folder a
// service beyond this machine keeps (comm/platform/ReparseTag.h), and only
// empty folders are removed.
#pragma once

#include <set>
#include <string>
#include <vector>

namespace quarantine {

// Removes the empty folders above the stored path `stored`, from its own
// folder up to the batch folder, staying below the quarantine folder
// `folder`. Stops at the first one that is not empty.
void RemoveEmptyParents(const std::string& folder, const std::string& stored);

// Removes every empty folder below `folder`, deepest first, except those
// whose path, case folded (platform::FoldCase936), is in `keep`: an empty
// folder that is itself a quarantined entry stays.
void RemoveEmptyFoldersBelow(const std::string& folder, const std::set<std::string>& keep);

// Removes the folders a move made (CreateFolders's `created`, topmost
// first) when it gave up, deepest first, as far as they are empty.
void RemoveCreatedFolders(const std::vector<std::string>& created);

// Whether `folder` holds no entry at all (false when it cannot be listed).
bool IsEmptyFolder(const std::string& folder);

// The folders missing from `folder` up to the first that exists, topmost
// first: what CreateFolders(folder) would make.
std::vector<std::string> MissingFolders(const std::string& folder);

// Whether `folder` holds the record database (and its journal) and nothing
// else: then the folder can go with it.
bool HoldsOnlyDatabase(const std::string& folder);

}  // namespace quarantine
