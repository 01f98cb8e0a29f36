#include "ToolKit/Trevand/Trevand/EntryDeleter.h"

#include <windows.h>

#include "ToolKit/Trevand/Trevand/WorkerLog.h"
#include "comm/platform/EntryDeletion.h"
#include "comm/platform/Folder.h"
#include "comm/platform/PathSeparator.h"
#include "comm/platform/ReparseTag.h"

namespace {

const char kDeletedDir[] = "Trevand  删除目录%s";
const char kDeletedFile[] = "Trevand  删除文件%s";
// Our own lines for what those cannot say.
const char kLinkLeft[] = "Trevand  未删除链接%s（链接不会被跟随，也不会被删除）";
const char kBeyondLeft[] =
    "Trevand  未删除%s（重解析标记0x%08lX：云端或其他存储服务管理的项，删除可能越出本机，不会被删除）";
const char kDirLeft[] = "Trevand  未能删除目录%s（错误码%lu）";
const char kFileLeft[] = "Trevand  未能删除文件%s（错误码%lu）";
const char kCancelledDir[] = "Trevand  已取消删除，目录未删完%s";
const char kNameLostLeft[] = "Trevand  未删除%s（名称含有系统代码页无法表示的字符，无法按名称找到）";

bool IsGone(const std::string& path) { return !platform::EntryExists(path); }

// Whether the entry `path`, whose attributes and reparse tag are
// `attributes` and `tag`, is one never to delete — a link, or an entry kept
// beyond this machine (ReparseTag.h) — and then logs it. A reparse point
// that is an entry kept in another form (deduplicated, compressed) is
// deleted like any other.
bool IsLeftByTag(const std::string& path, uint32_t attributes, uint32_t tag, CEntryDeleter::TCounts* counts) {
    switch (platform::ClassifyEntry(attributes, tag)) {
    case platform::ReparseClass::kEntry: return false;
    case platform::ReparseClass::kLink:
        WorkerLog(LOG_ERROR, kLinkLeft, path.c_str());
        ++counts->nLinksLeft;
        return true;
    case platform::ReparseClass::kBeyondMachine:
        WorkerLog(LOG_ERROR, kBeyondLeft, path.c_str(), static_cast<unsigned long>(tag));
        ++counts->nOthersLeft;
        return true;
    }
    return true;
}

// The line for a file that stays: a link, or one the system refused.
void LogFileLeft(platform::DeleteResult result, const std::string& path, uint32_t error,
                 CEntryDeleter::TCounts* counts) {
    if (result == platform::DeleteResult::kLink) {
        WorkerLog(LOG_ERROR, kLinkLeft, path.c_str());
        ++counts->nLinksLeft;
    } else {
        WorkerLog(LOG_ERROR, kFileLeft, path.c_str(), static_cast<unsigned long>(error));
        ++counts->nOthersLeft;
    }
}

}  // namespace

CEntryDeleter::Fate CEntryDeleter::Delete(const std::string& path, uint32_t attributes) {
    // The tag is read only for a reparse point: it costs a listing of the
    // folder, and only a reparse point has one.
    if ((attributes & platform::kAttributeReparsePoint) &&
        IsLeftByTag(path, attributes, platform::ReadReparseTag(path), &m_counts)) {
        return Fate::kLeft;
    }
    if (!(attributes & platform::kAttributeDirectory)) return DeleteTopFile(path) ? Fate::kDeleted : Fate::kLeft;
    const TreeOutcome outcome = DeleteDirectory(path);
    // A removed folder can still be seen while another program holds it
    // open (Windows keeps its name until then): look before saying so.
    if (outcome.bStopped) {
        WorkerLog(LOG_WARNING, kCancelledDir, path.c_str());
        ++m_counts.nOthersLeft;
        return Fate::kStopped;
    }
    if (outcome.dwError == 0 && IsGone(path)) {
        WorkerLog(LOG_INFO, kDeletedDir, path.c_str());
        return Fate::kDeleted;
    }
    WorkerLog(LOG_ERROR, kDirLeft, path.c_str(), static_cast<unsigned long>(outcome.dwError));
    // Not empty: what stays in it was counted as it was met.
    if (outcome.dwError != ERROR_DIR_NOT_EMPTY) ++m_counts.nOthersLeft;
    return Fate::kLeft;
}

