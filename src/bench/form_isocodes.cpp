#include "bench/form_isocodes.h"

#include "bench/report_catalogue.h"
#include "common_ui/window_place.h"
#include "platform/ui/twips.h"

namespace {

QPushButton* button(QWidget* parent, const char* name, const QString& caption, double left)
{
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(QString::fromLatin1(name));
    ui::setTwipGeometry(b, left, 1110, 1095, 375);
    return b;
}

}  // namespace

Form_ISOCodes::Form_ISOCodes()
{
    setObjectName(QStringLiteral("Form_ISOCodes"));
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
    setWindowTitle(QStringLiteral("Select ISO Code"));
    ui::setTwipGeometry(this, 0, 0, 4170, 1665);
    setFixedSize(size());

    Label1 = new ui::Label(this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setCaption(QStringLiteral("Select ISO Code"));
    ui::setTwipGeometry(Label1, 150, 150, 3855, 255);

    cbo_ISO = new QComboBox(this);
    cbo_ISO->setObjectName(QStringLiteral("cbo_ISO"));
    cbo_ISO->setPlaceholderText(QStringLiteral("Combo1"));
    ui::setTwipGeometry(cbo_ISO, 180, 450, 3855, 315);

    cmd_Ok = button(this, "cmd_Ok", QStringLiteral("Ok"), 1680);
    cmd_Cancel = button(this, "cmd_Cancel", QStringLiteral("Cancel"), 2910);
    connect(cmd_Ok, &QPushButton::clicked, this, &Form_ISOCodes::cmd_Ok_Click);
    connect(cmd_Cancel, &QPushButton::clicked, this, &Form_ISOCodes::cmd_Cancel_Click);
}

void Form_ISOCodes::Form_Load()
{
    Report_Line.clear();
    ISO_Codes.clear();
    Report_Lines.clear();
    for (const reportCatalogue::Entry& entry : reportCatalogue::entries()) {
        ISO_Codes << entry.code;
        Report_Lines << entry.line;
    }
    cbo_ISO->clear();
    cbo_ISO->addItems(ISO_Codes);
    cbo_ISO->setCurrentIndex(-1);  // nothing picked until the technician picks
}

void Form_ISOCodes::showEvent(QShowEvent* e)
{
    centreWindow(this, parentWidget());
    ui::Form::showEvent(e);
}

void Form_ISOCodes::cmd_Ok_Click()
{
    const int index = cbo_ISO->currentIndex();
    if (index < 0 || index >= Report_Lines.size()) {
        cmd_Cancel_Click();
        return;
    }
    Report_Line = Report_Lines.at(index);
    hide();
}

void Form_ISOCodes::cmd_Cancel_Click()
{
    Report_Line.clear();
    hide();
}
