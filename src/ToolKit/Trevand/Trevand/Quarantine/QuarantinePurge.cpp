#include "ToolKit/Trevand/Trevand/Quarantine/QuarantinePurge.h"

#include <list>
#include <map>
#include <memory>

#include "ToolKit/Trevand/Trevand/DelDirWndRun.h"
#include "ToolKit/Trevand/Trevand/Quarantine/QuarantineDisks.h"
#include "ToolKit/Trevand/Trevand/Quarantine/QuarantineLayout.h"
#include "ToolKit/Trevand/Trevand/Quarantine/QuarantinePurgeStep.h"
#include "ToolKit/Trevand/Trevand/WorkerLog.h"
#include "UI/Wnd/WindowWnd.h"

namespace {

// A deletion like any other, with its own title and headline.
const TDelDirTexts kPurgeTexts = [] {
    TDelDirTexts texts = kDeletionTexts;
    texts.title = "彻底删除隔离项";
    texts.headline = "正在彻底删除所选的隔离项…";
    return texts;
}();

const char kDiskNotOpen[] = "Trevand  无法打开隔离区%s（错误码%lu），未删除%s";

// The window's paths are the stored paths; each leads back to its record.
class CQuarantinePurgeJob : public CDelDirJob {
public:
    explicit CQuarantinePurgeJob(const std::vector<TQuarantineRecord>& records) {
        for (const TQuarantineRecord& record : records) m_records[record.strStoredPath] = record;
    }

    const TDelDirTexts& Texts() const override { return kPurgeTexts; }

    Fate Process(const std::string& path, uint32_t, CEntryDeleter& deleter, uint64_t* bytes) override {
        return Purge(path, deleter, bytes);
    }

    // Deleted by hand since the quarantine window listed it: its record goes
    // too, or the entry would be offered, and refused, for ever.
    void EntryGone(const std::string& path, CEntryDeleter& deleter) override {
        uint64_t bytes = 0;
        Purge(path, deleter, &bytes);
    }

    void EntryFinished(const std::string&) override {}

    std::string SummaryText(const DeletionTally& tally) const override { return DeletionSummaryText(tally); }

private:
    // The record of stored path `path` through its disk (PurgeRecord
    // settles a record whose entry is gone already).
    Fate Purge(const std::string& path, CEntryDeleter& deleter, uint64_t* bytes) {
        const TQuarantineRecord& record = m_records.at(path);
        const char drive = quarantine::DriveOfPath(record.strOriginalPath);
        uint32_t error = 0;
        CQuarantineDisk* disk = m_disks.Open(drive, &error);
        if (!disk) {
            WorkerLog(LOG_ERROR, kDiskNotOpen, quarantine::FolderOfDrive(drive).c_str(),
                      static_cast<unsigned long>(error), path.c_str());
            return Fate::kLeft;
        }
        return PurgeRecord(*disk, record, deleter, bytes);
    }

    std::map<std::string, TQuarantineRecord> m_records;
    CQuarantineDisks m_disks{false};
};

}  // namespace

std::string RunQuarantinePurge(Vellum::CWindowWnd& owner, const std::vector<TQuarantineRecord>& records) {
    std::list<std::string> paths;
    for (const TQuarantineRecord& record : records) paths.push_back(record.strStoredPath);
    std::unique_ptr<CDelDirJob> job(new CQuarantinePurgeJob(records));
    return RunDelDirWnd(owner.GetHWND(), std::move(job), paths).strSummary;
}
