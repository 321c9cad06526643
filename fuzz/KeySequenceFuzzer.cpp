/** @file KeySequenceFuzzer.cpp
 ** Fuzzes PersianEdit with key sequences, window sizes, DOS mode and keymaps taken from the input,
 ** checking the control's invariants after every key. **/
#include "editctl/PersianEdit.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

namespace {

/// A letter layout like the shipped fonts': four shapes a key from 0x80 up, digits, lam-alef.
keymap::KeyTable BaseTable()
{
    static const int keys[] = {'Q', 'W', 'E', 'R', 'T', 'Y', 'U', 'I', 'O', 'P', 'A', 'S', 'D',
                               'F', 'G', 'H', 'J', 'K', 'L', 'Z', 'X', 'C', 'V', 'B', 'N', 'M'};
    keymap::KeyTable t{};
    for (int i = 0; i < 26; ++i) {
        keymap::KeyRecord& r = t[static_cast<size_t>(14 + i)];
        r.keyCode = keys[i];
        r.isolated = 0x80 + i * 4 % 128;
        r.final = r.isolated + 1;
        r.medial = (i % 5 == 0) ? 0 : r.isolated + 2;
        r.initial = (i % 5 == 0) ? 0 : r.isolated + 3;
    }
    for (int d = 0; d < 10; ++d) {
        keymap::KeyRecord& r = t[static_cast<size_t>(1 + d)];
        r.keyCode = '0' + d;
        r.medial = '0' + d;
        r.final = '!' + d;
        r.extIsolated = keymap::DigitKey;
    }
    t[48].keyCode = 0xBE;
    t[48].isolated = 0xE8;
    t[48].final = 0xE9;
    t[38].extInitial = 1;
    return t;
}

void Check(bool condition)
{
    if (!condition)
        std::abort();
}

void CheckInvariants(const editctl::PersianEdit& edit)
{
    const editctl::EditWindow& w = edit.Window();
    const int length = w.GetTextLength();
    for (int index : {w.Anchor(), w.Caret()}) {
        Check(index >= 0 && index <= length);
        Check(!(index > 0 && index < length && w.CharAt(index - 1) == '\r' && w.CharAt(index) == '\n'));
    }
    Check(w.LineStartsNow() == w.FreshWrap());
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 3)
        return 0;
    const std::uint8_t config = data[0];
    const int width = 20 + data[1] * 4;
    data += 2;
    size -= 2;
    keymap::KeyTable table = BaseTable();
    if (config & 0x08) {
        // A hostile keymap: any byte in any field.
        for (auto& record : table) {
            for (int f = 0; f < 9 && size > 0; ++f, ++data, --size)
                record.SetField(f, *data);
        }
    }
    keymap::KeyMap map;
    map.SetRecords(table, "fuzz.kbd");
    editctl::FixedGlyphMetrics metrics{7, 14};
    metrics.SetAdvance(' ', 4);
    editctl::MemoryClipboard clipboard;
    const bool multi = (config & 0x01) != 0;
    editctl::PersianEdit edit{multi ? editctl::WindowStyle::MultiLine : editctl::WindowStyle::SingleLine};
    edit.dosMode = (config & 0x02) != 0;
    edit.maxChars = 5 + (config >> 4);
    edit.tabWidth = config & 0x04 ? 0 : 3;
    edit.SetKeyMap(&map);
    edit.SetMetrics(&metrics);
    edit.SetEditFont("fuzz", 14);
    edit.Resize(width, 100);
    edit.Window().SetClipboard(&clipboard);
    editctl::PersianEdit::digitRun = 0;
    for (; size >= 2; data += 2, size -= 2) {
        const editctl::KeyEvent key{data[0], (data[1] & 1) != 0, (data[1] & 2) != 0};
        if (data[1] & 4)
            edit.Window().MousePress({data[1] * 3, data[0] % 60}, (data[1] & 8) != 0);
        edit.DeliverKey(key);
        CheckInvariants(edit);
        if (edit.CanUndo() && (data[1] & 0x80)) {
            const std::string expected = edit.UndoText();
            edit.Undo();
            Check(edit.Window().GetText() == expected);
        }
    }
    return 0;
}
