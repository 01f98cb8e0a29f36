#include "ToolKit/Trevand/Trevand/Quarantine/QuarantinePurgeStep.h"

#include "ToolKit/Trevand/Trevand/EntryDeleter.h"
#include "ToolKit/Trevand/Trevand/Quarantine/QuarantineDisk.h"
#include "ToolKit/Trevand/Trevand/WorkerLog.h"
#include "comm/platform/EntryDeletion.h"
#include "comm/platform/EntryMove.h"
#include "comm/platform/Folder.h"

namespace {

const char kPurged[] = "Trevand  彻底删除隔离项%s（原位置%s）";
const char kNotHeld[] = "Trevand  隔离项%s已不在隔离区记录中，未删除";
const char kThroughLink[] = "Trevand  未彻底删除隔离项%s：其上级目录中有链接，删除会到达隔离区以外";
const char kUnreadable[] = "Trevand  未彻底删除隔离项%s：无法读取其属性";

// Deletes the stored entry `stored` of a record being purged, as far as it
// can; what stays is in *left.
CDelDirJob::Fate DeleteStored(const std::string& stored, CEntryDeleter& deleter, uint64_t* bytes,
                              TPurgeLeft* left) {
    // A folder on the way swapped for a link would send the deletion into
    // its target, outside the quarantine.
    if (platform::CrossesLink(stored)) {
        WorkerLog(LOG_ERROR, kThroughLink, stored.c_str());
        return CDelDirJob::Fate::kLeft;
    }
    const uint32_t attributes = platform::ReadAttributes(stored);
    if (attributes == platform::kAttributesInvalid) {
        // Gone already (deleted by hand in Explorer): nothing to delete, and
        // EndPurge drops the record. One that is there but cannot be read
        // is not gone.
        if (!platform::EntryExists(stored)) return CDelDirJob::Fate::kDone;
        WorkerLog(LOG_ERROR, kUnreadable, stored.c_str());
        return CDelDirJob::Fate::kLeft;
    }
    const CEntryDeleter::TCounts before = deleter.Counts();
    const CDelDirJob::Fate fate = DeleteForGood(stored, attributes, deleter, bytes);
    const CEntryDeleter::TCounts& after = deleter.Counts();
    left->bTouched = after.nRemoved > before.nRemoved;
    left->bOnlyLinks = fate == CDelDirJob::Fate::kLeft && after.nOthersLeft == before.nOthersLeft &&
                       after.nLinksLeft > before.nLinksLeft;
    return fate;
}

}  // namespace

CDelDirJob::Fate PurgeRecord(CQuarantineDisk& disk, const TQuarantineRecord& record, CEntryDeleter& deleter,
                             uint64_t* bytes) {
    // The database's copy of the paths decides what is deleted.
    TQuarantineRecord held;
    if (!disk.BeginPurge(record.nId, &held)) {
        WorkerLog(LOG_ERROR, kNotHeld, record.strStoredPath.c_str());
        return CDelDirJob::Fate::kLeft;
    }
    TPurgeLeft left;
    CDelDirJob::Fate fate = DeleteStored(held.strStoredPath, deleter, bytes, &left);
    // Done only when it is really gone, as EndPurge has looked.
    if (!disk.EndPurge(held.nId, left) && fate == CDelDirJob::Fate::kDone) fate = CDelDirJob::Fate::kLeft;
    if (fate == CDelDirJob::Fate::kDone)
        WorkerLog(LOG_INFO, kPurged, held.strStoredPath.c_str(), held.strOriginalPath.c_str());
    return fate;
}
