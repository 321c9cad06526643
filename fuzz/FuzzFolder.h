/** @file FuzzFolder.h
 ** A temporary folder for a fuzz target's files, made once per process and removed when it exits. **/
#pragma once

#include <cstdlib>
#include <filesystem>
#include <string>

#include <stdlib.h>

namespace fuzzing {

/// A folder of this process, /tmp/kelmora-fuzz-<stem>-XXXXXX; the same on every call.
inline const std::string& FuzzFolder(const char* stem)
{
    struct OwnFolder {
        std::string path;
        ~OwnFolder() { std::filesystem::remove_all(path); }
    };
    static const OwnFolder folder{[stem] {
        std::string pattern = std::string("/tmp/kelmora-fuzz-") + stem + "-XXXXXX";
        if (!mkdtemp(pattern.data()))
            std::abort();
        return pattern;
    }()};
    return folder.path;
}

} // namespace fuzzing
