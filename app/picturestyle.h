#pragma once

#include "picturecontent.h"

#include <QString>

#include <array>
#include <utility>
#include <vector>

namespace app {

// The picture style's choices, in one table: the menu's "Picture Style" offers them, the settings
// remember each by its option's name (so that a menu in another order reads it alike), and the
// command line's style options take the same names.
enum Choice { Background, LineWidth, Numbers, Grid, KeyPointMarks, PrintedSize, PrintedBackground };
struct ChoiceDesign {
    const char *key;   // under which the settings remember it
    const char *title; // the menu's, in the context "app::PictureActions"
    // Each option's name and title in the menu; an item on or off has "off" and "on", untitled.
    std::vector<std::pair<const char *, const char *>> options;
    // The command line's option, and its complaint of a name not among the options (in the context
    // "app::CommandLine"); none for a choice of the menu alone.
    const char *option = nullptr;
    const char *mistake = nullptr;
};
extern const std::array<ChoiceDesign, 7> choiceDesigns;
// The option taken for each choice, by its place in the table.
using Choices = std::array<int, 7>;

// The option of `choice` named `name`, in any case; -1 for none.
int optionNamed(int choice, const QString &name);
// The choices the settings remember; the first option of each they do not.
Choices rememberedChoices();
void remember(int choice, int option);
graphing::PictureStyle styleOf(const Choices &chosen);

} // namespace app
