#include "editctl/QtClipboard.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

#include <algorithm>

namespace editctl {

const QString QtClipboard::GlyphsMimeType = QStringLiteral("application/x-kelmora-glyphs");
const QString QtClipboard::KeymapMimeType = QStringLiteral("application/x-kelmora-keymap");

QMimeData* QtClipboard::ToMimeData(const ClipboardData& data)
{
    auto* mime = new QMimeData;
    if (data.hasGlyphs) {
        mime->setData(GlyphsMimeType, QByteArray(data.glyphs.data(), static_cast<qsizetype>(data.glyphs.size())));
        mime->setData(KeymapMimeType, QByteArray::fromStdString(data.keymapName));
    }
    if (!data.unicodeText.empty())
        mime->setText(QString::fromUtf8(data.unicodeText.data(), static_cast<qsizetype>(data.unicodeText.size())));
    else if (!data.latin1.empty())
        mime->setText(QString::fromLatin1(data.latin1.data(), static_cast<qsizetype>(data.latin1.size())));
    return mime;
}

ClipboardData QtClipboard::FromMimeData(const QMimeData* mime)
{
    ClipboardData data;
    if (!mime)
        return data;
    if (mime->hasFormat(GlyphsMimeType)) {
        data.hasGlyphs = true;
        data.glyphs = mime->data(GlyphsMimeType).toStdString();
        data.keymapName = mime->data(KeymapMimeType).toStdString();
    }
    if (mime->hasText()) {
        const QString text = mime->text();
        data.unicodeText = text.toStdString();
        const bool fitsLatin1 = std::all_of(text.begin(), text.end(), [](QChar c) { return c.unicode() <= 0xFF; });
        if (fitsLatin1)
            data.latin1 = text.toLatin1().toStdString();
    }
    return data;
}

namespace {

QClipboard::Mode ModeOf(bool selection) { return selection ? QClipboard::Selection : QClipboard::Clipboard; }

} // namespace

void QtClipboard::Put(const ClipboardData& data)
{
    if (QClipboard* system = QGuiApplication::clipboard())
        system->setMimeData(ToMimeData(data), ModeOf(board == Board::Selection));
}

ClipboardData QtClipboard::Get() const
{
    const QClipboard* system = QGuiApplication::clipboard();
    return system ? FromMimeData(system->mimeData(ModeOf(board == Board::Selection))) : ClipboardData{};
}

QtClipboard& QtClipboard::Shared()
{
    static QtClipboard clipboard;
    return clipboard;
}

QtClipboard* QtClipboard::SharedSelection()
{
    static QtClipboard selection(Board::Selection);
    const QClipboard* system = QGuiApplication::clipboard();
    return system && system->supportsSelection() ? &selection : nullptr;
}

} // namespace editctl
