/** @file ConfigurationModel.h
 ** The configuration dialog without widgets: its fields, the number-field rule, and the values the
 ** fields show, by control id. **/
#pragma once

#include "tools/ConfigurationValues.h"

#include <array>
#include <string>
#include <string_view>

namespace tools {

inline constexpr int ConfigurationDialogId = 147;
inline constexpr int ConfigurationSaveId = 1017;
inline constexpr int ConfigurationCancelId = 1016;
inline constexpr int NumberFieldMaxLength = 3;

enum class FieldKind { Number, Check };

/// One control of the dialog and the value it edits: a number field edits a text of
/// ConfigurationValues, a check box one of its flags.
struct ConfigurationField {
    int id;
    FieldKind kind;
    const char* label;
    std::string ConfigurationValues::*text; // number fields
    bool ConfigurationValues::*flag;        // check boxes
    bool inResembleGroup;                   // inside "Resembel Options : "
};

/// The fifteen fields, in the order the dialog shows them.
const std::array<ConfigurationField, 15>& ConfigurationFields();
const ConfigurationField* FindConfigurationField(int id);

/// What a number field may hold: digits only, at most three of them (empty is allowed).
bool IsNumberFieldText(std::string_view text);

/// The values the dialog shows and edits.
class ConfigurationModel {
public:
    /// Shows `shown`; a stored text longer than a field holds is cut as the field would show it.
    void SetValues(const ConfigurationValues& shown);
    const ConfigurationValues& Values() const { return values; }

    std::string Text(int id) const;
    /// False (and nothing changes) for text a number field refuses or an id that is not one.
    bool SetText(int id, const std::string& text);
    bool Checked(int id) const;
    void SetChecked(int id, bool on);

private:
    ConfigurationValues values;
};

} // namespace tools
