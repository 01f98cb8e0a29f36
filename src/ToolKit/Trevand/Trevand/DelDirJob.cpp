#include "ToolKit/Trevand/Trevand/DelDirJob.h"

#include <exception>

#include "ToolKit/Trevand/Trevand/EntryDeleter.h"
#include "ToolKit/Trevand/Trevand/TrevandWnd.h"
#include "ToolKit/Trevand/Trevand/WorkerLog.h"
#include "comm/platform/Folder.h"

const TDelDirTexts kDeletionTexts = {
    "删除所选文件",
    "正在删除所选的文件和目录…",
    "关闭此窗口即可取消删除。",
    "取消删除",
    "请稍后！",
    "    正在取消删除操作...",
    "删除完成！",
    "无法开始删除，未删除任何文件。",
    "已释放",
};

namespace {

class CDeletionJob : public CDelDirJob {
public:
    const TDelDirTexts& Texts() const override { return kDeletionTexts; }

    Fate Process(const std::string& path, uint32_t attributes, CEntryDeleter& deleter, uint64_t* bytes) override {
        return DeleteForGood(path, attributes, deleter, bytes);
    }

    void EntryFinished(const std::string& path) override { CTrevandWnd::Instance()->DeleteListItem(path); }

    std::string SummaryText(const DeletionTally& tally) const override { return DeletionSummaryText(tally); }
};

}  // namespace

const char kEntryExceptionLog[] = "Trevand  删除文件异常 %s";

void CDelDirJob::EntryGone(const std::string&, CEntryDeleter&) {}

EEntryOutcome RunJobOnEntry(CDelDirJob& job, const std::string& path, uint32_t attributes, CEntryDeleter& deleter,
                            DeletionTally* tally) {
    try {
        if (attributes == platform::kAttributesInvalid) {
            job.EntryGone(path, deleter);
            return EEntryOutcome::kGone;
        }
        switch (job.Process(path, attributes, deleter, &tally->nFreedBytes)) {
        case CDelDirJob::Fate::kDone: ++tally->nDeleted; return EEntryOutcome::kDone;
        case CDelDirJob::Fate::kStopped: ++tally->nNotReached; return EEntryOutcome::kStopped;
        case CDelDirJob::Fate::kLeft: break;
        }
    } catch (const std::exception&) {
        WorkerLog(LOG_ERROR, kEntryExceptionLog, path.c_str());
    }
    ++tally->nLeft;
    return EEntryOutcome::kLeft;
}

CDelDirJob::Fate DeleteForGood(const std::string& path, uint32_t attributes, CEntryDeleter& deleter, uint64_t* bytes) {
    const uint64_t before = deleter.FreedBytes();
    const CEntryDeleter::Fate fate = deleter.Delete(path, attributes);
    *bytes += deleter.FreedBytes() - before;
    switch (fate) {
    case CEntryDeleter::Fate::kDeleted: return CDelDirJob::Fate::kDone;
    case CEntryDeleter::Fate::kStopped: return CDelDirJob::Fate::kStopped;
    case CEntryDeleter::Fate::kLeft: break;
    }
    return CDelDirJob::Fate::kLeft;
}

std::unique_ptr<CDelDirJob> MakeDeletionJob() { return std::unique_ptr<CDelDirJob>(new CDeletionJob); }
