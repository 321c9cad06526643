#include "keymap/BidiLayout.h"

#include <fribidi.h>

#include <numeric>

namespace keymap::bidi {

Properties PropertiesOf(char32_t c)
{
    Properties p;
    p.type = fribidi_get_bidi_type(c);
    // Only characters that stay neutral pair as brackets.
    p.bracket = p.type == FRIBIDI_TYPE_ON ? fribidi_get_bracket(c) : FRIBIDI_NO_BRACKET;
    return p;
}

Kind KindOf(const Properties& p)
{
    const FriBidiCharType t = p.type;
    if (FRIBIDI_IS_STRONG(t))
        return FRIBIDI_IS_RTL(t) ? Kind::Rtl : Kind::Ltr;
    if (FRIBIDI_IS_NUMBER(t))
        return Kind::Number;
    return Kind::Neutral;
}

bool IsOpeningBracket(const Properties& p) { return FRIBIDI_IS_BRACKET_OPEN(p.bracket); }

bool IsNumberTerminator(const Properties& p) { return p.type == FRIBIDI_TYPE_ET; }

bool SameBracket(const Properties& a, const Properties& b)
{
    return a.bracket && FRIBIDI_BRACKET_ID(a.bracket) == FRIBIDI_BRACKET_ID(b.bracket);
}

char32_t MirrorOf(char32_t c)
{
    FriBidiChar mirrored = 0;
    return fribidi_get_mirror_char(c, &mirrored) && mirrored != c ? static_cast<char32_t>(mirrored) : 0;
}

bool RtlLineLayout::Layout(const Properties* chars, std::size_t n)
{
    types.resize(n);
    brackets.resize(n);
    levels.resize(n);
    for (std::size_t i = 0; i < n; ++i) {
        types[i] = chars[i].type;
        brackets[i] = chars[i].bracket;
    }
    const auto length = static_cast<FriBidiStrIndex>(n);
    FriBidiParType direction = FRIBIDI_PAR_RTL;
    if (n > 0 && !fribidi_get_par_embedding_levels_ex(types.data(), brackets.data(), length, &direction, levels.data()))
        return false;
    order.resize(n);
    std::iota(order.begin(), order.end(), 0);
    // The reordering also puts whitespace at the end of the line at the paragraph's level.
    if (n > 0 && !fribidi_reorder_line(0, types.data(), length, 0, direction, levels.data(), nullptr, order.data()))
        return false;
    return true;
}

} // namespace keymap::bidi
