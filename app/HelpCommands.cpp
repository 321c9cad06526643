#include "app/HelpCommands.h"

#include "app/CommandHost.h"
#include "app/EditorSettings.h"
#include "extras/AboutKelmoraDialog.h"
#include "extras/HelpPageDialog.h"
#include "res/ResourceIds.h"

namespace app {

HelpCommands::HelpCommands(CommandHost& host) : host(host)
{
    Handle(res::AppAbout, [this] { About(); });
    Handle(res::ShortcutKeys, [this] { ShortcutKeys(); });
}

void HelpCommands::About()
{
    extras::RunAboutBox(host.Settings().ProgramFolder());
    host.FocusEditor();
}

void HelpCommands::ShortcutKeys()
{
    extras::RunHelpPage();
    host.FocusEditor();
}

} // namespace app
