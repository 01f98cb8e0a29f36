// CCandidateSizer: the worker's walk, its batches and its cancellation.
//
// The walk applies the scan's rules to what it meets: a link is neither
// entered nor counted — it may lead to another disk, or back into the tree —
// nor is an entry a service beyond this machine keeps (a cloud drive's
// placeholder, ReparseTag.h), which no deletion frees; a deduplicated or
// compressed file counts at the length the listing gives, like any file;
// and an entry whose attributes cannot be read is passed over (its
// bytes unknown, the size is partial). A folder that cannot be listed marks
// the size partial too, as does a folder whose name the system code page
// cannot hold (no path reaches it): a size that silently left them out would
// pass for the whole. A file of such a name still counts: the listing gives
// its length.
// The attribute the listing reports decides. Windows marks a link to a file
// there; Wine 8 lists one as a plain file of its target's length, and it is
// then counted: telling it apart would take a handle per file (see
// EntryDeletion.h), many times the cost of the walk, for a figure that is
// only shown.
#include "ToolKit/Trevand/Trevand/CandidateSizer.h"

#include <chrono>
#include <mutex>
#include <system_error>
#include <utility>

#include "comm/log/LogWriter.h"
#include "comm/platform/Folder.h"
#include "comm/platform/ReparseTag.h"

namespace {

// A batch goes to the sink once it holds this many folders, or once this long
// has passed since the last one went: a drive of thousands of small folders
// then costs the window few messages, and one of a few huge folders still
// shows each as soon as it is done.
const size_t kBatchFolders = 64;
const std::chrono::milliseconds kBatchInterval(100);

std::mutex g_hookLock;
CCandidateSizer::FolderHook g_beforeFolder;

// The stop flag of the sizer whose worker runs on this thread, for IsStoppingForTests.
thread_local const std::atomic<bool>* t_stopping = nullptr;

CCandidateSizer::FolderHook BeforeFolderHook() {
    std::lock_guard<std::mutex> lock(g_hookLock);
    return g_beforeFolder;
}

}  // namespace

CCandidateSizer::CCandidateSizer() = default;

CCandidateSizer::~CCandidateSizer() { Stop(); }

bool CCandidateSizer::Start(std::vector<std::string> folders, BatchSink sink) {
    Stop();
    m_stopping = false;
    m_running = true;
    try {
        m_thread = std::thread([this, folders = std::move(folders), sink = std::move(sink)] {
            t_stopping = &m_stopping;
            Run(folders, sink);
            m_running = false;
        });
    } catch (const std::system_error& error) {
        m_running = false;
        LOG_WRITE(LOG_ERROR, "Trevand  无法启动计算目录大小的线程（%s），目录大小不会显示", error.what());
        return false;
    }
    return true;
}

void CCandidateSizer::Stop() {
    m_stopping = true;
    if (m_thread.joinable()) m_thread.join();
    m_running = false;
}

void CCandidateSizer::Wait() {
    if (m_thread.joinable()) m_thread.join();
}

bool CCandidateSizer::IsRunningForTests() const { return m_running; }

void CCandidateSizer::SetBeforeFolderHookForTests(FolderHook hook) {
    std::lock_guard<std::mutex> lock(g_hookLock);
    g_beforeFolder = std::move(hook);
}

bool CCandidateSizer::IsStoppingForTests() { return t_stopping != nullptr && t_stopping->load(); }

void CCandidateSizer::Run(const std::vector<std::string>& folders, const BatchSink& sink) {
    std::vector<TFolderSize> batch;
    auto lastFlush = std::chrono::steady_clock::now();
    for (const std::string& folder : folders) {
        if (FolderHook hook = BeforeFolderHook()) hook(folder);
        TFolderSize done;
        done.strPath = folder;
        // A cancelled folder is not reported, nor is anything finished before
        // it: after Stop the owner wants no further batch at all.
        if (!SizeTree(folder, &done)) return;
        batch.push_back(std::move(done));
        const auto now = std::chrono::steady_clock::now();
        if (batch.size() >= kBatchFolders || now - lastFlush >= kBatchInterval) {
            if (m_stopping) return;
            sink(std::move(batch));
            batch.clear();
            lastFlush = now;
        }
    }
    if (!batch.empty() && !m_stopping) sink(std::move(batch));
}

bool CCandidateSizer::SizeTree(const std::string& folder, TFolderSize* size) const {
    if (m_stopping) return false;
    platform::FolderListing listing;
    platform::FolderEntry entry;
    if (listing.Start(folder + "\\*.*", &entry)) {
        do {
            if (m_stopping) return false;
            const uint32_t attributes = entry.dwAttributes;
            if (platform::IsDotEntry(entry.strName)) continue;
            // Checked first: the invalid value has the link bit set too.
            if (attributes == platform::kAttributesInvalid) {
                size->bPartial = true;
                continue;
            }
            if (platform::ClassifyEntry(attributes, entry.dwReparseTag) != platform::ReparseClass::kEntry) continue;
            if (entry.nModified > size->nNewestWrite) size->nNewestWrite = entry.nModified;
            if ((attributes & platform::kAttributeDirectory) == 0) {
                size->nSize += entry.nSize;
            } else if (entry.bNameLost) {
                // A folder whose name reaches no entry cannot be listed.
                size->bPartial = true;
                LOG_WRITE(
                    LOG_WARNING,
                    "Trevand  无法读取目录 %s\\%s（名称含有系统代码页无法表示的字符），所在目录的大小只计能读到的部分",
                    folder.c_str(), entry.strName.c_str());
            } else if (!SizeTree(folder + "\\" + entry.strName, size)) {
                return false;
            }
        } while (listing.Next(&entry));
    }
    // Not read, or not read to its end: what it holds beyond that is unknown.
    if (const unsigned long code = listing.FailureCode()) {
        size->bPartial = true;
        LOG_WRITE(LOG_WARNING, "Trevand  无法读取目录 %s（错误 %lu），所在目录的大小只计能读到的部分", folder.c_str(),
                  code);
    }
    return true;
}
