// kelmora-poems: compiles a UTF-8 poetry collection into the editor's QIndex.dat and rDivan.dta.
#include "cli/PoemCompiler.h"
#include "platform/ProgramCommandLine.h"

#include <QCoreApplication>

#include <optional>

int main(int argc, char** argv)
{
    const platform::ProgramDescription program{
        "kelmora-poems",
        "Usage: kelmora-poems IN.txt OUTDIR\n"
        "Compiles a UTF-8 poetry collection into the editor's poetry files QIndex.dat and rDivan.dta\n"
        "in OUTDIR, in the glyph codes of the ziba2.kbd keymap beside this program.\n"
        "\n"
        "  --help     show this text\n"
        "  --version  show the version\n",
        KELMORA_VERSION};
    const platform::ProgramCommandLine line = platform::ParseProgramCommandLine({argv + 1, argv + argc}, {});
    if (const std::optional<int> status = platform::AnswerCommandLine(line, program, platform::UnknownOptions::Error, stdout, stderr))
        return *status;
    QCoreApplication app(argc, argv); // for the program's own folder, where its KeyMaps live
    return cli::RunPoemCompiler(line.files, QCoreApplication::applicationDirPath().toStdString() + "/KeyMaps", stderr);
}
