// The quarantine's layout on paths and batch names as a record database
// damaged or written by hand may hold them, and its clock arithmetic on any
// times and setting.
//
// Checked beyond "no crash": whatever StoredPath makes of a path, and any
// record IsConsistent accepts, is a place of its own below its batch
// (QuarantineInvariant.h); a path and the place made of it always pass
// IsConsistent; DaysLeft stays within the setting, agrees with IsExpired,
// and never grows as time goes on.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstddef>
#include <cstdint>
#include <string>

#include "QuarantineInvariant.h"
#include "ToolKit/Trevand/Trevand/Quarantine/QuarantineTable.h"

namespace {

void CheckDrive(const std::string& path) {
    const char drive = quarantine::DriveOfPath(path);
    FUZZ_REQUIRE(drive == 0 || (drive >= 'A' && drive <= 'Z'));
    const std::string folder = quarantine::FolderOfDrive(path.empty() ? '\0' : path[0]);
    if (drive != 0) FUZZ_REQUIRE(folder == std::string(1, drive) + ":\\" + quarantine::kFolderName);
}

void CheckPaths(FuzzedDataProvider& input) {
    const std::string original = input.ConsumeRandomLengthString(96);
    const std::string batch = input.ConsumeRandomLengthString(24);
    CheckDrive(original);
    const std::string stored = quarantine::StoredPath(original, batch);
    TQuarantineRecord record;
    record.strOriginalPath = original;
    record.strBatch = batch;
    if (!stored.empty()) {
        record.strStoredPath = stored;
        FUZZ_REQUIRE(quarantine::IsConsistent(record));
        fuzzquarantine::CheckConsistentRecord(record);
    }
    // A stored path written by hand.
    record.strStoredPath = input.ConsumeRandomLengthString(128);
    if (quarantine::IsConsistent(record)) fuzzquarantine::CheckConsistentRecord(record);
}

void CheckDays(FuzzedDataProvider& input) {
    const int64_t quarantined = input.ConsumeIntegral<int64_t>();
    const int64_t now = input.ConsumeIntegral<int64_t>();
    const int64_t later = input.ConsumeIntegral<int64_t>();
    const int keepDays = input.ConsumeIntegral<int>();
    const int left = quarantine::DaysLeft(quarantined, now, keepDays);
    FUZZ_REQUIRE(left >= 0 && left <= (keepDays > 0 ? keepDays : 0));
    FUZZ_REQUIRE(quarantine::IsExpired(quarantined, now, keepDays) == (left == 0));
    if (later >= now) FUZZ_REQUIRE(quarantine::DaysLeft(quarantined, later, keepDays) <= left);
}

void CheckBatchName(FuzzedDataProvider& input) {
    const std::string name = quarantine::BatchName(
        input.ConsumeIntegralInRange<unsigned>(1601, 30827), input.ConsumeIntegralInRange<unsigned>(1, 12),
        input.ConsumeIntegralInRange<unsigned>(1, 31), input.ConsumeIntegralInRange<unsigned>(0, 23),
        input.ConsumeIntegralInRange<unsigned>(0, 59), input.ConsumeIntegralInRange<unsigned>(0, 59));
    // Any time the system gives makes a batch a move can use.
    FUZZ_REQUIRE(!quarantine::StoredPath("E:\\Games\\Old", name).empty());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider input(data, size);
    switch (input.ConsumeIntegralInRange<int>(0, 3)) {
    case 0: CheckDays(input); break;
    case 1: CheckBatchName(input); break;
    default: CheckPaths(input); break;
    }
    return 0;
}
