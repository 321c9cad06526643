/** @file PoemFixture.h
 ** Writes small QIndex.dat and rDivan.dta files for tests, record by record. **/
#pragma once

#include "tests/fakes/TestEnvironment.h"

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace fakes {

using Couplet = std::pair<std::string, std::string>;

/// A 102-byte couplet record: the half-lines at bytes 2 and 52, padded with spaces to 49 bytes.
inline std::string CoupletRecord(const std::string& first, const std::string& second)
{
    std::string record(102, '\0');
    record.replace(2, 49, (first + std::string(49, ' ')).substr(0, 49));
    record.replace(52, 49, (second + std::string(49, ' ')).substr(0, 49));
    return record;
}

inline std::string IndexBytes(const std::vector<std::uint16_t>& entries)
{
    std::string bytes;
    for (const std::uint16_t e : entries) {
        bytes += static_cast<char>(e & 0xFF);
        bytes += static_cast<char>(e >> 8);
    }
    return bytes;
}

/// Writes the two files for these poems into `folder` and returns the index entries.
inline std::vector<std::uint16_t> WritePoems(const TempProgramFolder& folder, const std::vector<std::vector<Couplet>>& poems)
{
    std::vector<std::uint16_t> entries;
    std::string records;
    std::uint16_t total = 0;
    for (const auto& poem : poems) {
        for (const Couplet& c : poem)
            records += CoupletRecord(c.first, c.second);
        total = static_cast<std::uint16_t>(total + poem.size());
        entries.push_back(total);
    }
    folder.Write("rDivan.dta", records);
    folder.Write("QIndex.dat", IndexBytes(entries));
    return entries;
}

/// A poem of `couplets` couplets whose half-lines are "a1", "b1", "a2", "b2", ...
inline std::vector<Couplet> NumberedPoem(int couplets)
{
    std::vector<Couplet> poem;
    for (int i = 1; i <= couplets; ++i)
        poem.emplace_back("a" + std::to_string(i), "b" + std::to_string(i));
    return poem;
}

} // namespace fakes
