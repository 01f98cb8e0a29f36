#include "ToolKit/Trevand/Trevand/Quarantine/QuarantineMoveJob.h"

#include <windows.h>

#include <vector>

#include "ToolKit/Trevand/Trevand/Quarantine/QuarantineDisk.h"
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
};

const char kDiskRefused[] = "Trevand  无法打开或创建隔离区%s（错误码%lu），未隔离%s";

class CQuarantineMoveJob : public CDelDirJob {
public:
    CQuarantineMoveJob(std::map<std::string, TQuarantineCandidate> candidates, std::string batch, int64_t now)
        : m_candidates(std::move(candidates)), m_strBatch(std::move(batch)), m_nNow(now) {}

    const TDelDirTexts& Texts() const override { return kQuarantineTexts; }

    Fate Process(const std::string& path, uint32_t attributes, CEntryDeleter&, uint64_t* bytes) override {
        TDisk& disk = DiskOf(path);
        if (!disk.store || !disk.store->IsOpen()) {
            WorkerLog(LOG_ERROR, kDiskRefused, disk.strFolder.c_str(), static_cast<unsigned long>(disk.dwError),
                      path.c_str());
            return Fate::kLeft;
        }
        const auto known = m_candidates.find(path);
        const uint64_t size = known == m_candidates.end() ? 0 : known->second.nSize;
        const bool bDir = (attributes & platform::kAttributeDirectory) != 0;
        uint32_t error = 0;
        // MoveIn logs what became of the entry, moved or not.
        if (!disk.store->MoveIn(path, bDir, size, m_strBatch, m_nNow, nullptr, &error)) return Fate::kLeft;
        *bytes += size;
        return Fate::kDone;
    }

    void EntryFinished(const std::string& path) override { CTrevandWnd::Instance()->DeleteListItem(path); }

    std::string SummaryText(const DeletionTally& tally) const override {
        std::string text = QuarantineSummaryText(tally);
        // The log has the details; why a whole disk moved nothing belongs here.
        for (const auto& entry : m_disks) {
            const TDisk& disk = entry.second;
            if (disk.store && disk.store->IsOpen()) continue;
            text += "；无法在 " + std::string(1, entry.first) + ": 盘建立隔离区（错误码" +
                    std::to_string(disk.dwError) + "）";
        }
        return text;
    }

private:
    struct TDisk {
        std::unique_ptr<CQuarantineDisk> store;
        std::string strFolder;
        uint32_t dwError = 0;
    };

    // The quarantine of the disk `path` is on, opened (made when missing) at
    // its first entry; one that failed is not tried again.
    TDisk& DiskOf(const std::string& path) {
        const char drive = quarantine::DriveOfPath(path);
        TDisk& disk = m_disks[drive];
        if (disk.strFolder.empty()) {
            disk.strFolder = quarantine::FolderOfDrive(drive);
            disk.store.reset(new CQuarantineDisk(drive));
            if (!disk.store->Open(true, &disk.dwError) && disk.dwError == 0) disk.dwError = ERROR_PATH_NOT_FOUND;
        }
        return disk;
    }

    const std::map<std::string, TQuarantineCandidate> m_candidates;
    const std::string m_strBatch;
    const int64_t m_nNow;
    std::map<char, TDisk> m_disks;
};

}  // namespace

std::unique_ptr<CDelDirJob> MakeQuarantineMoveJob(std::map<std::string, TQuarantineCandidate> candidates,
                                                  std::string batch, int64_t now) {
    return std::unique_ptr<CDelDirJob>(new CQuarantineMoveJob(std::move(candidates), std::move(batch), now));
}
