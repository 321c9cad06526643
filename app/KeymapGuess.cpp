#include "app/KeymapGuess.h"

#include "keymap/KeyMap.h"
#include "platform/Services.h"

#include <QDir>

#include <deque>

namespace app {
namespace {

class SilentMessages : public platform::MessageService {
public:
    using platform::MessageService::Show;
    platform::MessageAnswer Show(const platform::Message&) override { return platform::MessageAnswer::Cancel; }
};

} // namespace

KeymapGuess::KeymapGuess(std::string wordListPath) : wordListPath(std::move(wordListPath)) {}

std::optional<KeymapOffer> KeymapGuess::BetterKeymap(std::string_view bytes, const std::string& current,
                                                     const std::string& folder)
{
    if (!wordsRead) {
        words.Load(wordListPath); // an empty list leaves byte coverage to decide
        wordsRead = true;
    }
    std::deque<keymap::KeyMap> maps;
    std::vector<keymap::DetectionCandidate> candidates;
    {
        SilentMessages silent;
        const platform::ScopedServices scope(platform::Services{&platform::Settings(), &silent});
        const QStringList names = QDir(QString::fromStdString(folder)).entryList({"*.kbd"}, QDir::Files, QDir::Name);
        for (const QString& name : names) {
            keymap::KeyMap& map = maps.emplace_back();
            if (map.LoadFromPath(QDir(QString::fromStdString(folder)).filePath(name).toStdString()))
                candidates.push_back({map.FileName(), &map});
        }
    }
    const keymap::DetectionResult result = keymap::DetectKeymap(bytes, candidates, &words);
    if (result.basis == keymap::DetectionBasis::Header || !keymap::ClearlyBetterThan(result, current))
        return std::nullopt;
    return KeymapOffer{result.Best(), result.confidence};
}

} // namespace app
