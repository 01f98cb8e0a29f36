// CDelDirWnd, the worker's side: the list, the directory trees, the log.
//
// The worker holds the deletion lock only around its checks and its last
// step, never during a file operation or a log call. It reaches the UI only
// through posted calls: the window's texts, and the main window's rows.
//
// Links and junctions are never followed and never deleted: a delete
// through one would reach outside the ticked entries (see EntryDeletion.h).
// They are logged and left, so the folders holding one stay too.
//
// The log says what happened: "删除目录"/"删除文件" only for an entry that is
// gone afterwards; an entry still there gets an error line with the system's
// code; a tree left by a cancel gets a line saying so.
//
// The counts for the summary follow the same facts: an entry counts as
// deleted only when it is gone entirely, and the space freed is the sum of
// the lengths of the files the worker itself deleted, nothing estimated.
#include <windows.h>

#include <cstdarg>
#include <cstdio>
#include <exception>

#include "ToolKit/Trevand/Trevand/DelDirWnd.h"
#include "ToolKit/Trevand/Trevand/TrevandWnd.h"
#include "comm/log/LogWriter.h"
#include "comm/platform/CharNext936.h"
#include "comm/platform/EntryDeletion.h"
#include "comm/platform/Folder.h"

namespace {

const char kDeletedDir[] = "Trevand  删除目录%s";
const char kDeletedFile[] = "Trevand  删除文件%s";
const char kEntryException[] = "Trevand  删除文件异常 %s";
// Our own lines for what those cannot say.
const char kLinkLeft[] = "Trevand  未删除链接%s（链接不会被跟随，也不会被删除）";
const char kDirLeft[] = "Trevand  未能删除目录%s（错误码%lu）";
const char kFileLeft[] = "Trevand  未能删除文件%s（错误码%lu）";
const char kCancelledDir[] = "Trevand  已取消删除，目录未删完%s";

// Names of the worker's calls to the UI thread (only the pointer travels).
const char kShowPathCall[] = "DelDirWndText";
const char kShowFinishedCall[] = "DelDirWndFinal";

// Formats the message first and hands it over as "%s", so a per cent sign in
// a path is written as it is. A fixed buffer: logging cannot throw, even in
// the exception guard (the writer keeps at most 2047 characters anyway).
void WorkerLog(int level, const char* format, ...) TREVAND_PRINTF_FORMAT(2, 3);
void WorkerLog(int level, const char* format, ...) {
    char message[CLogWriter::kMaxLineChars + 1];
    va_list args;
    va_start(args, format);
    std::vsnprintf(message, sizeof(message), format, args);
    va_end(args);
    LogWrite(level, __FILE__, __LINE__, "CDelDirWnd::DelFileThread", "%s", message);
}

bool IsGone(const std::string& path) { return !platform::EntryExists(path); }

// Splits "E:\Games\a.txt" into "E:\Games" and "a.txt" at the last separator
// that starts a character (a GBK trail byte can be 0x5C, as in 誠).
void SplitFolderAndName(const std::string& path, std::string* folder, std::string* name) {
    const char* begin = path.c_str();
    const char* last = nullptr;
    for (const char* p = begin; *p; p = platform::CharNext936(p)) {
        if (*p == '\\' || *p == '/') last = p;
    }
    if (last == nullptr) {
        folder->clear();
        *name = path;
        return;
    }
    folder->assign(begin, last);
    name->assign(last + 1);
}

// The line for a file that stays: a link, or one the system refused.
void LogFileLeft(platform::DeleteResult result, const std::string& path, uint32_t error) {
    if (result == platform::DeleteResult::kLink) WorkerLog(LOG_ERROR, kLinkLeft, path.c_str());
    else WorkerLog(LOG_ERROR, kFileLeft, path.c_str(), static_cast<unsigned long>(error));
}

}  // namespace

unsigned long CDelDirWnd::DelFileThread(CDelDirWnd* pWnd) {
    pWnd->DeleteList();
    return 0;
}

void CDelDirWnd::DeleteList() {
    const uint32_t total = static_cast<uint32_t>(m_listPath.size());
    uint32_t begun = 0;
    for (const std::string& path : m_listPath) {
        try {
            const uint32_t attributes = platform::ReadAttributes(path);
            {
                std::lock_guard<std::mutex> lock(s_lock);
                if (!m_bRunning) {
                    Close(1);
                    FinishTally(total - begun);
                    return;  // the lock is released after the window's last use
                }
            }
            ++begun;
            PostPath(path);
            // A path that is gone by now: nothing to delete, nothing to log,
            // nothing to count.
            if (attributes != platform::kAttributesInvalid) {
                switch (DeleteEntry(path, attributes)) {
                case EntryFate::kDeleted: ++m_tally.nDeleted; break;
                case EntryFate::kLeft: ++m_tally.nLeft; break;
                case EntryFate::kStopped: ++m_tally.nNotReached; break;
                }
            }
        } catch (const std::exception&) {
            // Whatever the error interrupted, the entry was not seen to go.
            ++m_tally.nLeft;
            WorkerLog(LOG_ERROR, kEntryException, path.c_str());
        }
        if (m_bRunning) CTrevandWnd::Instance()->DeleteListItem(path);
    }
    std::lock_guard<std::mutex> lock(s_lock);
    if (m_bRunning) PostFinished();
    else Close(1);  // a cancel came after the last entry's check
    FinishTally(0);
}

