/** @file ProgramFixture.h
 ** Running a built program of the program folder on files of a temporary folder, as a script would. **/
#pragma once

#include "platform/TextMode.h"
#include "tests/fakes/TestEnvironment.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <string>
#include <vector>

/// How a program run ended: its exit status (-2 when it crashed) and what it printed.
struct ToolRun {
    int status = -1;
    std::string out;
    std::string err;
};

/// Runs `program` of the build's program folder with `args`, `input` on its standard input.
inline ToolRun RunProgram(const std::string& program, const std::vector<std::string>& args,
                          const std::string& input = "", int timeoutMs = 60000)
{
    QProcess p;
    QStringList list;
    for (const std::string& a : args)
        list << QString::fromStdString(a);
    p.start(QString::fromStdString(fakes::BuildProgramFolder() + "/" + program), list);
    EXPECT_TRUE(p.waitForStarted());
    p.write(input.data(), static_cast<qint64>(input.size()));
    p.closeWriteChannel();
    EXPECT_TRUE(p.waitForFinished(timeoutMs));
    ToolRun r;
    r.status = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -2;
    r.out = p.readAllStandardOutput().toStdString();
    r.err = p.readAllStandardError().toStdString();
    return r;
}

/// A temporary folder to write a program's inputs in and read its outputs from.
class ProgramFixture : public ::testing::Test {
protected:
    QTemporaryDir dir;

    std::string Path(const std::string& name) const { return dir.path().toStdString() + "/" + name; }
    /// Writes a file below the folder (making its folders) and returns its path.
    std::string Write(const std::string& name, const std::string& bytes) const
    {
        QDir().mkpath(QFileInfo(QString::fromStdString(Path(name))).absolutePath());
        EXPECT_TRUE(platform::WriteFileAtomically(Path(name), bytes).ok);
        return Path(name);
    }
    static std::string Read(const std::string& path)
    {
        std::string bytes;
        EXPECT_TRUE(platform::ReadFileBytes(path, bytes).ok) << path;
        return bytes;
    }
};
