/** @file KeymapWarningsDialog.h
 ** The small window that lists a keymap's warnings, each with a jump to its key; before a save it
 ** also offers to save all the same. **/
#pragma once

#include "kbdedit/KeymapChecker.h"

#include <QDialog>

#include <optional>
#include <vector>

class QListWidget;
class QPushButton;

namespace kbdedit {

/// Whether the window was opened by the check command or by a save.
enum class WarningsPurpose { Check, BeforeSaving };

class KeymapWarningsDialog : public QDialog {
    Q_OBJECT
public:
    KeymapWarningsDialog(const std::vector<KeymapWarning>& warnings, WarningsPurpose purpose, QWidget* parent = nullptr);

    /// The record the user asked to jump to, if the window closed that way.
    std::optional<int> JumpTarget() const { return jumpTarget; }
    QListWidget& List() { return *list; }

public slots:
    /// Jumps to the key of the selected warning and closes the window.
    void Jump();

private:
    std::vector<KeymapWarning> warnings;
    QListWidget* list = nullptr;
    QPushButton* jump = nullptr;
    std::optional<int> jumpTarget;
};

} // namespace kbdedit
