/** @file WarningAnswers.h
 ** What the warnings answer, without the windows that ask. **/
#pragma once

namespace extras {

/// Answer of the save-changes warning; the values are the warning's result field.
enum class SaveChangesAnswer { Yes = 1, No = 2, Cancel = 3 };

} // namespace extras
