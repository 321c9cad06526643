#include "tools/BatchSettings.h"

#include "platform/SettingsStore.h"

namespace tools {

namespace {

constexpr const char* Section = "Batch";

} // namespace

std::string DefaultBatchFolder()
{
#ifdef _WIN32
    return "C:\\";
#else
    return "/";
#endif
}

BatchSettings BatchSettings::Read(const platform::SettingsStore& s)
{
    BatchSettings b;
    b.sourceFolder = s.ReadString(Section, "SDir", DefaultBatchFolder());
    b.destinationFolder = s.ReadString(Section, "DDir", DefaultBatchFolder());
    b.sourceKeymap = s.ReadString(Section, "SKB", "");
    b.destinationKeymap = s.ReadString(Section, "DKB", "");
    b.sourcePattern = s.ReadString(Section, "SExt", "*.txt");
    b.destinationPattern = s.ReadString(Section, "dExt", "*.txf");
    b.initialFolder = s.ReadString(Section, "IniDir", "");
    b.faceName = s.ReadString(Section, "toFont", "");
    b.size = s.ReadInt(Section, "FSize", 22);
    return b;
}

void BatchSettings::Write(platform::SettingsStore& s) const
{
    s.WriteString(Section, "SDir", sourceFolder);
    s.WriteString(Section, "DDir", destinationFolder);
    s.WriteString(Section, "SKB", sourceKeymap);
    s.WriteString(Section, "DKB", destinationKeymap);
    s.WriteString(Section, "SExt", sourcePattern);
    s.WriteString(Section, "dExt", destinationPattern);
    s.WriteString(Section, "IniDir", initialFolder);
    s.WriteString(Section, "toFont", faceName);
    s.WriteInt(Section, "FSize", size);
}

BatchOptions BatchSettings::Options(const platform::SettingsStore& s) const
{
    BatchOptions o;
    o.fromUnicode = sourceKeymap == UnicodeChoice;
    o.toUnicode = destinationKeymap == UnicodeChoice;
    if (!o.fromUnicode)
        o.sourceKeymap = sourceKeymap;
    if (!o.toUnicode)
        o.destinationKeymap = destinationKeymap;
    o.faceName = faceName;
    o.size = size;
    o.header = s.ReadInt("Settings", "SaveHeader", 1) != 0 ? HeaderChoice::Write : HeaderChoice::Omit;
    o.dos = s.ReadInt("Settings", "EnableDos", 1) != 0 ? DosLayout::On : DosLayout::Off;
    return o;
}

} // namespace tools
