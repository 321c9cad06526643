/** @file ProblemReport.h
 ** What a conversion did not write as it was: each kind once, with its count and first places. **/
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <unordered_map>
#include <vector>

namespace cli {

/// Collects the characters a conversion left out or replaced and writes them to standard error:
/// one line per kind ("U+00AB « has no glyph in ziba2.kbd: 41,206 times, first at 1:39, 1:40,
/// 1:43") and a total. With EveryPlace each place is also written as it is found, so memory stays
/// bounded by the number of kinds either way.
class ProblemReport {
public:
    enum class Detail : unsigned char { Summary, EveryPlace };

    ProblemReport(std::FILE* err, std::string inName, Detail detail);

    /// One problem of the kind `kind` (any number that tells kinds apart) at line:column; `describe`
    /// gives the kind's text and is called once per kind.
    template <class Describe>
    void Add(std::uint64_t kind, int line, int column, const Describe& describe)
    {
        auto [it, added] = index.try_emplace(kind, kinds.size());
        if (added)
            kinds.push_back(Kind{describe(), 0, {}});
        Count(kinds[it->second], line, column);
    }

    /// Writes the lines of each kind and the total; nothing when there was no problem.
    void Finish();
    bool Empty() const { return total == 0; }

private:
    struct Place {
        int line;
        int column;
    };
    struct Kind {
        std::string text;
        long long count;
        Place first[3];
    };
    void Count(Kind& kind, int line, int column);

    std::FILE* err;
    std::string inName;
    Detail detail;
    std::unordered_map<std::uint64_t, size_t> index;
    std::vector<Kind> kinds;
    long long total = 0;
};

/// 41206 as "41,206".
std::string WithThousands(long long n);

} // namespace cli
