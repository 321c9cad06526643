/** @file DialogBar.h
 ** The dialog bar: keymap box, face name, Set Font, size box, the scratch controls, the keymap
 ** editor launcher and the hidden focus buttons and side lists, each named by its id. **/
#pragma once

#include "platform/DataFolders.h"

#include <QToolBar>

#include <string>
#include <vector>

class QComboBox;
class QLineEdit;
class QPushButton;
class QToolButton;

namespace extras {
class ScratchTable;
}

namespace app {

/// Names longer than the window's 79-character fields are cut to 79.
std::string FitField(const std::string& name);

class DialogBar : public QToolBar {
    Q_OBJECT
public:
    explicit DialogBar(QWidget* parent = nullptr);

    QComboBox* KeymapBox() const { return keymapBox; }
    QLineEdit* FaceNameBox() const { return faceNameBox; }
    QComboBox* SizeBox() const { return sizeBox; }
    QComboBox* ScratchBox() const { return scratchBox; }

    void ShowFaceName(const std::string& face);
    void ShowSize(int size);
    /// Fills the keymap box with the sorted names and selects `current` (case-insensitive), or
    /// else the entry that begins with it (searched from the second entry, wrapping to the first).
    void FillKeymapBox(std::vector<std::string> names, const std::string& current);
    /// The same from the merged keymap list: the user's own keymaps are shown in bold, and every
    /// entry's tip says whose it is and where it lives.
    void FillKeymapBox(const std::vector<platform::KeymapEntry>& keymaps, const std::string& current);
    /// Mirrors the scratch table: face names in the scratch box (1002), keymap names and sizes in
    /// the hidden lists (1006, 1007), the table's selection in all three.
    void ShowScratch(const extras::ScratchTable& table);
    /// Selects the keymap box's entry that begins with `name` (the prefix search), without
    /// announcing a change. False when none does.
    bool SelectKeymapPrefix(const std::string& name);

signals:
    /// A control was used: the keymap box (1004) or size box (1010) selection changed, or a button
    /// (1003, 1000, 1005, 1013, 1011, 1012) was clicked; the scratch box (1002) selection changed.
    void Command(int id);

private:
    QPushButton* AddButton(int id, const QString& text, QWidget* parent);

    QComboBox* keymapBox;
    QLineEdit* faceNameBox;
    QComboBox* sizeBox;
    QComboBox* scratchBox;
};

} // namespace app
