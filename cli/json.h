#pragma once
// The results as one JSON object. Texts inside are Windows-1252; the object
// is converted to UTF-8 as it is written out.
#include <string>
#include <string_view>

#include "results/results.h"

// The object's keys, one per result part, in the order they are written.
inline constexpr std::string_view kResultKeys[kResultPartCount] = {
    "date1",      "date2",     "label1",    "label2", "facts1", "facts2",
    "difference", "calendar1", "calendar2", "span",   "info1",  "info2", "workdays"};

// Reads a comma-separated list of keys. On an unknown or empty key returns
// false with that key in bad.
bool ParseResultFields(std::string_view list, ResultPartsT& parts, std::string& bad);

// "date1, date2, ...": the keys for a message.
std::string ResultKeyList();

void AppendJsonString(std::string& out, std::string_view ansi);
// Writes the keys of parts only, in the order of kResultKeys. The working
// days (the key "workdays", and "workday" and "holiday" in info1 and info2)
// are written only when the results count them.
void AppendJsonResults(std::string& out, const ResultsT& results, ResultPartsT parts = kAllResultParts);
std::string JsonResults(const ResultsT& results, ResultPartsT parts = kAllResultParts);
