#include "tools/ConfigurationModel.h"

#include <algorithm>

namespace tools {

const std::array<ConfigurationField, 15>& ConfigurationFields()
{
    using K = FieldKind;
    using V = ConfigurationValues;
    static const std::array<ConfigurationField, 15> fields = {{
        {1015, K::Number, "Tab    :", &V::tab, nullptr, false},
        {1019, K::Number, "Max   :", &V::maxChars, nullptr, false},
        {1030, K::Check, "Ident on Resembel ?", nullptr, &V::indentOnResemble, true},
        {1022, K::Number, "Left :", &V::left, nullptr, true},
        {1023, K::Number, "Right :", &V::right, nullptr, true},
        {1024, K::Check, "Justify on Resembel ?", nullptr, &V::justifyOnResemble, true},
        {1025, K::Check, "Resembel on load", nullptr, &V::resembleOnLoad, true},
        {1027, K::Number, "Resmble Ignorance width :", &V::ignoranceWidth, nullptr, true},
        {1029, K::Number, "Justify Ignorance width :", &V::justifyIgnoranceWidth, nullptr, true},
        {1028, K::Check, "Show splash screen on startup ?", nullptr, &V::splashScreen, false},
        {1018, K::Check, "Enable dos mod (in load,save and wraping)", nullptr, &V::dosMode, false},
        {1020, K::Check, "Save with kelmora header ?", nullptr, &V::saveHeader, false},
        {1021, K::Check, "Save settings on exit ?", nullptr, &V::saveOnExit, false},
        {1026, K::Check, "Save window position on exit ?", nullptr, &V::saveWindowOnExit, false},
        {1031, K::Check, "Start with the most recent document ?", nullptr, &V::startWithLastDocument, false},
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

void ConfigurationModel::SetValues(const ConfigurationValues& shown)
{
    values = shown;
    for (const ConfigurationField& f : ConfigurationFields())
        if (f.kind == FieldKind::Number)
            (values.*f.text).resize(std::min((values.*f.text).size(), static_cast<size_t>(NumberFieldMaxLength)));
}

std::string ConfigurationModel::Text(int id) const
{
    const ConfigurationField* f = FindConfigurationField(id);
    return f && f->kind == FieldKind::Number ? values.*f->text : std::string();
}

bool ConfigurationModel::SetText(int id, const std::string& text)
{
    const ConfigurationField* f = FindConfigurationField(id);
    if (!f || f->kind != FieldKind::Number || !IsNumberFieldText(text))
        return false;
    values.*f->text = text;
    return true;
}

bool ConfigurationModel::Checked(int id) const
{
    const ConfigurationField* f = FindConfigurationField(id);
    return f && f->kind == FieldKind::Check && values.*f->flag;
}

void ConfigurationModel::SetChecked(int id, bool on)
{
    const ConfigurationField* f = FindConfigurationField(id);
    if (f && f->kind == FieldKind::Check)
        values.*f->flag = on;
}

} // namespace tools
