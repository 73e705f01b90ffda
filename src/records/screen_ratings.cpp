#include "records/screen_ratings.h"

#include <QHash>

namespace screenRatings {

bool fieldOf(const QString& name, Field* field)
{
    static const QHash<QString, Field> names = {
        {QStringLiteral("WHITE METAL"), Field::White_Metal},
        {QStringLiteral("WHITE_METAL"), Field::White_Metal},
        {QStringLiteral("WHITEMETAL"), Field::White_Metal},
        {QStringLiteral("BABBITT"), Field::Babbitt},
        {QStringLiteral("YELLOW_METAL"), Field::Babbitt},
        {QStringLiteral("YELLOWMETAL"), Field::Babbitt},
        {QStringLiteral("APPEARANCE"), Field::Appearance},
        {QStringLiteral("PRECIPITATE"), Field::Precipitate},
        {QStringLiteral("DIRT"), Field::Dirt},
        {QStringLiteral("DEBRIS"), Field::Debris},
        {QStringLiteral("SILT"), Field::Silt},
        {QStringLiteral("ODOR"), Field::Odor},
        {QStringLiteral("H2O_EMUL"), Field::H2O_Emul},
        {QStringLiteral("H2OEMUL"), Field::H2O_Emul},
        {QStringLiteral("H2O EMUL"), Field::H2O_Emul},
        {QStringLiteral("H2O_FREE"), Field::H2O_Free},
        {QStringLiteral("H2OFREE"), Field::H2O_Free},
        {QStringLiteral("H2O FREE"), Field::H2O_Free},
    };
    const auto it = names.constFind(name.toUpper());
    if (it == names.cend()) return false;
    *field = it.value();
    return true;
}

QString listOf(Field field)
{
    switch (field) {
    case Field::Appearance:
        return QString::fromLatin1(kAppearance);
    case Field::Odor:
        return QString::fromLatin1(kOdor);
    case Field::H2O_Emul:
    case Field::H2O_Free:
        return QString::fromLatin1(kWater);
    default:
        return QString::fromLatin1(kDefault);
    }
}

QStringList wordsOf(const QString& list) { return list.split(QLatin1Char('~')); }

}  // namespace screenRatings
