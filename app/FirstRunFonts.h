/** @file FirstRunFonts.h
 ** The first-run installation of the display fonts listed in fonts.cfg. **/
#pragma once

#include "platform/MessageService.h"
#include "app/EditorSettings.h"

#include <functional>
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace app {

/// The program folder's font folder, the only place fonts.cfg installs from.
inline constexpr const char* ProgramFontFolder = "Fonts";
/// A font file's largest size: the Persian fonts shipped are below 200 KB; this leaves room for any
/// real font and refuses a big file that only claims to be one.
inline constexpr size_t FontSizeLimit = size_t{32} << 20;
/// fonts.cfg is a short list of names.
inline constexpr size_t FontListLimit = size_t{64} << 10;

/// Whether `bytes` start as a font file does: TrueType (00 01 00 00 or "true"), OpenType ("OTTO")
/// or a font collection ("ttcf").
bool IsFont(std::string_view bytes);

/// Makes one font file available to the user's programs.
class FontInstaller {
public:
    virtual ~FontInstaller() = default;
    /// `file` is a line of fonts.cfg: a path, relative ones taken from the program folder. Only
    /// regular font files inside the program folder's font folder, below FontSizeLimit, install.
    virtual bool InstallFont(const std::string& file) = 0;
    /// Called once after the last font (e.g. to refresh the system's font cache).
    virtual void Finish() {}
};

/// Copies font files into the user's font folder ($XDG_DATA_HOME/fonts, by default
/// ~/.local/share/fonts), so they stay installed, and runs fc-cache on it at the end.
class UserFontInstaller : public FontInstaller {
public:
    /// `programFolder` resolves relative names; `fontFolder` empty = the user's font folder.
    explicit UserFontInstaller(std::string programFolder, std::string fontFolder = {});
    bool InstallFont(const std::string& file) override;
    void Finish() override;
    const std::string& FontFolder() const { return fontFolder; }
    /// The files copied so far (full paths in the font folder).
    const std::vector<std::string>& Installed() const { return installed; }
    /// Called with each installed copy, e.g. to make it usable in this process at once.
    std::function<void(const std::string&)> onInstalled;
    /// What every installer created afterwards starts with as onInstalled (the program sets it to
    /// register fonts with its font database, which a widget-free library cannot reach).
    static void SetDefaultRegistration(std::function<void(const std::string&)> registration);
    /// Given a font file's bytes, whether the system already has its face; such a font is not
    /// copied (a second copy makes the family appear twice, named with its foundry).
    std::function<bool(const std::string&)> alreadyInstalled;
    /// What every installer created afterwards starts with as alreadyInstalled.
    static void SetDefaultInstalledCheck(std::function<bool(const std::string&)> check);
    /// Program that refreshes the font cache, given the font folder; empty runs nothing.
    std::string cacheRefresher = "fc-cache";

private:
    std::string programFolder;
    std::string fontFolder;
    std::vector<std::string> installed;
};

/// The lines of fonts.cfg before the "***" line (or all of them); CR LF is read as LF.
std::vector<std::string> ReadFontList(const std::string& text);

/// When "Temp"/"FirstTime" (default 1) is non-zero: installs every font of `fontsCfgPath`, or shows
/// "fonts.cgf not founded" (caption "Kelmora") when it cannot be read; then writes "FirstTime" = 0.
void InstallFirstRunFonts(const std::string& fontsCfgPath, FontInstaller& installer,
                          EditorSettings& settings, platform::MessageService& messages);

} // namespace app
