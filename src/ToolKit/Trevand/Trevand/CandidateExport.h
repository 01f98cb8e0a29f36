// The candidate list of one drive as a CSV file for the operator's records
// or a spreadsheet: one line per row, top to bottom as the list shows them.
#pragma once

#include <string>
#include <vector>

#include "ToolKit/Trevand/Trevand/ListedCandidate.h"
#include "comm/platform/Clock.h"

// The file's bytes: UTF-8 with a byte order mark (so a spreadsheet reads the
// Chinese names right), CR LF line ends, a title line, then per row: name,
// path, kind (目录/文件), size in bytes (empty while a folder's is unknown,
// with a "+" after it when part of the folder could not be read),
// modified time as the list shows it, and 是/否 for the tick. Fields are
// written as CsvField writes them.
std::string CandidateCsv(const std::vector<TListedCandidate>& rows);

// One CSV field from a code page 936 text, converted to UTF-8. A text
// beginning with "=", "+", "-", "@", a tab or a carriage return gets a
// leading apostrophe, so a spreadsheet shows it instead of running it as a
// formula; every other text is kept as it is. Then a field with a comma, a
// double quote or a line break is quoted, a quote doubled.
std::string CsvField(const std::string& text);

// A whole CSV file of code page 936 texts, one inner vector per line, each
// text written as CsvField writes it: UTF-8 with a byte order mark, CR LF
// line ends.
std::string CsvText(const std::vector<std::vector<std::string>>& lines);

// "候选_E_20261210_140312.csv": the drive letter and the local time of the
// export, to the second, so exports never overwrite each other in practice
// and sort by time in a folder listing.
std::string CandidateCsvName(char drive, const platform::LocalTime& when);

// Writes `bytes` as the whole content of `path`. False when the file cannot
// be created or written.
bool WriteWholeFile(const std::string& path, const std::string& bytes);
