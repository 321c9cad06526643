#include "kbdedit/KeyboardGrid.h"

#include "keymap/PersianKeyboard.h"

namespace kbdedit {

const KeyCap GridCaps[4][13] = {
    {{"~", "پ"}, {"!", "١"}, {"@", "٢"}, {"#", "٣"}, {"$", "۴"}, {"%", "۵"}, {"^", "۶"},
     {"&", "٧"}, {"*", "٨"}, {"(", "٩"}, {")", "٠"}, {"-", "ـ"}, {"+", "="}},
    {{"Tab", ""}, {"Q", "ض"}, {"W", "ص"}, {"E", "ث"}, {"R", "ق"}, {"T", "ف"}, {"Y", "غ"},
     {"U", "ع"}, {"I", "ه"}, {"O", "خ"}, {"P", "ح"}, {"[", "ج"}, {"]", "چ"}},
    {{"Capslock", ""}, {"A", "ش"}, {"S", "س"}, {"D", "ی"}, {"F", "ب"}, {"G", "ل"}, {"H", "ا"},
     {"J", "ت"}, {"K", "ن"}, {"L", "م"}, {";", "ک"}, {"\"", "گ"}, {"Enter", ""}},
    {{"Shift", ""}, {"Z", "ظ"}, {"X", "ط"}, {"C", "ز"}, {"V", "ر"}, {"B", "ذ"}, {"N", "د"},
     {"M", "ئ"}, {"<", "و"}, {">", "لا"}, {"/", "؟"}, {"Shift", ""}, {"\\", "ژ"}},
};

const int CellKeyCodes[keymap::RecordCount] = {
    0xC0, 0x31, 0x32, 0x33, 0x34, 0x35, 0x36, 0x37, 0x38, 0x39, 0x30, 0xBD, 0xBB,
    0x09, 0x51, 0x57, 0x45, 0x52, 0x54, 0x59, 0x55, 0x49, 0x4F, 0x50, 0xDB, 0xDD,
    0x14, 0x41, 0x53, 0x44, 0x46, 0x47, 0x48, 0x4A, 0x4B, 0x4C, 0xBA, 0xDE, 0x0D,
    0x10, 0x5A, 0x58, 0x43, 0x56, 0x42, 0x4E, 0x4D, 0xBC, 0xBE, 0xBF, 0x10, 0xDC,
};

std::string CellName(int recordIndex)
{
    if (recordIndex < 0 || recordIndex >= keymap::RecordCount)
        return "?";
    const KeyCap& cap = GridCaps[recordIndex / keymap::GridColumns][recordIndex % keymap::GridColumns];
    std::string name = cap.legend;
    if (recordIndex == keymap::NoKeyRecord)
        name = "right " + name; // two cells are called Shift
    else if (recordIndex == 39)
        name = "left " + name;
    if (*cap.persian)
        name += std::string(" (") + cap.persian + ")";
    return name;
}

int CapGlyph(const keymap::KeyRecord& record)
{
    const bool ownGlyph = record.extIsolated == keymap::SymbolKey || record.extIsolated == keymap::DigitKey;
    return ownGlyph && record.keyCode != keymap::vk::H ? record.medial : record.isolated;
}


std::optional<GridCell> HitTest(int x, int y, PictureOffset offset)
{
    // C++ integer division truncates toward zero, which is the rule the grid is defined by.
    const long long column = (static_cast<long long>(x) + offset.dx) / CellSize;
    const long long rowPrime = (static_cast<long long>(y) + offset.dy + RowBias) / CellSize;
    if (column < 0 || column >= keymap::GridColumns || rowPrime < 1 || rowPrime > keymap::GridRows)
        return std::nullopt;
    return GridCell{static_cast<int>(column), static_cast<int>(rowPrime - 1)};
}

int CellLeft(GridCell cell) { return cell.column * CellSize; }
int CellTop(GridCell cell) { return CellSize + cell.row * CellSize; }

std::optional<GridCell> ArrowStep(GridCell from, ArrowKey key)
{
    GridCell to = from;
    switch (key) {
    case ArrowKey::Left: --to.column; break;
    case ArrowKey::Right: ++to.column; break;
    case ArrowKey::Up: --to.row; break;
    case ArrowKey::Down: ++to.row; break;
    }
    if (to.column < 0 || to.column >= keymap::GridColumns || to.row < 0 || to.row >= keymap::GridRows)
        return std::nullopt;
    return to;
}

} // namespace kbdedit
