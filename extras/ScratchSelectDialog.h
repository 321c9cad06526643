/** @file ScratchSelectDialog.h
 ** The Scratch Select dialog (F12): a keyboard-driven grid of the scratch table's face names. **/
#pragma once

#include "extras/ScratchSelector.h"

#include <QDialog>
#include <QImage>
#include <QWidget>

#include <memory>
#include <optional>
#include <string>

class QPushButton;

namespace extras {

inline constexpr int ScratchSelectDialogId = 177;
inline constexpr int ScratchGridId = 1076;
inline constexpr int ScratchOkId = 3;
inline constexpr int ScratchCancelId = 2;

/// Draws a ScratchSelector: tiles, names, the selected cell in yellow and the scroll indicator.
class ScratchGrid : public QWidget {
    Q_OBJECT
public:
    explicit ScratchGrid(QWidget* parent = nullptr);
    ScratchSelector& Selector() { return selector; }
    const ScratchSelector& Selector() const { return selector; }
    void Key(GridKey key);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void DrawCell(QPainter& p, int row, int column, bool selected) const;
    ScratchSelector selector;
    QImage tile;
    QImage selectedTile;
};

/// "Select Font from Scratch tabel ...": Enter is Ok, the arrows, Page Up and Down, Home and End
/// move in the grid, Esc cancels. After Ok the grid's first visible row and selection are what
/// the program stores ("FVL", "SelPos").
class ScratchSelectDialog : public QDialog {
    Q_OBJECT
public:
    explicit ScratchSelectDialog(std::vector<std::string> names, QWidget* parent = nullptr);
    /// The dialog over the names saved in `scratchPath`; when the file cannot be read its full
    /// path is shown (caption "Kelmora") and the grid is empty.
    static std::unique_ptr<ScratchSelectDialog> FromFile(const std::string& scratchPath, QWidget* parent = nullptr);

    ScratchGrid* Grid() const { return grid; }
    QPushButton* OkButton() const { return ok; }
    QPushButton* CancelButton() const { return cancel; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    ScratchGrid* grid;
    QPushButton* ok;
    QPushButton* cancel;
};

/// What Ok of the Scratch Select dialog chose: the index to apply, and the grid's place to store.
struct ScratchChoice {
    int selection = 0;
    int firstVisibleRow = 0;
};

/// The Scratch Select command: opens the dialog over the face names of the table in memory (so
/// entries added since start-up are there and indices match the scratch box), with the stored
/// place of the grid and the scratch box's selection `boxSelection` (-1 for none); the choice on Ok.
std::optional<ScratchChoice> RunScratchSelect(QWidget* parent, std::vector<std::string> names, int storedFirstRow,
                                              int storedSelection, int boxSelection);

} // namespace extras
