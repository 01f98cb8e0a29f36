#include "ToolKit/Trevand/Trevand/DelDirJob.h"

#include "ToolKit/Trevand/Trevand/EntryDeleter.h"
#include "ToolKit/Trevand/Trevand/TrevandWnd.h"

const TDelDirTexts kDeletionTexts = {
    "删除所选文件",
    "正在删除所选的文件和目录…",
    "关闭此窗口即可取消删除。",
    "取消删除",
    "请稍后！",
    "    正在取消删除操作...",
    "删除完成！",
    "无法开始删除，未删除任何文件。",
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

void CDelDirJob::EntryGone(const std::string&, CEntryDeleter&) {}

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
