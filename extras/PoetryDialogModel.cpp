#include "extras/PoetryDialogModel.h"

#include "editctl/PersianEdit.h"
#include "extras/VerseLayout.h"
#include "keymap/KeymapConverter.h"
#include "platform/Clock.h"
#include "platform/MessageService.h"
#include "platform/TextMode.h"

namespace extras {

PoetryDialogModel::PoetryDialogModel(PoetryContext context) : context(std::move(context)) {}

void PoetryDialogModel::Report(const std::string& path)
{
    if (reported)
        return;
    reported = true;
    context.messages.Show(PoemLibrary::FailureText(path), Caption, platform::MessageButtons::Ok,
                          platform::MessageIcon::Error);
}

void PoetryDialogModel::Open(const QuvelSettings& saved)
{
    settings = saved;
    if (!library.Open(context.programFolder))
        Report(library.FailedPath());
    DrawNumber();
}

int PoetryDialogModel::SetNumber(int typed)
{
    number = ClampPoemNumber(typed, Count());
    LoadPoem();
    return number;
}

bool PoetryDialogModel::LoadPoem()
{
    if (number < 1 || number > Count())
        return false;
    if (library.LoadPoem(number, shown))
        return true;
    // The poem file changed under us; the library is closed now and loads nothing more.
    Report(library.FailedPath());
    shown = Poem{};
    return false;
}

int PoetryDialogModel::DrawNumber()
{
    return SetNumber(context.random.Next() % (Count() + 1));
}

int PoetryDialogModel::SetN(int typed)
{
    const int n = EvenLineCount(typed);
    settings.n = std::to_string(n);
    return n;
}

int PoetryDialogModel::SetTab1(int typed)
{
    const int tab = ClampTab(typed);
    settings.tab1 = std::to_string(tab);
    return tab;
}

int PoetryDialogModel::SetTab2(int typed)
{
    const int tab = ClampTab(typed);
    settings.tab2 = std::to_string(tab);
    return tab;
}

std::string PoetryDialogModel::Insert()
{
    LoadPoem();
    const std::optional<std::string> excerpt =
        ChooseLines(shown, ChoiceOf(settings), platform::AtoiRule(settings.n), context.random);
    if (!excerpt)
        return {};
    keymap::KeymapConverter& converter = context.converter;
    // Nothing is inserted through a keymap that did not load; the load reported why.
    if (!converter.LoadKeymaps(PoemKeymap, context.documentKeymap))
        return {};
    converter.input = *excerpt;
    converter.Convert(true);
    std::string text = converter.output;
    if (settings.justify && context.justify)
        text = context.justify(text);
    std::string result = LayOutVerse(text, LayoutOf(settings), shown.LineCount(), ClampTab(platform::AtoiRule(settings.tab1)),
                                     ClampTab(platform::AtoiRule(settings.tab2)));
    if (settings.showNumber)
        result.insert(0, PoemHeader(number));
    return result;
}

JustifyStep JustifyOnHiddenEdit(editctl::PersianEdit& hidden, keymap::KeymapConverter& converter,
                                std::string documentKeymap, JustifyOperation justify)
{
    return [&hidden, &converter, keymapName = std::move(documentKeymap), justify = std::move(justify)](const std::string& text) {
        // Unjustified rather than converted through a keymap that did not load (already reported).
        if (!converter.LoadKeymaps(keymapName, keymapName))
            return text;
        hidden.Window().SetText(text);
        converter.input = text;
        justify(hidden, converter);
        // Justify gives a line for each line of the window, the empty one after the text's last
        // line break too; without it the layout would indent a line the poem does not have.
        std::string justified = converter.output;
        if (text.ends_with("\r\n") && justified.ends_with("\r\n\r\n"))
            justified.resize(justified.size() - 2);
        return justified;
    };
}

void ReplaceSelectionWithPoem(editctl::PersianEdit& edit, const std::string& result)
{
    if (result.empty())
        return;
    edit.Window().ReplaceSel(result);
    edit.modified = true;
}

std::string InsertRandomPoem(editctl::PersianEdit& edit, keymap::KeymapConverter& converter,
                             const QuvelSettings& settings, platform::Random& random,
                             platform::MessageService& messages, const std::string& programFolder,
                             const JustifyStep& justify)
{
    edit.SaveUndo();
    const std::string keymapName = edit.KeyMapInUse() ? edit.KeyMapInUse()->FileName() : std::string();
    PoetryDialogModel model({converter, keymapName, programFolder, random, messages, justify});
    model.Open(settings);
    const std::string result = model.Insert();
    ReplaceSelectionWithPoem(edit, result);
    return result;
}

} // namespace extras
