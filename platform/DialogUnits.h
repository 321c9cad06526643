/** @file DialogUnits.h
 ** Dialog-unit layout: positions given in dialog units, turned into pixels with the base units of
 ** the dialog's font (a quarter of its average character width, an eighth of its height). **/
#pragma once

namespace platform {

/// A rectangle in pixels or dialog units.
struct UnitRect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    friend bool operator==(const UnitRect&, const UnitRect&) = default;
};

/// Converts dialog units with a font's base units, rounding to the nearest pixel as dialog
/// templates always have.
class DialogUnits {
public:
    DialogUnits(int baseX, int baseY) : baseX(baseX > 0 ? baseX : 1), baseY(baseY > 0 ? baseY : 1) {}
    int X(int units) const { return Scale(units, baseX, 4); }
    int Y(int units) const { return Scale(units, baseY, 8); }
    UnitRect Rect(int x, int y, int width, int height) const { return {X(x), Y(y), X(width), Y(height)}; }
    int BaseX() const { return baseX; }
    int BaseY() const { return baseY; }

private:
    static int Scale(int value, int numerator, int denominator)
    {
        const long long product = static_cast<long long>(value) * numerator;
        const long long half = denominator / 2;
        return static_cast<int>(product >= 0 ? (product + half) / denominator : -((-product + half) / denominator));
    }
    int baseX;
    int baseY;
};

} // namespace platform
