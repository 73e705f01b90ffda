#include "common_ui/set_font.h"

#include "platform/ui/controls.h"
#include "platform/ui/fonts.h"

#include <QAbstractButton>
#include <QLabel>

namespace commonModule {
namespace {

bool hasText(const QWidget* w)
{
    return qobject_cast<const QLabel*>(w) || qobject_cast<const QAbstractButton*>(w) || w->inherits("QLineEdit") ||
           w->inherits("QComboBox") || w->inherits("QListWidget") || w->inherits("QTextEdit");
}

void setForeColor(QWidget* w, const QColor& c)
{
    if (auto* label = qobject_cast<ui::Label*>(w)) {
        label->setForeColor(c);
        return;
    }
    QPalette p = w->palette();
    p.setColor(QPalette::WindowText, c);
    p.setColor(QPalette::ButtonText, c);
    p.setColor(QPalette::Text, c);
    w->setPalette(p);
}

}  // namespace

void Set_Font(QWidget* oCtrl, const QString& sCaption, const QString& sFontName, std::int16_t iFontSize, bool bBold,
              const QVariant& vForeColor)
{
    if (!oCtrl || !hasText(oCtrl)) return;
    QFont f = oCtrl->font();
    f.setFamily(ui::familyFor(sFontName));
    f.setBold(bBold);
    if (vForeColor.canConvert<QColor>()) setForeColor(oCtrl, vForeColor.value<QColor>());
    if (iFontSize > 0) f.setPointSize(iFontSize);
    oCtrl->setFont(f);
    if (sCaption.isEmpty()) return;
    if (auto* label = qobject_cast<QLabel*>(oCtrl))
        label->setText(sCaption);
    else if (auto* button = qobject_cast<QAbstractButton*>(oCtrl))
        button->setText(sCaption);
}

}  // namespace commonModule
