#include "app/FileCommands.h"

#include "app/CommandHost.h"
#include "app/DocumentCommands.h"
#include "res/ResourceIds.h"

#include <QWidget>

namespace app {

FileCommands::FileCommands(CommandHost& host, QWidget& window)
{
    DocumentCommands& documents = host.Documents();
    Handle(res::FileNew, [&documents] { documents.New(); });
    Handle(res::FileOpen, [&documents] { documents.Open(); });
    Handle(res::FileRevert, [&documents] { documents.Revert(); });
    Handle(res::FileSave, [&documents] { documents.Save(); });
    Handle(res::FileSaveAs, [&documents] { documents.SaveAs(); });
    Handle(res::NextFile, [&documents] { documents.NextFile(); });
    Handle(res::PreviousFile, [&documents] { documents.PreviousFile(); });
    Handle(res::FileImportUnicode, [&documents] { documents.ImportUnicode(); });
    Handle(res::FileExportUnicode, [&documents] { documents.ExportUnicode(); });
    Handle(res::AppExit, [&window] { window.close(); });
}

} // namespace app
