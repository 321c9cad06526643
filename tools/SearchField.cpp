#include "tools/SearchField.h"

#include <QKeyEvent>
#include <QPushButton>
#include <QString>

namespace tools {

editctl::PersianEditWidget* CreateSearchField(QWidget* parent, keymap::KeyMap* map, int id, const QRect& rect,
                                              const std::string& text)
{
    auto* field = new editctl::PersianEditWidget(editctl::WindowStyle::SingleLine, parent);
    field->setObjectName(QStringLiteral("id%1").arg(id));
    field->SetKeyMap(map);
    field->SetEditFont(FieldFace, FieldHeight);
    field->setGeometry(rect);
    field->Window().SetText(text);
    return field;
}

QPushButton* CreateDialogButton(QWidget* parent, int id, const char* text, const QRect& rect)
{
    auto* button = new QPushButton(QString::fromUtf8(text), parent);
    button->setObjectName(QStringLiteral("id%1").arg(id));
    button->setGeometry(rect);
    button->setAutoDefault(false);
    return button;
}

SearchDialog::SearchDialog(const FindTarget& target, QWidget* parent) : QDialog(parent), target(target)
{
    // A missing main.kbd is reported by the load; the fields then type nothing, as any control
    // without a keymap does.
    fieldMap.Load(FieldKeymap);
}

void SearchDialog::SetFocusCycle(std::vector<QWidget*> controls)
{
    cycle = std::move(controls);
    for (QWidget* control : cycle)
        control->installEventFilter(this);
}

void SearchDialog::FocusControl(int index)
{
    if (cycle.empty())
        return;
    focusIndex = index;
    cycle[static_cast<size_t>(index)]->setFocus(Qt::OtherFocusReason);
}

void SearchDialog::reject()
{
    StoreTexts();
    QDialog::reject();
}

void SearchDialog::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    FocusControl(0);
}

bool SearchDialog::eventFilter(QObject* watched, QEvent* event)
{
    const QEvent::Type type = event->type();
    if (type != QEvent::KeyPress && type != QEvent::KeyRelease && type != QEvent::ShortcutOverride)
        return QDialog::eventFilter(watched, event);
    auto* key = static_cast<QKeyEvent*>(event);
    const int code = key->key();
    const bool tab = code == Qt::Key_Tab || code == Qt::Key_Backtab;
    const bool enter = code == Qt::Key_Return || code == Qt::Key_Enter;
    const bool escape = code == Qt::Key_Escape;
    if (!tab && !enter && !escape)
        return QDialog::eventFilter(watched, event);
    // The fields would take these keys for themselves; claiming the override keeps them here.
    if (type == QEvent::ShortcutOverride) {
        event->accept();
        return true;
    }
    const bool down = type == QEvent::KeyPress;
    if (tab) {
        if (!down && !key->isAutoRepeat()) {
            const int n = static_cast<int>(cycle.size());
            const bool back = code == Qt::Key_Backtab || key->modifiers().testFlag(Qt::ShiftModifier);
            FocusControl((focusIndex + (back ? n - 1 : 1)) % n);
        }
        return true;
    }
    if (escape) {
        if (down)
            reject();
        return true;
    }
    if (down)
        return EnterDown(static_cast<QWidget*>(watched));
    EnterUp();
    return true;
}

} // namespace tools
