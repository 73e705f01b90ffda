#pragma once

#include <QString>
#include <QStringList>

// The screening bench's fixed rating words. Each rating takes one word of its list
// (or is left empty when not rated); a word's index is its place in the list from 0.
namespace screenRatings {

// The lists as the screening bench keeps them, words separated by "~".
inline constexpr char kAppearance[] = "NORML~LAYRD~MILKY~HAZY~GLYCL";
inline constexpr char kOdor[] = "NORML~AMMON~BURNT~FREON~SOLVT~OTHER";
inline constexpr char kWater[] = "NEG~0.1%~0.5%~1.0%~2.0%~5.0%~>10%";
inline constexpr char kDefault[] = "NONE~VLITE~LIGHT~LTMOD~MODER~MDHVY~HEAVY";

// The ten ratings of a screening.
enum class Field {
    White_Metal,
    Babbitt,
    Appearance,
    Precipitate,
    Dirt,
    Debris,
    Silt,
    Odor,
    H2O_Emul,
    H2O_Free,
};

// The rating a field name stands for, in any letter case ("yellow_metal" is Babbitt,
// "h2o free" is H2O_Free); false when the name is not a rating's.
bool fieldOf(const QString& name, Field* field);

// The list text a rating's words come from.
QString listOf(Field field);

// The words of a list text.
QStringList wordsOf(const QString& list);

}  // namespace screenRatings
