#pragma once
// The words of the download step in the window's language: the sizes and
// failures of its status lines. Entries 131 to 134 came with a later version of the language
// files; an older file gets the English below.
#include <cstdint>
#include <string>

#include "state/language_tables.h"

namespace sextrix {

// "512 bytes received" under 1 KB, else "12 KB received" (whole kilobytes,
// halves to even), so that a small answer never reads as 0 KB.
std::string receivedText(const LanguageTables& lang, std::uint64_t bytes);

// "16384 KB": a size limit in whole kilobytes with the language's unit.
std::string kilobyteText(const LanguageTables& lang, std::uint64_t bytes);

// A server's refusal: its status code in the language's words ("HTTP 404
// error"), never the server's own reason phrase.
std::string httpFailureText(const LanguageTables& lang, int status);

// The update server gave no answer at all.
std::string updateSilentText(const LanguageTables& lang, const std::string& host);

}  // namespace sextrix
