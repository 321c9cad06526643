/** @file SearchField.h
 ** The one-line Persian fields of the find and replace dialogs, and the key handling the dialogs share. **/
#pragma once

#include "editctl/PersianEditWidget.h"
#include "tools/FindReplace.h"
#include "keymap/KeyMap.h"

#include <QDialog>
#include <QRect>

#include <string>
#include <vector>

class QPushButton;

namespace tools {

/// Face and height of the dialogs' fields and of the statistics labels.
inline constexpr const char* FieldFace = "nasim web homa";
inline constexpr int FieldHeight = 22;

/// A single-line PersianEdit widget bound to `map` (the dialog's own main.kbd keymap), in the
/// field font, at a pixel rectangle, named by its control id, showing `text`.
editctl::PersianEditWidget* CreateSearchField(QWidget* parent, keymap::KeyMap* map, int id, const QRect& rect,
                                              const std::string& text);

/// A push button at a pixel rectangle, named by its control id.
QPushButton* CreateDialogButton(QWidget* parent, int id, const char* text, const QRect& rect);

/// Base of the find and replace dialogs: their keys come to it before the focused control's own
/// handling. Tab moves through a fixed cycle of controls when the key comes up (Shift: backward),
/// and its key-down goes nowhere; Esc and every other way of closing store the fields' texts first.
class SearchDialog : public QDialog {
    Q_OBJECT
public:
    SearchDialog(const FindTarget& target, QWidget* parent);
    int FocusIndex() const { return focusIndex; }
    /// The controls of the Tab cycle, in order.
    const std::vector<QWidget*>& FocusCycle() const { return cycle; }

    void reject() override;

protected:
    /// Called once the controls exist: installs the key handling on each of them.
    void SetFocusCycle(std::vector<QWidget*> controls);
    void FocusControl(int index);
    /// Copies the fields' unconverted texts into the dialog's own copies.
    virtual void StoreTexts() = 0;
    /// Enter pressed and released on a control of the cycle; true when handled.
    virtual bool EnterDown(QWidget* control) = 0;
    virtual void EnterUp() = 0;

    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;

    FindTarget target;
    keymap::KeyMap fieldMap;

private:
    std::vector<QWidget*> cycle;
    int focusIndex = 0;
};

} // namespace tools
