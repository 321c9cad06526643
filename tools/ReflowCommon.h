/** @file ReflowCommon.h
 ** Steps the Resemble and Justify commands share: loading the converter's keymaps and putting
 ** the result into the edit control. **/
#pragma once

#include <string>

namespace editctl {
class PersianEdit;
}
namespace keymap {
class KeymapConverter;
}

namespace tools {

/// The converter loads the edit control's bound keymap as source and the window's current keymap
/// as destination, as every text-moving command does right before use. False when either did not
/// load (the load reported why): then nothing may be converted.
bool LoadReflowKeymaps(const editctl::PersianEdit& edit, keymap::KeymapConverter& converter,
                       const std::string& currentKeymapName);

/// Sets the whole text once; the document counts as modified when the text changed.
void PutReflowedText(editctl::PersianEdit& edit, const std::string& text);

/// Spaces a margin or indentation setting stands for, kept within 0..MaxMarginSpaces.
std::string MarginSpaces(int count);

} // namespace tools
