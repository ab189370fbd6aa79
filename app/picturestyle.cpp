#include "picturestyle.h"

#include <QCoreApplication>
#include <QSettings>

namespace app {

namespace {
const std::vector<std::pair<const char *, const char *>> onOff{{"off", nullptr}, {"on", nullptr}};
} // namespace

const std::array<ChoiceDesign, 7> choiceDesigns{{
    {"style/background",
     QT_TRANSLATE_NOOP("app::PictureActions", "Background"),
     // In the order of graphing::Background.
     {{"screen", QT_TRANSLATE_NOOP("app::PictureActions", "As on Screen")},
      {"white", QT_TRANSLATE_NOOP("app::PictureActions", "White")},
      {"transparent", QT_TRANSLATE_NOOP("app::PictureActions", "Transparent")}},
     "background",
     QT_TRANSLATE_NOOP("app::CommandLine",
                       "--background must be screen, white or transparent, not '%1'")},
    {"style/lineWidth",
     QT_TRANSLATE_NOOP("app::PictureActions", "Line Width"),
     {{"1", QT_TRANSLATE_NOOP("app::PictureActions", "1 Pixel")},
      {"2", QT_TRANSLATE_NOOP("app::PictureActions", "2 Pixels")},
      {"3", QT_TRANSLATE_NOOP("app::PictureActions", "3 Pixels")},
      {"4", QT_TRANSLATE_NOOP("app::PictureActions", "4 Pixels")}},
     "line-width",
     QT_TRANSLATE_NOOP("app::CommandLine",
                       "--line-width must be a whole number from 1 to 4, not '%1'")},
    {"style/numbers", QT_TRANSLATE_NOOP("app::PictureActions", "Numbers on the Axes"), onOff,
     "numbers"},
    {"style/grid", QT_TRANSLATE_NOOP("app::PictureActions", "Grid"), onOff, "grid"},
    {"style/keyPoints", QT_TRANSLATE_NOOP("app::PictureActions", "Key Points Marked"), onOff},
    {"print/size",
     QT_TRANSLATE_NOOP("app::PictureActions", "Printed Size"),
     {{"page", QT_TRANSLATE_NOOP("app::PictureActions", "As Large as the Page Allows")},
      {"10mm", QT_TRANSLATE_NOOP("app::PictureActions", "1 Unit = 1 cm")},
      {"5mm", QT_TRANSLATE_NOOP("app::PictureActions", "1 Unit = 5 mm")}}},
    {"print/background",
     QT_TRANSLATE_NOOP("app::PictureActions", "Printed Background"),
     {{"white", QT_TRANSLATE_NOOP("app::PictureActions", "White")},
      {"screen", QT_TRANSLATE_NOOP("app::PictureActions", "As on Screen")}}},
}};

int optionNamed(int choice, const QString &name)
{
    const auto &options = choiceDesigns.at(std::size_t(choice)).options;
    for (std::size_t option = 0; option < options.size(); ++option) {
        if (name.compare(QLatin1String(options[option].first), Qt::CaseInsensitive) == 0)
            return int(option);
    }
    return -1;
}

// Until "style/names" is set the settings hold each option's place in the menu: they are read so
// once and written as names; names already there stay, so that a window's start writes nothing.
Choices rememberedChoices()
{
    QSettings remembered(QStringLiteral("function-graph"), QStringLiteral("function-graph"));
    const bool named = remembered.value(QStringLiteral("style/names")).toBool();
    Choices chosen{};
    for (std::size_t choice = 0; choice < chosen.size(); ++choice) {
        const ChoiceDesign &design = choiceDesigns.at(choice);
        const QString saved = remembered.value(QLatin1String(design.key)).toString();
        const int option = named ? optionNamed(int(choice), saved) : saved.toInt();
        chosen.at(choice) = option >= 0 && option < int(design.options.size()) ? option : 0;
        if (!named)
            remember(int(choice), chosen.at(choice));
    }
    if (!named)
        remembered.setValue(QStringLiteral("style/names"), true);
    return chosen;
}

void remember(int choice, int option)
{
    const ChoiceDesign &design = choiceDesigns.at(std::size_t(choice));
    QSettings(QStringLiteral("function-graph"), QStringLiteral("function-graph"))
        .setValue(QLatin1String(design.key),
                  QLatin1String(design.options.at(std::size_t(option)).first));
}

graphing::PictureStyle styleOf(const Choices &chosen)
{
    return {graphing::Background(chosen[Background]), chosen[LineWidth] + 1, chosen[Numbers] == 1,
            chosen[Grid] == 1, chosen[KeyPointMarks] == 1};
}

} // namespace app
