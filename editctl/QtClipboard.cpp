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

void QtClipboard::Put(const ClipboardData& data)
{
    if (QClipboard* board = QGuiApplication::clipboard())
        board->setMimeData(ToMimeData(data));
}

ClipboardData QtClipboard::Get() const
{
    const QClipboard* board = QGuiApplication::clipboard();
    return board ? FromMimeData(board->mimeData()) : ClipboardData{};
}

QtClipboard& QtClipboard::Shared()
{
    static QtClipboard clipboard;
    return clipboard;
}

} // namespace editctl
