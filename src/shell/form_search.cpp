#include "shell/form_search.h"

#include "common/common_module.h"
#include "common/station_status.h"
#include "common_ui/set_font.h"
#include "common_ui/window_place.h"
#include "platform/clock/clock.h"
#include "platform/ui/twips.h"
#include "records/rack.h"
#include "shell/design_pictures.h"

#include <QKeyEvent>

Form_Search::Form_Search()
{
    setObjectName(QStringLiteral("Form_Search"));
    ui::setTwipGeometry(this, 0, 0, kWidth, kHeight);
    picture_ = new ui::Image(this);
    picture_->setObjectName(QStringLiteral("search_background"));
    picture_->setStretch(true);
    ui::setTwipGeometry(picture_, 0, 0, kWidth, kHeight);

    lst_os = new QListWidget(this);
    lst_os->setObjectName(QStringLiteral("lst_os"));
    ui::setTwipGeometry(lst_os, 360, 600, 4080, 3540);
    txt_wo = new ui::TextBox(this);
    txt_wo->setObjectName(QStringLiteral("txt_wo"));
    ui::setTwipGeometry(txt_wo, 4880, 240, 4325, 735);

    const double lefts[] = {4920, 6000, 7080};
    const double tops[] = {1320, 2400, 3360};
    for (int digit = 1; digit <= 9; ++digit)
        lbl_No[digit] = ui::newControl<ui::Label>(this, QStringLiteral("lbl_No_%1").arg(digit), lefts[(digit - 1) % 3],
                                                  tops[(digit - 1) / 3], 945, 855);
    lbl_No[0] = ui::newControl<ui::Label>(this, QStringLiteral("lbl_No_0"), 6000, 4440, 945, 855);
    lbl_Go = ui::newControl<ui::Label>(this, QStringLiteral("lbl_Go"), 8160, 1320, 945, 855);
    lbl_Clear = ui::newControl<ui::Label>(this, QStringLiteral("lbl_Clear"), 8160, 2400, 945, 855);
    lbl_Refresh = ui::newControl<ui::Label>(this, QStringLiteral("lbl_Refresh"), 200, 4560, 1575, 855);
    lbl_getRack = ui::newControl<ui::Label>(this, QStringLiteral("lbl_getRack"), 1860, 4540, 1575, 855);
    lbl_Exit = ui::newControl<ui::Label>(this, QStringLiteral("lbl_Exit"), 3500, 4500, 1180, 900);
    Timer1 = new QTimer(this);
    Timer1->setInterval(0);

    for (int digit = 0; digit <= 9; ++digit) {
        const auto index = static_cast<std::int16_t>(digit);
        connect(lbl_No[digit], &ui::Label::clicked, this, [this, index] { lbl_No_Click(index); });
    }
    connect(lbl_Go, &ui::Label::clicked, this, &Form_Search::lbl_Go_Click);
    connect(lbl_Clear, &ui::Label::clicked, this, &Form_Search::lbl_Clear_Click);
    connect(lbl_Refresh, &ui::Label::clicked, this, &Form_Search::lbl_Refresh_Click);
    connect(lbl_getRack, &ui::Label::clicked, this, &Form_Search::lbl_getRack_Click);
    connect(lbl_Exit, &ui::Label::clicked, this, &Form_Search::lbl_Exit_Click);
    connect(lst_os, &QListWidget::itemDoubleClicked, this, &Form_Search::lst_os_DblClick);
    connect(Timer1, &QTimer::timeout, this, &Form_Search::Timer1_Timer);
}

void Form_Search::Form_Load()
{
    using namespace commonModule;
    savedStatus_ = App_Status;
    App_Status = stationStatus::Idle;
    ui::setTwipGeometry(this, ui::Left(this), ui::Top(this), 0, 0);

    if (Search_Action.isEmpty()) Search_Action = QStringLiteral("FIND");
    Chosen_Rack.clear();
    Found_Sample_Id.clear();
    Target_Index = -1;
    Rack_Count = 0;
    Rack_Index = 0;

    QPalette list = lst_os->palette();
    list.setColor(QPalette::Base, Color_List_Back);
    lst_os->setPalette(list);
    QPalette back = palette();
    back.setColor(QPalette::Window, Color_White);
    setPalette(back);
    setAutoFillBackground(true);
    Set_Font(lst_os, QString(), QStringLiteral("Eurostile"), 22, true, Color_Amber);
    Set_Font(txt_wo, QString(), QStringLiteral("Eurostile"), 26, true, Color_Black);
    picture_->loadPicture(designPicture(QStringLiteral("search_background.gif")));

    Records_Found = Load_Racks();
    const int listed = lst_os->count();
    const bool find = Search_Action == QLatin1String("FIND");
    const bool automatic = (find && !Preselected_Rack.isEmpty() && listed > 0) || (find && listed == 1) ||
                           Search_Action == QLatin1String("PREV") || Search_Action == QLatin1String("NEXT");
    if (Records_Found && automatic) {
        Timer1->setInterval(1000);
        Timer1->start();
    } else {
        ui::setTwipGeometry(this, ui::Left(this), ui::Top(this), kWidth, kHeight);
        picture_->setGeometry(rect());
    }
}

