/** @file StatisticsDialog.h
 ** The statistics dialog (164): words by frequency in the reference font, with Copy as Unicode;
 ** and the Statistics command that counts and shows it. **/
#pragma once

#include "tools/WordStatistics.h"

#include <QDialog>

#include <memory>
#include <string>
#include <vector>

class QListView;
class QPushButton;

namespace editctl {
class Clipboard;
class DisplayFont;
class PersianEdit;
}
namespace keymap {
class KeyMap;
}

namespace tools {

/// Shows result lines (list 1049, face "Zarvineth" 12 through the reference keymap's display
/// forms when that face is missing) under three column labels in glyph codes (1056, 1052, 1053).
/// "OK" (1) closes; Ctrl+C and "Copy" put every line on the clipboard as Unicode text.
class StatisticsDialog : public QDialog {
    Q_OBJECT
public:
    StatisticsDialog(std::vector<RankedWord> words, const keymap::KeyMap& referenceMap, editctl::Clipboard& clipboard,
                     QWidget* parent = nullptr);
    ~StatisticsDialog() override;

    QListView* List() const { return list; }
    QPushButton* OkButton() const { return ok; }
    QPushButton* CopyButton() const { return copy; }
    /// The result lines as shown ("%4s%25s  <%4d"), reference-keymap glyphs.
    const std::vector<std::string>& Lines() const { return lines; }

    void CopyAll();

private:
    std::vector<RankedWord> words;
    std::vector<std::string> lines;
    const keymap::KeyMap& referenceMap;
    editctl::Clipboard& clipboard;
    QListView* list;
    QPushButton* ok;
    QPushButton* copy;
};

/// What the Statistics command needs of the main window. Nothing is owned.
struct StatisticsContext {
    editctl::PersianEdit& edit;            // the main edit control
    keymap::KeymapConverter& converter;    // the shared converter, with the status bar as its progress display
    std::string documentKeymap;            // file name of the keymap bound to `edit`
    const platform::KeyState& keys;        // polled for the Shift + Control cancel
    platform::ProgressDisplay* progress;   // the status bar's progress mode
    QWidget* mainWindow;                   // its caption shows how to cancel while counting
    editctl::Clipboard& clipboard;         // where Copy puts the lines
};

/// The Statistics command: converts the document into kolb.kbd with progress, counts (Shift and
/// Control cancel), and runs the dialog modally unless cancelled while collecting. The caller
/// gives the focus back to the main edit control.
void RunStatisticsCommand(const StatisticsContext& context);

} // namespace tools
