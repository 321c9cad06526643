#include "extras/VerseLayout.h"

#include "platform/Clock.h"

#include <cstdio>

namespace extras {

std::optional<std::string> ChooseLines(const Poem& poem, LineChoice choice, int n, platform::Random& random)
{
    const int lines = poem.LineCount();
    if (n < 1 || n >= lines)
        return std::nullopt;
    switch (choice) {
    case LineChoice::All: return poem.text;
    case LineChoice::Last: return poem.Lines(lines - n, lines);
    case LineChoice::First: return poem.Lines(0, n);
    case LineChoice::Random: break;
    }
    const int k = lines - n + 1;
    int r = random.Next() % k;
    if (r % 2 != 0)
        r = (r + 1) % k;
    return poem.Lines(r, r + n);
}

std::string LayOutVerse(const std::string& text, VerseLayout layout, int poemLineCount, int tab1, int tab2)
{
    const int mean = (tab1 + tab2) / 2;
    const std::string s1(tab1 > 0 ? static_cast<std::size_t>(tab1) : 0, ' ');
    const std::string s2(tab2 > 0 ? static_cast<std::size_t>(tab2) : 0, ' ');
    const std::string s3(mean > 0 ? static_cast<std::size_t>(mean) : 0, ' ');
    std::string out;
    out.reserve(text.size() + text.size() / 4);
    int line = 0;
    for (const char c : text) {
        if (c == '\r') {
            ++line;
            if (layout == VerseLayout::Regular)
                out += s1;
            else if (line > poemLineCount - 2)
                out += s3;
            else
                out += line % 2 != 0 ? s1 : s2;
        }
        out += c;
    }
    return out;
}

std::string PoemHeader(int number)
{
    char header[40];
    std::snprintf(header, sizeof header, "-- ( %d ) --%c%c", number, '\r', '\n');
    return header;
}

} // namespace extras
