#include "editctl/DisplayFontMetrics.h"

namespace editctl {

DisplayFontMetrics::DisplayFontMetrics()
    : font(DisplayFont::Get(face, height, forms))
{
}

void DisplayFontMetrics::SetFont(const std::string& newFace, int newHeight)
{
    face = QString::fromStdString(newFace);
    height = newHeight;
    font = DisplayFont::Get(face, height, forms);
}

bool DisplayFontMetrics::SetDisplayForms(const DisplayForms& newForms)
{
    if (newForms == forms)
        return false;
    forms = newForms;
    font = DisplayFont::Get(face, height, forms);
    return true;
}

} // namespace editctl
