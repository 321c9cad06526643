// kelmora-poems: compiles a UTF-8 poetry collection into the editor's QIndex.dat and rDivan.dta.
#include "cli/PoemCompiler.h"

#include <QCoreApplication>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv); // for the program's own folder, where its KeyMaps live
    const std::vector<std::string> args(argv + 1, argv + argc);
    return cli::RunPoemCompiler(args, QCoreApplication::applicationDirPath().toStdString() + "/KeyMaps", stderr);
}
