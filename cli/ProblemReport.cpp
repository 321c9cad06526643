#include "cli/ProblemReport.h"

namespace cli {

namespace {
constexpr const char* Program = "kelmora-convert";
}

std::string WithThousands(long long n)
{
    std::string digits = std::to_string(n < 0 ? -n : n);
    for (size_t i = digits.size(); i > 3; i -= 3)
        digits.insert(i - 3, ",");
    return n < 0 ? "-" + digits : digits;
}

ProblemReport::ProblemReport(std::FILE* err, std::string inName, Detail detail)
    : err(err), inName(std::move(inName)), detail(detail)
{
}

void ProblemReport::Count(Kind& kind, int line, int column)
{
    if (kind.count < 3)
        kind.first[kind.count] = Place{line, column};
    ++kind.count;
    ++total;
    if (detail == Detail::EveryPlace)
        std::fprintf(err, "%s: %s:%d:%d: %s\n", Program, inName.c_str(), line, column, kind.text.c_str());
}

void ProblemReport::Finish()
{
    if (total == 0)
        return;
    for (const Kind& k : kinds) {
        std::string places;
        for (long long i = 0; i < k.count && i < 3; ++i)
            places += (i ? ", " : "") + std::to_string(k.first[i].line) + ":" + std::to_string(k.first[i].column);
        const std::string times = k.count == 1 ? "once, at " : WithThousands(k.count) + (k.count > 3 ? " times, first at " : " times, at ");
        std::fprintf(err, "%s: %s: %s: %s%s\n", Program, inName.c_str(), k.text.c_str(), times.c_str(), places.c_str());
    }
    std::fprintf(err, "%s: %s: %s %s not written as %s (%s %s)\n", Program, inName.c_str(), WithThousands(total).c_str(),
                 total == 1 ? "character" : "characters", total == 1 ? "it was" : "they were",
                 WithThousands(static_cast<long long>(kinds.size())).c_str(), kinds.size() == 1 ? "kind" : "kinds");
}

} // namespace cli
