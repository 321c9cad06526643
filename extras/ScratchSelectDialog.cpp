#include "extras/ScratchSelectDialog.h"

#include "extras/ScratchTiles.h"
#include "platform/Services.h"
#include "extras/ScratchTable.h"
#include "platform/TextMode.h"
#include "res/ResourceIds.h"

#include <QEvent>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPushButton>

namespace extras {

namespace {

// Dialog units of the dialog's layout, with the base units of its 8-point font.
int X(int units) { return (units * 6 + 2) / 4; }
int Y(int units) { return (units * 13 + 4) / 8; }
QRect Units(int x, int y, int w, int h) { return {X(x), Y(y), X(w), Y(h)}; }

std::optional<GridKey> GridKeyOf(int key)
{
    switch (key) {
    case Qt::Key_Left: return GridKey::Left;
    case Qt::Key_Right: return GridKey::Right;
    case Qt::Key_Up: return GridKey::Up;
    case Qt::Key_Down: return GridKey::Down;
    case Qt::Key_PageUp: return GridKey::PageUp;
    case Qt::Key_PageDown: return GridKey::PageDown;
    case Qt::Key_Home: return GridKey::Home;
    case Qt::Key_End: return GridKey::End;
    default: return std::nullopt;
    }
}

QRect ToQRect(const GridRect& r) { return QRect(QPoint(r.left, r.top), QPoint(r.right - 1, r.bottom - 1)); }

} // namespace

ScratchGrid::ScratchGrid(QWidget* parent)
    : QWidget(parent), tile(ScratchPicture(TilePicture)), selectedTile(ScratchPicture(SelectedTilePicture))
{
    setObjectName(res::ObjectName(ScratchGridId));
    setFocusPolicy(Qt::StrongFocus);
}

void ScratchGrid::Key(GridKey key)
{
    selector.Key(key);
    update();
}

void ScratchGrid::resizeEvent(QResizeEvent* event)
{
    selector.Layout(width(), height());
    QWidget::resizeEvent(event);
}

void ScratchGrid::DrawCell(QPainter& p, int row, int column, bool selected) const
{
    const QRect cell = ToQRect(selector.Tile(row, column));
    const int index = selector.IndexAt(row, column);
    p.drawImage(cell.topLeft(), selected ? selectedTile : tile);
    p.setPen(selected ? QColor(255, 255, 0) : QColor(Qt::white));
    p.save();
    p.setClipRect(cell);
    const QString name = QString::fromStdString(selector.Names()[static_cast<size_t>(index)]);
    const int centre = cell.left() + (selected ? 81 : 80);
    const QRect text(centre - 200, cell.top() + 2, 400, cell.height() - 2);
    p.drawText(text, Qt::AlignHCenter | Qt::AlignTop, name);
    p.restore();
}

void ScratchGrid::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    const QPalette& pal = palette();
    p.fillRect(rect(), pal.color(QPalette::Button));
    p.fillRect(ToQRect(selector.Strip()), pal.color(QPalette::Midlight));
    const QRect thumb = ToQRect(selector.Thumb());
    p.fillRect(thumb, pal.color(QPalette::Button));
    p.setPen(pal.color(QPalette::Light));
    p.drawLine(thumb.topLeft(), thumb.topRight());
    p.drawLine(thumb.topLeft(), thumb.bottomLeft());
    p.setPen(pal.color(QPalette::Dark));
    p.drawLine(thumb.bottomLeft(), thumb.bottomRight());
    p.drawLine(thumb.topRight(), thumb.bottomRight());

    for (int row = 0; row < selector.VisibleRows(); ++row)
        for (int column = 0; column < selector.Columns(); ++column)
            if (selector.IndexAt(row, column) < selector.Count())
                DrawCell(p, row, column, false);
    int row = 0, column = 0;
    if (selector.SelectedCell(row, column)) {
        p.setPen(pal.color(QPalette::Highlight));
        p.drawRect(ToQRect(selector.Frame(row, column)).adjusted(0, 0, -1, -1));
        DrawCell(p, row, column, true);
    }
}

ScratchSelectDialog::ScratchSelectDialog(std::vector<std::string> names, QWidget* parent) : QDialog(parent)
{
    setObjectName(res::ObjectName(ScratchSelectDialogId));
    setWindowTitle(QStringLiteral("Select Font from Scratch tabel ..."));
    setFixedSize(X(352), Y(212));

    auto* frame = new QFrame(this);
    frame->setFrameStyle(QFrame::Box | QFrame::Sunken);
    frame->setGeometry(X(2), Y(2), X(348), Y(208));

    grid = new ScratchGrid(this);
    grid->Selector().SetNames(std::move(names));
    grid->setGeometry(Units(6, 6, 339, 180));
    grid->Selector().Layout(grid->width(), grid->height());

    ok = new QPushButton(QStringLiteral("Ok"), this);
    ok->setObjectName(res::ObjectName(ScratchOkId));
    ok->setGeometry(Units(9, 192, 50, 14));
    ok->setDefault(true);
    cancel = new QPushButton(QStringLiteral("Cancel"), this);
    cancel->setObjectName(res::ObjectName(ScratchCancelId));
    cancel->setGeometry(Units(293, 191, 50, 14));
    auto* caption = new QLabel(QStringLiteral("&Kelmora Scratch Selector !"), this);
    caption->setBuddy(grid); // the mnemonic then underlines the K instead of showing the ampersand
    caption->move(X(112), Y(194));
    auto* icon = new QLabel(this);
    icon->setPixmap(QPixmap::fromImage(ScratchPicture(SelectorIcon)));
    icon->setGeometry(X(219), Y(189), 32, 32);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    installEventFilter(this);
    for (QWidget* child : findChildren<QWidget*>())
        child->installEventFilter(this);
    grid->setFocus();
}

std::unique_ptr<ScratchSelectDialog> ScratchSelectDialog::FromFile(const std::string& scratchPath, QWidget* parent)
{
    std::string text;
    std::vector<std::string> names;
    if (platform::ReadTextFile(scratchPath, text, platform::CtrlZ::EndsText, ScratchFileLimit, platform::FileKinds::RegularOnly).ok)
        names = ScratchSelector::NamesOfScratchText(text);
    else
        platform::Messages().Show(scratchPath, "Kelmora");
    return std::make_unique<ScratchSelectDialog>(std::move(names), parent);
}

bool ScratchSelectDialog::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            accept();
            return true;
        }
        if (const std::optional<GridKey> gridKey = GridKeyOf(key)) {
            grid->Key(*gridKey);
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

std::optional<ScratchChoice> RunScratchSelect(QWidget* parent, std::vector<std::string> names, int storedFirstRow,
                                              int storedSelection, int boxSelection)
{
    const auto dialog = std::make_unique<ScratchSelectDialog>(std::move(names), parent);
    ScratchSelector& grid = dialog->Grid()->Selector();
    grid.StartFrom(storedFirstRow, storedSelection, boxSelection);
    if (dialog->exec() != QDialog::Accepted)
        return std::nullopt;
    return ScratchChoice{grid.Selected(), grid.FirstVisibleRow()};
}

} // namespace extras
