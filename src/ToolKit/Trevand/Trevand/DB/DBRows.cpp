#include "ToolKit/Trevand/Trevand/DB/DBRows.h"

bool ForEachRow(CDBConnect& db, const char* szSQL, const std::function<bool(CDBRecordSet&)>& onRow) {
    CDBRecordSet* pRS = nullptr;
    int32_t nRet = 0;
    if (!db.ExecSQL(szSQL, pRS, nRet) || pRS == nullptr) {
        return false;
    }
    while (!pRS->IsEOF()) {
        // A row's values are read before stepping past it.
        if (!onRow(*pRS)) {
            break;
        }
        pRS->MoveNext();
    }
    db.CloseRS(pRS);
    return true;
}

std::string TrimmedField(CDBRecordSet& rs, const char* szName) {
    std::string value;
    rs.GetFieldValue(szName, value, true);
    return value;
}

bool ForEachNonEmptyValue(CDBConnect& db, const char* szSQL, const char* szColumn,
                          const std::function<void(std::string&&)>& onValue) {
    return ForEachRow(db, szSQL, [&](CDBRecordSet& rs) {
        std::string value = TrimmedField(rs, szColumn);
        if (!value.empty()) {
            onValue(std::move(value));
        }
        return true;
    });
}
