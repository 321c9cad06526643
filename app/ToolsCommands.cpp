#include "app/ToolsCommands.h"

namespace app {

ToolsCommands::ToolsCommands(CommandHost& host) : host(host) {}

} // namespace app
