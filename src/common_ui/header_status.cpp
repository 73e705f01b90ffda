#include "common_ui/header_status.h"

#include <QLabel>
#include <QPointer>

namespace commonModule {
namespace {

QPointer<QLabel>& statusLine()
{
    static QPointer<QLabel> label;
    return label;
}

}  // namespace

void Set_Status_Line(QLabel* label) { statusLine() = label; }

QString Header_Status(const QString& sText)
{
    QLabel* label = statusLine();
    if (!label) return QString();
    const QString previous = label->text();
    label->setText(sText.toLower());
    return previous;
}

}  // namespace commonModule
