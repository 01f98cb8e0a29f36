#include "ToolKit/Trevand/Trevand/Quarantine/QuarantineMoveJob.h"

#include <vector>

#include "ToolKit/Trevand/Trevand/Quarantine/QuarantineDisks.h"
#include "ToolKit/Trevand/Trevand/Quarantine/QuarantineLayout.h"
#include "ToolKit/Trevand/Trevand/TrevandWnd.h"
#include "ToolKit/Trevand/Trevand/WorkerLog.h"
#include "comm/platform/Folder.h"

namespace {

const TDelDirTexts kQuarantineTexts = {
    "隔离所选文件",
    "正在将所选的文件和目录移入隔离区…",
    "关闭此窗口即可取消隔离。",
    "取消隔离",
    "请稍后！",
    "    正在取消隔离操作...",
    "隔离完成！",
    "无法开始隔离，未移动任何文件。",
    "已移入",
};

const char kDiskRefused[] = "Trevand  无法打开或创建隔离区%s（错误码%lu），未隔离%s";

class CQuarantineMoveJob : public CDelDirJob {
public:
    CQuarantineMoveJob(std::map<std::string, TQuarantineCandidate> candidates, std::string batch, int64_t now,
                       std::function<void(const std::string&)> entryFinished)
        : m_candidates(std::move(candidates)),
          m_strBatch(std::move(batch)),
          m_nNow(now),
          m_entryFinished(std::move(entryFinished)) {}

    const TDelDirTexts& Texts() const override { return kQuarantineTexts; }

    Fate Process(const std::string& path, uint32_t attributes, CEntryDeleter&, uint64_t* bytes) override {
        const char drive = quarantine::DriveOfPath(path);
        uint32_t error = 0;
        CQuarantineDisk* disk = m_disks.Open(drive, &error);
        if (!disk) {
            WorkerLog(LOG_ERROR, kDiskRefused, quarantine::FolderOfDrive(drive).c_str(),
                      static_cast<unsigned long>(error), path.c_str());
            return Fate::kLeft;
        }
        const auto known = m_candidates.find(path);
        const uint64_t size = known == m_candidates.end() ? 0 : known->second.nSize;
        const bool bDir = (attributes & platform::kAttributeDirectory) != 0;
        const bool atLeast = bDir && (known == m_candidates.end() || known->second.bSizeAtLeast);
        // MoveIn logs what became of the entry, moved or not.
        if (!disk->MoveIn(path, bDir, size, m_strBatch, m_nNow, nullptr, &error, atLeast)) return Fate::kLeft;
        *bytes += size;
        return Fate::kDone;
    }

    void EntryFinished(const std::string& path) override {
        if (m_entryFinished) m_entryFinished(path);
    }

    std::string SummaryText(const DeletionTally& tally) const override {
        std::string text = QuarantineSummaryText(tally);
        // The log has the details; why a whole disk moved nothing belongs here.
        for (const auto& failure : m_disks.Failures()) {
            const std::string drive(1, failure.first);
            if (failure.second == kErrorDatabaseMissing)
                text += "；" + drive + ": 盘的隔离区缺少记录数据库，未在此盘隔离（详见日志）";
            else
                text += "；无法在 " + drive + ": 盘建立隔离区（错误码" + std::to_string(failure.second) + "）";
        }
        return text;
    }

private:
    const std::map<std::string, TQuarantineCandidate> m_candidates;
    const std::string m_strBatch;
    const int64_t m_nNow;
    const std::function<void(const std::string&)> m_entryFinished;
    CQuarantineDisks m_disks{true};
};

}  // namespace

std::unique_ptr<CDelDirJob> MakeQuarantineMoveJob(std::map<std::string, TQuarantineCandidate> candidates,
                                                  std::string batch, int64_t now,
                                                  std::function<void(const std::string&)> entryFinished) {
    return std::unique_ptr<CDelDirJob>(
        new CQuarantineMoveJob(std::move(candidates), std::move(batch), now, std::move(entryFinished)));
}

std::unique_ptr<CDelDirJob> MakeQuarantineMoveJob(std::map<std::string, TQuarantineCandidate> candidates,
                                                  std::string batch, int64_t now) {
    return MakeQuarantineMoveJob(std::move(candidates), std::move(batch), now,
                                 [](const std::string& path) { CTrevandWnd::Instance()->DeleteListItem(path); });
}

std::string QuarantineBatchNow(const platform::WallClock& now) {
    const platform::LocalTime local = platform::ToLocalTime(now);
    return quarantine::BatchName(local.year, local.month, local.day, local.hour, local.minute, local.second);
}