bool CEntryDeleter::DeleteTopFile(const std::string& path) {
    const std::string folderPath = platform::ParentFolder(path), name = platform::EntryName(path);
    platform::DeletionFolder folder;
    uint32_t error = 0;
    uint64_t size = 0;
    platform::DeleteResult result = platform::DeleteResult::kFailed;
    if (folder.Open(folderPath, &error)) result = folder.DeleteOneFile(name, &error, &size);
    // A file deleted on the only handle to it is gone: no need to look
    // (which under Wine would read the whole folder).
    if (result != platform::DeleteResult::kDeleted) {
        LogFileLeft(result, path, error, &m_counts);
        return false;
    }
    m_nFreedBytes += size;
    ++m_counts.nRemoved;
    WorkerLog(LOG_INFO, kDeletedFile, path.c_str());
    return true;
}

CEntryDeleter::TreeOutcome CEntryDeleter::DeleteDirectory(const std::string& path) {
    TreeOutcome outcome;
    platform::FolderListing listing;
    platform::FolderEntry entry;
    // Opened at the first file: a folder of folders needs no resolving.
    platform::DeletionFolder folder;
    bool folderTried = false, folderOpen = false;
    uint32_t folderError = 0;
    // Joined with a backslash, the one separator of every path the log and
    // the window show. Appending one is safe after a name ending in a GBK
    // trail byte 0x5C (誠): the system reads the path character by character.
    if (listing.Start(path + "\\*.*", &entry)) {
        do {
            if (!m_keepGoing()) {
                outcome.bStopped = true;
                return outcome;  // the directory and what is left in it stay
            }
            if (platform::IsDotEntry(entry.strName)) continue;
            const std::string child = path + "\\" + entry.strName;
            if (entry.bNameLost) {
                // Its name as we have it reaches no entry, or another one:
                // left, and so is the folder holding it.
                WorkerLog(LOG_ERROR, kNameLostLeft, child.c_str());
                ++m_counts.nOthersLeft;
            } else if (IsLeftByTag(child, entry.dwAttributes, entry.dwReparseTag, &m_counts)) {
                // Logged; the folder holding it stays too.
            } else if (entry.dwAttributes & platform::kAttributeDirectory) {
                const TreeOutcome sub = DeleteDirectory(child);
                if (sub.bStopped) {
                    outcome.bStopped = true;
                    return outcome;
                }
                // A folder left because something in it stays was logged
                // through that entry already.
                if (sub.dwError != 0 && sub.dwError != ERROR_DIR_NOT_EMPTY) {
                    WorkerLog(LOG_ERROR, kDirLeft, child.c_str(), static_cast<unsigned long>(sub.dwError));
                    ++m_counts.nOthersLeft;
                }
            } else {
                if (!folderTried) {
                    folderTried = true;
                    folderOpen = folder.Open(path, &folderError);
                }
                uint32_t error = folderError;
                const platform::DeleteResult result =
                    folderOpen ? folder.DeleteOneFile(entry.strName, &error) : platform::DeleteResult::kFailed;
                // The length the listing just gave: asking the handle too
                // would cost a query per file of a large tree.
                if (result == platform::DeleteResult::kDeleted) {
                    m_nFreedBytes += entry.nSize;
                    ++m_counts.nRemoved;
                } else {
                    LogFileLeft(result, child, error, &m_counts);
                }
            }
        } while (listing.Next(&entry));
    }
    listing.Close();
    folder.Close();
    if (platform::RemoveFolder(path, &outcome.dwError)) {
        outcome.dwError = 0;
        ++m_counts.nRemoved;
    }
    return outcome;
}
