#include "tools/StatisticsDialog.h"

#include "editctl/Clipboard.h"
#include "editctl/DisplayFont.h"
#include "editctl/PersianEdit.h"
#include "keymap/KeyMap.h"
#include "keymap/KeymapConverter.h"
#include "tools/SearchField.h"

#include <QAbstractListModel>
#include <QListView>
#include <QPainter>
#include <QPushButton>
#include <QShortcut>
#include <QStyledItemDelegate>

namespace tools {

namespace {

constexpr const char* ListFace = "Zarvineth";
constexpr int ListHeight = 12;
// Column labels in main.kbd glyphs: count, word, rank.
constexpr const char* CountLabel = "  \xae\x8c\xaf\xd2\x99";
constexpr const char* WordLabel = "                \xf9\xf0\xec\xe3";
constexpr const char* RankLabel = "  \xf8\xb2\x8d\xf0\xbf";

/// Glyph lines as list rows; the text travels as raw bytes for the delegate.
class LineModel : public QAbstractListModel {
public:
    explicit LineModel(const std::vector<std::string>& lines, QObject* parent) : QAbstractListModel(parent), lines(lines) {}
    int rowCount(const QModelIndex& parent) const override { return parent.isValid() ? 0 : static_cast<int>(lines.size()); }
    QVariant data(const QModelIndex& index, int role) const override
    {
        if (role != Qt::UserRole || !index.isValid())
            return {};
        const std::string& line = lines[static_cast<size_t>(index.row())];
        return QByteArray(line.data(), static_cast<qsizetype>(line.size()));
    }

private:
    const std::vector<std::string>& lines;
};

/// Paints a row's glyph codes in a display font, one glyph at a time as the edit control does.
class GlyphDelegate : public QStyledItemDelegate {
public:
    GlyphDelegate(std::shared_ptr<const editctl::DisplayFont> font, QObject* parent)
        : QStyledItemDelegate(parent), font(std::move(font)) {}
    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        const QByteArray bytes = index.data(Qt::UserRole).toByteArray();
        painter->save();
        const bool selected = option.state.testFlag(QStyle::State_Selected);
        if (selected)
            painter->fillRect(option.rect, option.palette.highlight());
        painter->setPen(selected ? option.palette.highlightedText().color() : option.palette.text().color());
        font->Draw(*painter, QPointF(option.rect.left() + 2, option.rect.top() + font->Ascent()),
                   std::string_view(bytes.constData(), static_cast<size_t>(bytes.size())));
        painter->restore();
    }
    QSize sizeHint(const QStyleOptionViewItem&, const QModelIndex& index) const override
    {
        const QByteArray bytes = index.data(Qt::UserRole).toByteArray();
        return QSize(font->Width(std::string_view(bytes.constData(), static_cast<size_t>(bytes.size()))) + 4,
                     font->Height() + 2);
    }

private:
    std::shared_ptr<const editctl::DisplayFont> font;
};

/// A static showing glyph codes in a display font.
class GlyphLabel : public QWidget {
public:
    GlyphLabel(std::string text, std::shared_ptr<const editctl::DisplayFont> font, QWidget* parent)
        : QWidget(parent), text(std::move(text)), font(std::move(font)) {}

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        painter.setPen(palette().windowText().color());
        font->Draw(painter, QPointF(0, (height() - font->Height()) / 2 + font->Ascent()), text);
    }

private:
    std::string text;
    std::shared_ptr<const editctl::DisplayFont> font;
};

class WindowCaption : public CaptionHolder {
public:
    explicit WindowCaption(QWidget* window) : window(window) {}
    std::string Caption() const override { return window ? window->windowTitle().toStdString() : std::string(); }
    void SetCaption(const std::string& caption) override
    {
        if (window)
            window->setWindowTitle(QString::fromStdString(caption));
    }

private:
    QWidget* window;
};

void PlaceLabel(QWidget* parent, const char* text, int id, const QRect& rect, const keymap::KeyMap& labelMap)
{
    auto font = editctl::DisplayFont::Get(FieldFace, FieldHeight, editctl::DisplayFont::FormsOf(&labelMap));
    auto* label = new GlyphLabel(text, std::move(font), parent);
    label->setObjectName(QStringLiteral("id%1").arg(id));
    label->setGeometry(rect);
}

} // namespace

StatisticsDialog::StatisticsDialog(std::vector<RankedWord> rankedWords, const keymap::KeyMap& referenceMap,
                                   editctl::Clipboard& clipboard, QWidget* parent)
    : QDialog(parent), words(std::move(rankedWords)), referenceMap(referenceMap), clipboard(clipboard)
{
    setObjectName(QStringLiteral("id164"));
    setWindowTitle(QStringLiteral("Statics"));
    setFixedSize(330, 380);
    lines.reserve(words.size());
    for (const RankedWord& w : words)
        lines.push_back(StatisticsLine(w));

    keymap::KeyMap labelMap;
    labelMap.Load("main.kbd");
    PlaceLabel(this, CountLabel, 1056, QRect(8, 6, 90, 30), labelMap);
    PlaceLabel(this, WordLabel, 1052, QRect(100, 6, 130, 30), labelMap);
    PlaceLabel(this, RankLabel, 1053, QRect(236, 6, 86, 30), labelMap);

    list = new QListView(this);
    list->setObjectName(QStringLiteral("id1049"));
    list->setGeometry(8, 40, 314, 296);
    list->setUniformItemSizes(true);
    list->setModel(new LineModel(lines, list));
    list->setItemDelegate(new GlyphDelegate(
        editctl::DisplayFont::Get(ListFace, ListHeight, editctl::DisplayFont::FormsOf(&referenceMap)), list));

    ok = CreateDialogButton(this, 1, "OK", QRect(150, 344, 80, 26));
    ok->setDefault(true);
    copy = CreateDialogButton(this, 0, "Copy", QRect(242, 344, 80, 26));
    copy->setObjectName(QStringLiteral("copy"));
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(copy, &QPushButton::clicked, this, &StatisticsDialog::CopyAll);
    auto* shortcut = new QShortcut(QKeySequence::Copy, this);
    connect(shortcut, &QShortcut::activated, this, &StatisticsDialog::CopyAll);
}

StatisticsDialog::~StatisticsDialog() = default;

void StatisticsDialog::CopyAll()
{
    editctl::ClipboardData data;
    data.unicodeText = StatisticsCopyText(words, referenceMap);
    clipboard.Put(data);
}

void RunStatisticsCommand(const StatisticsContext& context)
{
    keymap::KeymapConverter& converter = context.converter;
    const std::optional<std::string> text =
        ConvertForStatistics(converter, context.documentKeymap, context.edit.Window().GetText());
    if (!text)
        return; // the failed keymap load has been reported
    WindowCaption caption(context.mainWindow);
    StatisticsResult result = CollectWordStatistics(*text, context.keys, context.progress, &caption);
    if (result.outcome == StatisticsOutcome::CancelledCollecting)
        return;
    // The converter's destination is the reference keymap just loaded; the dialog reads its forms.
    StatisticsDialog dialog(std::move(result.words), converter.destination, context.clipboard, context.mainWindow);
    dialog.exec();
}

} // namespace tools
