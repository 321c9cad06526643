/** @file FindReplace.h
 ** Find and replace over the main edit control, with search texts typed in another font. **/
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <utility>

namespace editctl {
class EditWindow;
class PersianEdit;
}
namespace keymap {
class KeymapConverter;
}
namespace platform {
class MessageService;
}

namespace tools {

/// The keymap of the dialogs' own fields: whatever the document's font, searches are typed in it.
inline constexpr const char* FieldKeymap = "main.kbd";

/// The texts the main window keeps from one dialog to the next, as typed (field keymap glyphs).
struct SearchTexts {
    std::string search;
    std::string replacement;
};

/// What a search works on. None of it is owned; the converter is the main window's shared one,
/// and `documentKeymap` the file name of the keymap bound to `edit`.
struct FindTarget {
    editctl::PersianEdit& edit;
    keymap::KeymapConverter& converter;
    std::string documentKeymap;
    platform::MessageService& messages;
};

/// Who runs a find step: it decides the wording and caption of the not-found message.
enum class FindCaller { FindDialog, FindNextCommand, ReplaceDialog };

/// NoKeymap: the field's or the document's keymap did not load (reported), so nothing was searched.
enum class FindOutcome { Found, NotFound, EmptySearch, NoKeymap };

/// Typed text converted from the field keymap into the document's keymap (shapes chosen anew),
/// with spaces trimmed at both ends; none when a keymap did not load (the load reported why).
std::optional<std::string> PrepareText(const FindTarget& target, const std::string& typed);

/// First index at or after `from` where `needle` occurs in the text made of `parts` read in order
/// (the edit window's two runs), or -1. An empty needle is never found.
long FindInText(std::pair<std::string_view, std::string_view> parts, std::string_view needle, long from);

/// One search forward from the end of the selection; a match is selected and scrolled into view.
/// Not found asks Retry (search again from the top) or Cancel. An empty search does nothing.
FindOutcome FindStep(const FindTarget& target, const std::string& typedSearch, FindCaller caller);

/// The Find Next command: one find step with the last search. False when nothing was searched
/// yet, and the caller opens the Find dialog instead.
bool FindNextCommand(const FindTarget& target, const std::string& lastSearch);

/// The Replace dialog's work, with its one piece of state: whether the selection is a match that
/// Replace may overwrite.
class ReplaceSession {
public:
    explicit ReplaceSession(const FindTarget& target) : target(target) {}

    /// Find step from the Replace dialog; remembers whether a match is now selected.
    FindOutcome FindNext(const std::string& typedSearch);
    /// Overwrites the selected match with the replacement and looks for the next match; does
    /// nothing unless a find step selected a match.
    void Replace(const std::string& typedSearch, const std::string& typedReplacement);
    /// Replaces every occurrence present before it starts, left to right without overlaps, in one
    /// change of the text; the selection is put back where it was. Returns how many.
    int ReplaceAll(const std::string& typedSearch, const std::string& typedReplacement);
    bool MatchSelected() const { return matchSelected; }

private:
    FindTarget target;
    bool matchSelected = false;
};

/// Replace All with texts already prepared: the occurrences of `search` present before it starts,
/// taken left to right without overlaps, become `replacement` in one change of the text; the
/// caret visits the top, and the selection ends where it was (as positions). Returns how many;
/// an empty search replaces nothing.
int ReplaceAllIn(editctl::EditWindow& window, std::string_view search, std::string_view replacement);

/// The message after Replace All: the count when there was one, else that nothing matched.
void ReportReplaceAll(platform::MessageService& messages, int count);

} // namespace tools
