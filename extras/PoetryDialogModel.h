/** @file PoetryDialogModel.h
 ** What the poetry window does, without the window: the fields, the shown poem and Insert; and the
 ** random-poem command that runs it unseen. **/
#pragma once

#include "extras/PoemLibrary.h"
#include "extras/PoetryFields.h"

#include <functional>
#include <string>

namespace editctl {
class PersianEdit;
}
namespace keymap {
class KeyMap;
class KeymapConverter;
}
namespace platform {
class MessageService;
class Random;
}

namespace extras {

/// Justifies glyph text of the document's keymap and returns the justified text. The caller gives
/// the real one (Justify on an edit window with the document's font); without one, nothing is justified.
using JustifyStep = std::function<std::string(const std::string& glyphText)>;

/// Justify as the text tools provide it: lines of `edit` justified into the converter's output,
/// the kashida found through the converter's source keymap.
using JustifyOperation = std::function<void(editctl::PersianEdit& edit, keymap::KeymapConverter& converter)>;

/// The poetry window's justify step: the text goes into `hidden` (an edit window never shown,
/// 1000 x 200 pixels, with the document's keymap, face and height), becomes the converter's input,
/// both of the converter's keymaps become the document's, and `justify` runs on `hidden`. The
/// step's result is the converter's output with as many lines as the text had. `hidden` and
/// `converter` must outlive the step.
JustifyStep JustifyOnHiddenEdit(editctl::PersianEdit& hidden, keymap::KeymapConverter& converter,
                                std::string documentKeymap, JustifyOperation justify);

/// Everything the poetry window works with, given by the command that opens it. Not owned.
struct PoetryContext {
    keymap::KeymapConverter& converter;
    std::string documentKeymap; // file name of the document's keymap
    std::string programFolder;
    platform::Random& random;
    platform::MessageService& messages;
    JustifyStep justify;
};

/// State of one poetry window. Fields hold what the user typed after the field rules applied;
/// `shown` keeps the last poem loaded, as the viewer keeps it when a number loads nothing.
class PoetryDialogModel {
public:
    static constexpr const char* PoemKeymap = "ziba2.kbd";
    static constexpr const char* Caption = "Kelmora";

    explicit PoetryDialogModel(PoetryContext context);

    /// Opening: takes the settings, opens the poem files (saying once when they cannot be read)
    /// and draws a random poem number, which loads that poem.
    void Open(const QuvelSettings& saved);

    /// The number of poems in the index (0 when the files cannot be read).
    int Count() const { return library.Count(); }
    /// A typed poem number after the field rule; loads the poem when it is 1 to Count.
    int SetNumber(int typed);
    int Number() const { return number; }
    /// Loads the poem whose number is in the number field; false when it loads nothing.
    bool LoadPoem();
    /// A new random number from 0 to Count (0 loads nothing), as at opening.
    int DrawNumber();
    const Poem& Shown() const { return shown; }

    /// Field rules for n, Tab1 and Tab2; each returns the value the field shows.
    int SetN(int typed);
    int SetTab1(int typed);
    int SetTab2(int typed);

    /// The choices as the fields show them; what "&Save'n Go" stores.
    QuvelSettings settings;

    /// Builds the result from the poem in the number field: the chosen lines converted from
    /// ziba2.kbd into the document's keymap, justified when asked, laid out, headed when asked.
    /// Empty when n is not within 1 to the poem's line count - 1; the window then stays open.
    std::string Insert();

private:
    void Report(const std::string& path);

    PoetryContext context;
    PoemLibrary library;
    Poem shown;
    int number = 0;
    bool reported = false;
};

/// The random-poem command: the undo snapshot, then a random poem by the saved choices (as
/// EditorSettings::Quvel reads them), without a window. Returns the text it inserted; an empty result leaves the document exactly as it was.
std::string InsertRandomPoem(editctl::PersianEdit& edit, keymap::KeymapConverter& converter,
                             const QuvelSettings& settings, platform::Random& random,
                             platform::MessageService& messages, const std::string& programFolder,
                             const JustifyStep& justify);

/// Puts a poetry result in place of the selection and marks the document modified; an empty result
/// changes nothing.
void ReplaceSelectionWithPoem(editctl::PersianEdit& edit, const std::string& result);

} // namespace extras
