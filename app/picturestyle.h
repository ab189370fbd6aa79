#pragma once

#include "picturecontent.h"

#include <QString>

#include <array>
#include <utility>
#include <vector>

namespace app {

// The picture style's choices: the menu's "Picture Style" offers them, the settings remember each
// by its option's name, and the command line's style options take the same names.
enum Choice { Background, LineWidth, Numbers, Grid, KeyPointMarks, PrintedSize, PrintedBackground };
struct ChoiceDesign {
    const char *key;   // under which the settings remember it
    const char *title; // the menu's, in the context "app::PictureActions"
    // Each option's name and title in the menu; an item on or off has "off" and "on", untitled.
    std::vector<std::pair<const char *, const char *>> options;
    // The command line's option and its complaint (context "app::CommandLine"), if it has one.
    const char *option = nullptr;
    const char *mistake = nullptr;
};
extern const std::array<ChoiceDesign, 7> choiceDesigns;
using Choices = std::array<int, 7>;

// The option of `choice` named `name`, in any case; -1 for none.
int optionNamed(int choice, const QString &name);
// The choices remembered; the first option of each that is not.
Choices rememberedChoices();
void remember(int choice, int option);
graphing::PictureStyle styleOf(const Choices &chosen);

} // namespace app
