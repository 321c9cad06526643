#include "app/HelpCommands.h"

namespace app {

HelpCommands::HelpCommands(CommandHost& host) : host(host) {}

} // namespace app