void CDelDirWnd::FinishTally(uint32_t notReached) {
    m_tally.nNotReached += notReached;
    m_tally.bCancelled = !m_bRunning;
    m_bDone = true;
}

CDelDirWnd::EntryFate CDelDirWnd::DeleteEntry(const std::string& path, uint32_t attributes) {
    if (attributes & platform::kAttributeReparsePoint) {
        WorkerLog(LOG_ERROR, kLinkLeft, path.c_str());
        return EntryFate::kLeft;
    }
    if (!(attributes & platform::kAttributeDirectory))
        return DeleteTopFile(path) ? EntryFate::kDeleted : EntryFate::kLeft;
    const TreeOutcome outcome = DeleteDirectory(path);
    // A removed folder can still be seen while another program holds it
    // open (Windows keeps its name until then): look before saying so.
    if (outcome.bCancelled) {
        WorkerLog(LOG_WARNING, kCancelledDir, path.c_str());
        return EntryFate::kStopped;
    }
    if (outcome.dwError == 0 && IsGone(path)) {
        WorkerLog(LOG_INFO, kDeletedDir, path.c_str());
        return EntryFate::kDeleted;
    }
    WorkerLog(LOG_ERROR, kDirLeft, path.c_str(), static_cast<unsigned long>(outcome.dwError));
    return EntryFate::kLeft;
}

bool CDelDirWnd::DeleteTopFile(const std::string& path) {
    std::string folderPath, name;
    SplitFolderAndName(path, &folderPath, &name);
    platform::DeletionFolder folder;
    uint32_t error = 0;
    uint64_t size = 0;
    platform::DeleteResult result = platform::DeleteResult::kFailed;
    if (folder.Open(folderPath, &error)) result = folder.DeleteOneFile(name, &error, &size);
    // A file deleted on the only handle to it is gone: no need to look
    // (which under Wine would read the whole folder).
    if (result != platform::DeleteResult::kDeleted) {
        LogFileLeft(result, path, error);
        return false;
    }
    m_tally.nFreedBytes += size;
    WorkerLog(LOG_INFO, kDeletedFile, path.c_str());
    return true;
}

CDelDirWnd::TreeOutcome CDelDirWnd::DeleteDirectory(const std::string& path) {
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
            if (!CheckRunning()) {
                outcome.bCancelled = true;
                return outcome;  // the directory and what is left in it stay
            }
            if (platform::IsDotEntry(entry.strName)) continue;
            const std::string child = path + "\\" + entry.strName;
            if (entry.dwAttributes & platform::kAttributeReparsePoint) {
                WorkerLog(LOG_ERROR, kLinkLeft, child.c_str());
            } else if (entry.dwAttributes & platform::kAttributeDirectory) {
                const TreeOutcome sub = DeleteDirectory(child);
                if (sub.bCancelled) {
                    outcome.bCancelled = true;
                    return outcome;
                }
                // A folder left because something in it stays was logged
                // through that entry already.
                if (sub.dwError != 0 && sub.dwError != ERROR_DIR_NOT_EMPTY)
                    WorkerLog(LOG_ERROR, kDirLeft, child.c_str(), static_cast<unsigned long>(sub.dwError));
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
                if (result == platform::DeleteResult::kDeleted) m_tally.nFreedBytes += entry.nSize;
                else LogFileLeft(result, child, error);
            }
        } while (listing.Next(&entry));
    }
    listing.Close();
    if (platform::RemoveFolder(path, &outcome.dwError)) outcome.dwError = 0;
    return outcome;
}

bool CDelDirWnd::CheckRunning() const {
    std::lock_guard<std::mutex> lock(s_lock);
    return m_bRunning;
}

void CDelDirWnd::PostPath(const std::string& path) {
    PostUserMessage([path](Vellum::CWindowWnd& wnd) { return static_cast<CDelDirWnd&>(wnd).ShowPath(path); },
                    kShowPathCall);
}

void CDelDirWnd::PostFinished() {
    PostUserMessage([](Vellum::CWindowWnd& wnd) { return static_cast<CDelDirWnd&>(wnd).ShowFinished(); },
                    kShowFinishedCall);
}
