#include "ToolKit/Trevand/Trevand/Quarantine/QuarantinePurgeStep.h"

#include "ToolKit/Trevand/Trevand/Quarantine/QuarantineDisk.h"
#include "ToolKit/Trevand/Trevand/WorkerLog.h"
#include "comm/platform/EntryDeletion.h"
#include "comm/platform/Folder.h"

namespace {

const char kPurged[] = "Trevand  彻底删除隔离项%s（原位置%s）";
const char kNotHeld[] = "Trevand  隔离项%s已不在隔离区记录中，未删除";

}  // namespace

CDelDirJob::Fate PurgeRecord(CQuarantineDisk& disk, const TQuarantineRecord& record, CEntryDeleter& deleter,
                             uint64_t* bytes) {
    if (!disk.BeginPurge(record.nId)) {
        WorkerLog(LOG_ERROR, kNotHeld, record.strStoredPath.c_str());
        return CDelDirJob::Fate::kLeft;
    }
    const uint32_t attributes = platform::ReadAttributes(record.strStoredPath);
    // Gone already (deleted by hand in Explorer): nothing to delete, and
    // EndPurge drops the record.
    CDelDirJob::Fate fate = CDelDirJob::Fate::kDone;
    if (attributes != platform::kAttributesInvalid)
        fate = DeleteForGood(record.strStoredPath, attributes, deleter, bytes);
    disk.EndPurge(record.nId);
    if (fate == CDelDirJob::Fate::kDone)
        WorkerLog(LOG_INFO, kPurged, record.strStoredPath.c_str(), record.strOriginalPath.c_str());
    return fate;
}
