/** @file BatchCommand.h
 ** kelmora-convert --out-dir DIR FILE...: converts many documents at once, each into DIR under its
 ** own name, the way the editor's batch conversion reads and writes them. **/
#pragma once

#include "tools/BatchConversion.h"

#include <cstdio>
#include <string>
#include <vector>

namespace cli {

struct BatchCommandOptions {
    tools::BatchOptions batch;
    std::string outDir;
    std::string suffix; // empty: each file keeps its name
    std::vector<std::string> files;
    bool verbose = false;
};

/// Whether a command line asks for the batch form (it names --out-dir).
bool IsBatchCommand(const std::vector<std::string>& args);
/// Reads the batch form (without the program name). False with `error` set on a usage error.
bool ParseBatchArguments(const std::vector<std::string>& args, BatchCommandOptions& options, std::string& error);
std::string BatchUsage();

/// Converts every file; keymaps named without a path separator come from `programFolder`/KeyMaps
/// unless --keymaps names another folder. One summary line per file on `err` when verbose, and a
/// progress line when `err` is a terminal. Exit status: 0 all converted; 1 some file not written
/// (the count is printed); 3 all written, some with characters the destination cannot hold.
int RunBatch(const BatchCommandOptions& options, const std::string& programFolder, std::FILE* err, bool terminal);

} // namespace cli