void Form_Search::Form_Unload()
{
    Timer1->stop();
    Close_Recordset();
    commonModule::App_Status = savedStatus_;
    commonModule::Last_Activity = stationClock::now();
}

bool Form_Search::Load_Racks()
{
    using namespace commonModule;
    lst_os->clear();
    Rack_Count = 0;
    racks_ = Curr_Rack().Get_Samples(Curr_Test_Group.trimmed(), Priority_Filter);
    preselectedIndex_.clear();
    if (racks_.columnCount() == 0) return false;
    for (racks_.moveFirst(); !racks_.eof(); racks_.moveNext()) {
        lst_os->addItem(db::textOf(racks_.value(QStringLiteral("RACK_DESC"))).trimmed());
        ++Rack_Count;
    }
    if (lst_os->count() == 1) lst_os->setCurrentRow(0);
    if (!Preselected_Rack.isEmpty()) {
        for (int i = 0; i < lst_os->count(); ++i)
            if (lst_os->item(i)->text() == Preselected_Rack) {
                preselectedIndex_ = QString::number(i);
                break;
            }
    }
    return true;
}

void Form_Search::Timer1_Timer()
{
    Timer1->stop();
    Timer1->setInterval(0);
    if (lst_os->count() == 0) {
        hide();
        return;
    }
    lst_os->setCurrentRow(0);
    if (!commonModule::Results_Saved) {
        const QString answer = Find_Rack_Index();
        if (Preselected_Rack.isEmpty() && answer != commonModule::Curr_Rack().Rack_Desc) lst_os->setCurrentRow(Target_Index);
    }
    Rack_Index = static_cast<std::int16_t>(selectedRow());
    Take_Rack();
}

QString Form_Search::Find_Rack_Index()
{
    const QString current = commonModule::Curr_Rack().Rack_Desc;
    QString answer = current;
    const int count = lst_os->count();
    for (int i = 0; i < count; ++i) {
        if (lst_os->item(i)->text() != current) continue;
        if (Search_Action == QLatin1String("PREV") && i > 0) {
            answer = lst_os->item(i - 1)->text();
            Target_Index = static_cast<std::int16_t>(i - 1);
        } else if (Search_Action == QLatin1String("NEXT") && i < count - 1) {
            answer = lst_os->item(i + 1)->text();
            Target_Index = static_cast<std::int16_t>(i + 1);
        }
        break;
    }
    return answer;
}

void Form_Search::Take_Rack()
{
    Close_Recordset();
    if (!Preselected_Rack.isEmpty() && !preselectedIndex_.isEmpty()) lst_os->setCurrentRow(preselectedIndex_.toInt());
    const int selected = selectedRow();
    Target_Index = static_cast<std::int16_t>(selected);
    Chosen_Rack = selected >= 0 ? lst_os->item(selected)->text() : QString();
    Rack_Index = static_cast<std::int16_t>(selected);
    hide();
}

int Form_Search::selectedRow() const
{
    // The list's current row is not a choice: a list that takes the focus makes its
    // first row current without selecting it.
    const QList<QListWidgetItem*> selected = lst_os->selectedItems();
    return selected.isEmpty() ? -1 : lst_os->row(selected.first());
}

void Form_Search::lbl_No_Click(std::int16_t Index)
{
    if (Index < 0 || Index > 9) return;
    if (txt_wo->text().size() < 8) txt_wo->setText(txt_wo->text() + QString::number(Index));
}

void Form_Search::lbl_Go_Click()
{
    using namespace commonModule;
    if (txt_wo->text().isEmpty()) return;
    const QString padded = (QStringLiteral("00000000") + txt_wo->text()).right(8);
    txt_wo->setText(padded);
    const QString answer = Curr_Rack().Sample_Found(padded, Curr_Test_Group.trimmed());
    if (answer == Curr_Rack().Rack_Desc) return;
    Found_Sample_Id = padded;
    Sample_Located = true;
    Chosen_Rack = answer;
    Close_Recordset();
    hide();
}

void Form_Search::lbl_Exit_Click()
{
    Close_Recordset();
    Chosen_Rack.clear();
    Target_Index = -1;
    hide();
}

void Form_Search::Close_Recordset() { racks_.close(); }

void Form_Search::showEvent(QShowEvent* e)
{
    if (width() > 0) centreWindow(this, parentWidget());
    ui::Form::showEvent(e);
}

void Form_Search::keyPressEvent(QKeyEvent* e)
{
    // Escape leaves like the exit key, so the answer is never half set.
    if (e->key() == Qt::Key_Escape) {
        e->accept();
        lbl_Exit_Click();
        return;
    }
    ui::Form::keyPressEvent(e);
}
