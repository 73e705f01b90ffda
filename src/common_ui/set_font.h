#pragma once

#include <QColor>
#include <QString>
#include <QVariant>
#include <QWidget>
#include <cstdint>

namespace commonModule {

// Styles any control: font name, bold, text colour and font size, in this order,
// then the caption when one is given. What the control does not have (a shape has
// no font, a text box no caption) is skipped.
void Set_Font(QWidget* oCtrl, const QString& sCaption, const QString& sFontName, std::int16_t iFontSize, bool bBold,
              const QVariant& vForeColor);

}  // namespace commonModule
