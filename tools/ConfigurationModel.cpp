#include "tools/ConfigurationModel.h"

#include "platform/SettingsStore.h"

#include <algorithm>

namespace tools {

namespace {

constexpr const char* Section = "Settings";

/// Save writes in this order, which is not the order on screen.
constexpr std::array<const char*, 6> StringKeys = {"Tab", "MaxChar", "Left", "RIGHT", "IWP", "JIWP"};
constexpr std::array<const char*, 9> IntegerKeys = {"SplashScreen", "EnableDos", "SaveOnExit",
                                                    "SaveHeader", "ResembleOnLoad", "JustifyOnResemble",
                                                    "IdentOnResemble", "SaveWPonExit", "StartWithMRD"};

const ConfigurationField* FieldByKey(std::string_view key)
{
    for (const ConfigurationField& f : ConfigurationFields())
        if (key == f.key)
            return &f;
    return nullptr;
}

} // namespace

const std::array<ConfigurationField, 15>& ConfigurationFields()
{
    using K = FieldKind;
    static const std::array<ConfigurationField, 15> fields = {{
        {1015, K::Number, "Tab    :", "Tab", "3", 0, false},
        {1019, K::Number, "Max   :", "MaxChar", "79", 0, false},
        {1030, K::Check, "Ident on Resembel ?", "IdentOnResemble", "", 0, true},
        {1022, K::Number, "Left :", "Left", "0", 0, true},
        {1023, K::Number, "Right :", "RIGHT", "3", 0, true},
        {1024, K::Check, "Justify on Resembel ?", "JustifyOnResemble", "", 0, true},
        {1025, K::Check, "Resembel on load", "ResembleOnLoad", "", 0, true},
        {1027, K::Number, "Resmble Ignorance width :", "IWP", "10", 0, true},
        {1029, K::Number, "Justify Ignorance width :", "JIWP", "50", 0, true},
        {1028, K::Check, "Show splash screen on startup ?", "SplashScreen", "", 1, false},
        {1018, K::Check, "Enable dos mod (in load,save and wraping)", "EnableDos", "", 1, false},
        {1020, K::Check, "Save with kelmora header ?", "SaveHeader", "", 1, false},
        {1021, K::Check, "Save settings on exit ?", "SaveOnExit", "", 1, false},
        {1026, K::Check, "Save window position on exit ?", "SaveWPonExit", "", 1, false},
        {1031, K::Check, "Start with the most recent document ?", "StartWithMRD", "", 1, false},
    }};
    return fields;
}

const ConfigurationField* FindConfigurationField(int id)
{
    const auto& fields = ConfigurationFields();
    const auto it = std::find_if(fields.begin(), fields.end(), [id](const ConfigurationField& f) { return f.id == id; });
    return it == fields.end() ? nullptr : &*it;
}

bool IsNumberFieldText(std::string_view text)
{
    return text.size() <= static_cast<size_t>(NumberFieldMaxLength) &&
           std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

ConfigurationModel::ConfigurationModel()
{
    for (const ConfigurationField& f : ConfigurationFields()) {
        if (f.kind == FieldKind::Number)
            texts[f.id] = f.defaultText;
        else
            checks[f.id] = f.defaultValue != 0;
    }
}

void ConfigurationModel::Load(const platform::SettingsStore& store)
{
    for (const ConfigurationField& f : ConfigurationFields()) {
        if (f.kind == FieldKind::Number) {
            // A stored value the field could not hold is cut the way the field would show it.
            std::string value = store.ReadString(Section, f.key, f.defaultText);
            texts[f.id] = value.substr(0, static_cast<size_t>(NumberFieldMaxLength));
        } else {
            checks[f.id] = store.ReadInt(Section, f.key, f.defaultValue) != 0;
        }
    }
}

void ConfigurationModel::Save(platform::SettingsStore& store) const
{
    for (const char* key : StringKeys)
        store.WriteString(Section, key, texts.at(FieldByKey(key)->id));
    for (const char* key : IntegerKeys)
        store.WriteInt(Section, key, checks.at(FieldByKey(key)->id) ? 1 : 0);
}

std::string ConfigurationModel::Text(int id) const
{
    const auto it = texts.find(id);
    return it == texts.end() ? std::string() : it->second;
}

bool ConfigurationModel::SetText(int id, const std::string& text)
{
    const auto it = texts.find(id);
    if (it == texts.end() || !IsNumberFieldText(text))
        return false;
    it->second = text;
    return true;
}

bool ConfigurationModel::Checked(int id) const
{
    const auto it = checks.find(id);
    return it != checks.end() && it->second;
}

void ConfigurationModel::SetChecked(int id, bool on)
{
    const auto it = checks.find(id);
    if (it != checks.end())
        it->second = on;
}

} // namespace tools
