/** @file KeymapFileChooser.h
 ** The one file chooser of Dorvantile for keymap files: it opens for Load and saves for Save As,
 ** with a decorative panel. **/
#pragma once

#include <QFileDialog>

#include <optional>
#include <string>

namespace kbdedit {

/// SaveAs and Load use the keymap chooser; the table commands choose a table text.
enum class ChooserPurpose { SaveAs, Load, ExportTable, ImportTable };

class KeymapFileChooser {
public:
    explicit KeymapFileChooser(QWidget* parent);

    /// Sets the title, the overwrite prompt and the folder of `currentPath` for one use.
    void Prepare(ChooserPurpose purpose, const std::string& currentPath);
    /// Prepares and shows the chooser; the chosen path, or none when the user cancels. The options
    /// that Load changes are restored afterwards.
    std::optional<std::string> Choose(ChooserPurpose purpose, const std::string& currentPath);
    QFileDialog& Dialog() { return dialog; }

private:
    QFileDialog dialog;
};

} // namespace kbdedit
