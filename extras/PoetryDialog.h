/** @file PoetryDialog.h
 ** The poetry window "Quvel Poets...": browse the poems, choose lines and layout, insert. **/
#pragma once

#include "extras/PoetryDialogModel.h"
#include "keymap/KeyMap.h"

#include <QDialog>

#include <optional>
#include <string>

class QAbstractButton;
class QCheckBox;
class QLabel;
class QPushButton;
class QRadioButton;
class QScrollBar;
class QSpinBox;

namespace editctl {
class PersianEditWidget;
class PersianEdit;
}
namespace extras {

/// Shows a PoetryDialogModel: every control forwards to the model and shows what it holds.
/// The result is empty unless Insert built one; "&Save'n Go" writes the settings and closes.
class PoetryDialog : public QDialog {
    Q_OBJECT
public:
    PoetryDialog(PoetryContext context, const QuvelSettings& saved, QWidget* parent = nullptr);
    ~PoetryDialog() override;

    /// The text Insert built; empty when the window closed any other way.
    const std::string& Result() const { return insertResult; }
    /// The choices "&Save'n Go" asks to store; nothing when the window closed another way.
    const std::optional<QuvelSettings>& SavedSettings() const { return saved; }
    PoetryDialogModel& Model() { return model; }

    /// The viewer's font: "zibaa" 36, or a Persian face of the machine at that height when zibaa
    /// is not installed (the viewer then draws ziba2.kbd's glyphs as their display forms).
    static QFont ViewerFont();
    static constexpr int ViewerHeight = 36;
    static constexpr const char* PictureFile = "Quvel.bmp";

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void BuildControls();
    void BuildOptions();
    void ShowFields();
    void ShowPoem();
    void NumberTyped(int value);
    void ScrollTo(int position);
    void LoadFromField();
    void Insert();
    void SaveAndGo();

    PoetryDialogModel model;
    std::optional<QuvelSettings> saved;
    std::string programFolder;
    std::string insertResult;
    keymap::KeyMap poemKeymap;
    std::string shownText;

    editctl::PersianEditWidget* viewer = nullptr;
    QLabel* picture = nullptr;
    QScrollBar* scrollBar = nullptr;
    QSpinBox* number = nullptr;
    QSpinBox* lines = nullptr;
    QSpinBox* tab1 = nullptr;
    QSpinBox* tab2 = nullptr;
    QRadioButton* how[4] = {};
    QCheckBox* showNumber = nullptr;
    QCheckBox* justify = nullptr;
    QPushButton* poetic = nullptr;
    QPushButton* regular = nullptr;
};

/// How the poetry window ended: the text it inserted (empty: the document is as it was) and the
/// choices to store when it closed by "&Save'n Go" (for EditorSettings::WriteQuvel).
struct PoetryOutcome {
    std::string inserted;
    std::optional<QuvelSettings> saved;
};

/// The command 32807: the undo snapshot, the window shown modally, then its result in place of the
/// selection when there is one. The caller stores `saved` and gives the focus back to its editor.
PoetryOutcome RunPoetryDialog(QWidget* parent, editctl::PersianEdit& edit, keymap::KeymapConverter& converter,
                              const QuvelSettings& settings, platform::Random& random,
                              platform::MessageService& messages, const std::string& programFolder,
                              const JustifyStep& justify);

} // namespace extras
