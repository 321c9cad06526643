/** @file ConfigurationModel.h
 ** The configuration dialog without widgets: its fields, what they show for missing keys, the
 ** number-field rule, and what "&Save" writes to "Settings". **/
#pragma once

#include <array>
#include <map>
#include <string>
#include <string_view>

namespace platform {
class SettingsStore;
}

namespace tools {

inline constexpr int ConfigurationDialogId = 147;
inline constexpr int ConfigurationSaveId = 1017;
inline constexpr int ConfigurationCancelId = 1016;
inline constexpr int NumberFieldMaxLength = 3;

enum class FieldKind { Number, Check };

/// One control of the dialog and the value it edits. Number fields are stored as strings, check
/// boxes as integers 0 or 1.
struct ConfigurationField {
    int id;
    FieldKind kind;
    const char* label;
    const char* key;
    const char* defaultText; // number fields
    int defaultValue;        // check boxes
    bool inResembleGroup;    // inside "Resembel Options : "
};

/// The fifteen fields, in the order the dialog shows them.
const std::array<ConfigurationField, 15>& ConfigurationFields();
const ConfigurationField* FindConfigurationField(int id);

/// What a number field may hold: digits only, at most three of them (empty is allowed).
bool IsNumberFieldText(std::string_view text);

/// The values the dialog shows, by control id. Reads every key when the dialog is shown and
/// writes them only on Save.
class ConfigurationModel {
public:
    ConfigurationModel();
    /// Every key from "Settings", with the dialog's defaults for missing ones.
    void Load(const platform::SettingsStore& store);
    /// The six string keys ("Tab", "MaxChar", "Left", "RIGHT", "IWP", "JIWP"), then the nine
    /// integer keys.
    void Save(platform::SettingsStore& store) const;

    std::string Text(int id) const;
    /// False (and nothing changes) for text a number field refuses or an id that is not one.
    bool SetText(int id, const std::string& text);
    bool Checked(int id) const;
    void SetChecked(int id, bool on);

private:
    std::map<int, std::string> texts;
    std::map<int, bool> checks;
};

} // namespace tools
