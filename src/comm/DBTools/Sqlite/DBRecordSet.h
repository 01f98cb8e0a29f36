// The rows of one query, read one row at a time by column name.
//
// A record set comes from CDBConnect::ExecSQL standing on the first row (or at
// its end when the result is empty) and goes back through CDBConnect::CloseRS on
// the same connection, which finalizes it and deletes it. Deleting it any other
// way leaves its statement unfinalized, and the connection then cannot close.
//
// Reading pattern:
//     while (!pRS->IsEOF()) { pRS->GetFieldValue("Name", strName, true); pRS->MoveNext(); }
//
// A set is used by one thread at a time; it takes no lock of its own.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

class CDBRecordSet {
public:
    virtual ~CDBRecordSet() {}

    // True when there is no current row: the result was empty, the last row has
    // been passed, or a step failed (the failure then shows in CloseRS's result).
    virtual bool IsEOF() = 0;

    // Steps to the next row. True when there is one.
    virtual bool MoveNext() = 0;

    // Every GetFieldValue form first resets its outputs (empty text, 0, no
    // data), then looks `szName` up exactly (case-sensitive) among the result's
    // column names. An unknown name returns false and logs nothing. An SQL NULL
    // reads as an empty text, 0, or no data with size 0.

    // The value as bytes. `pData` stays valid until the next MoveNext or CloseRS.
    virtual bool GetFieldValue(const char* szName, const unsigned char*& pData, int32_t& nSize) = 0;
    // The value as text, bytes exactly as stored. With `bTrim`, spaces (0x20 only)
    // at both ends are removed; tabs, line breaks and inner spaces stay.
    virtual bool GetFieldValue(const char* szName, std::string& strValue, bool bTrim) = 0;
    // The value as a 64-bit integer, by SQLite's conversion rules.
    virtual bool GetFieldValue(const char* szName, int64_t& nValue) = 0;
    // The 64-bit value cut to its low 32 bits (4294967297 reads as 1).
    virtual bool GetFieldValue(const char* szName, int32_t& nValue) = 0;
    // The same cut, for callers that hold an unsigned 32-bit value.
    virtual bool GetFieldValue(const char* szName, uint32_t& nValue) = 0;

    // The names that can be read, in column order. Of columns sharing a name only
    // the last one is readable, so such a name is listed once, at its last place.
    virtual void GetFieldNames(std::vector<std::string>& vecNames) = 0;

    // The first step and the column names; run by ExecSQL only.
    virtual bool Init() = 0;
    // Finalizes the statement; run by CloseRS only. False (with a log line) when
    // the finalize reports an error, for example that of a step that failed.
    virtual bool Exit() = 0;
};
