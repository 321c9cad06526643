/** @file UnicodeFileDialog.h
 ** The dialogs of Import Unicode Text and Export as Unicode Text; export also asks for the line ends. **/
#pragma once

#include "app/UnicodeDocument.h"

#include <QFileDialog>

#include <optional>
#include <string>

class QComboBox;

namespace app {

/// A non-native file dialog for UTF-8 text files, created once and reused. It starts in the folder
/// shown last by this dialog (or the user's home).
class UnicodeFileDialog : public QFileDialog {
    Q_OBJECT
public:
    enum class Kind { Import, Export };
    UnicodeFileDialog(Kind kind, QWidget* parent = nullptr);

    struct Choice {
        std::string path;
        LineEnds ends = LineEnds::Lf;
    };
    /// Runs the dialog modally; the chosen full path and line ends, or nothing unless it ended with OK.
    /// `suggested`, when given, is the file offered: its folder is shown unless this dialog has
    /// shown another one in this run, and its name is filled in.
    std::optional<Choice> Run(const std::string& suggested = {});
    /// The export dialog's line-end box (object name "LineEnds"); null for import.
    QComboBox* LineEndBox() const { return lineEnds; }

private:
    QComboBox* lineEnds = nullptr;
    QString lastFolder;
};

} // namespace app
