/** @file KeyModifyDialog.h
 ** The key modification dialog ("Modify Data"): the key code and the eight glyph fields of the
 ** highlighted key, each chosen from a list of all 256 codes drawn in the display font. **/
#pragma once

#include "keymap/KeyRecord.h"

#include <QDialog>
#include <QFont>

#include <array>
#include <memory>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace kbdedit {

class KeymapEditor;

/// One object for the program's life, shown modally for the highlighted cell. Every showing
/// rebuilds its labels and lists from the editor's records; only "&Save Setting" stores anything.
class KeyModifyDialog : public QDialog {
    Q_OBJECT
public:
    /// `displayFont` belongs to the main window and may be replaced between showings.
    KeyModifyDialog(KeymapEditor& editor, const QFont& displayFont, QWidget* parent = nullptr);
    ~KeyModifyDialog() override;

    /// Face and height of the label font, made at each opening.
    static constexpr const char* LabelFace = "nasim web homa";
    static constexpr int LabelHeight = 24;

public slots:
    /// "&Save Setting": reads the key code and the eight selected indexes and stores the record.
    void SaveSetting();

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void BuildControls();
    void Populate();
    QComboBox* MakeGlyphList(int id, int x, int y);

    KeymapEditor& editor;
    const QFont& displayFont;
    std::unique_ptr<QFont> labelFont;
    QLabel* keyLabel = nullptr;
    QLineEdit* scanCode = nullptr;
    std::array<QLabel*, 4> shapeLabels{};
    std::array<QComboBox*, 8> glyphLists{};
};

} // namespace kbdedit
