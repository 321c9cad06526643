// kelmora-convert: the command-line converter between keymaps and UTF-8.
#include "cli/BatchCommand.h"
#include "cli/ConvertTool.h"

#include <QCoreApplication>

#include <cstdio>
#include <unistd.h>

namespace {

int RunBatchForm(const std::vector<std::string>& args)
{
    cli::BatchCommandOptions options;
    std::string error;
    if (!cli::ParseBatchArguments(args, options, error)) {
        std::fprintf(stderr, "kelmora-convert: %s\n%s%s", error.c_str(), cli::ConvertUsage().c_str(), cli::BatchUsage().c_str());
        return cli::UsageError;
    }
    return cli::RunBatch(options, QCoreApplication::applicationDirPath().toStdString(), stderr, isatty(fileno(stderr)) != 0);
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv); // for the program's own folder, where its KeyMaps live
    std::vector<std::string> args(argv + 1, argv + argc);
    cli::ConvertOptions options;
    std::string error;
    if (cli::IsBatchCommand(args))
        return RunBatchForm(args);
    if (!cli::ParseConvertArguments(args, options, error)) {
        std::fprintf(stderr, "kelmora-convert: %s\n%s", error.c_str(), cli::ConvertUsage().c_str());
        return cli::UsageError;
    }
    if (options.help) {
        std::fputs(cli::ConvertUsage().c_str(), stdout);
        std::fputs(cli::BatchUsage().c_str(), stdout);
        return cli::Success;
    }
    if (options.version) {
        std::fputs(cli::ConvertVersion().c_str(), stdout);
        return cli::Success;
    }
    return cli::RunConvert(options, QCoreApplication::applicationDirPath().toStdString(), stdin, stdout, stderr);
}
