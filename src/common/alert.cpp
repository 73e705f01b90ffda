#include "common/alert.h"

#include <QTextStream>

namespace commonModule {
namespace {

// Until the program registers its message box, a message is written out.
void writeOut(const QString& message) { QTextStream(stderr) << message.trimmed() << Qt::endl; }

Alert_Presenter& presenter()
{
    static Alert_Presenter p = writeOut;
    return p;
}

unsigned long shownCount = 0;

}  // namespace

Alert_Presenter Set_Alert_Presenter(Alert_Presenter p)
{
    Alert_Presenter previous = std::move(presenter());
    presenter() = p ? std::move(p) : Alert_Presenter(writeOut);
    return previous;
}

void Show_Alert(const QString& sMessage)
{
    if (sMessage.trimmed().isEmpty()) return;
    ++shownCount;
    presenter()(sMessage);
}

unsigned long alertsShown() { return shownCount; }

}  // namespace commonModule
