/** @file HelpCommands.h
 ** The Help menu's commands. **/
#pragma once

#include "app/CommandGroup.h"

namespace app {

class CommandHost;

/// Still to come here: About and Shortcut Keys, each a Handle line showing its window of extras/
/// over the host's DialogParent.
class HelpCommands : public CommandGroup {
public:
    explicit HelpCommands(CommandHost& host);

private:
    CommandHost& host;
};

} // namespace app
