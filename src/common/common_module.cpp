#include "common/common_module.h"

namespace commonModule {

QString App_Status;
QDateTime Last_Activity;
QString Image_Dir;
QString Curr_Test_Group;
QString Curr_Instrument_Id;
QVariant Curr_Batch_Id;
QVariant Curr_Batch_Name;
QString Curr_Lab_Number;
QString Curr_Sample_Id;
bool Rerun_Requested = false;
std::int16_t Curr_Position = 0;
QVariant Saved_Back_Color;
QString Edited_Sample_Id;
bool Results_Saved = false;
QString Priority_Filter;
bool Records_Found = false;

QColor Color_Form_Back;
QColor Color_Blue;
QColor Color_Slate;
QColor Color_Navy;
QColor Color_Border;
QColor Color_Grey;
QColor Color_List_Back;
QColor Color_Black;
QColor Color_Amber;
QColor Color_White;

void Init_Colors()
{
    Color_Form_Back = QColor(74, 80, 85);
    Color_Blue = QColor(0, 73, 127);
    Color_Slate = QColor(74, 80, 85);
    Color_Navy = QColor(23, 49, 74);
    Color_Border = QColor(87, 99, 110);
    Color_Grey = QColor(91, 101, 110);
    Color_List_Back = QColor(44, 61, 77);
    Color_Black = QColor(0, 0, 0);
    Color_Amber = QColor(233, 176, 25);
    Color_White = QColor(255, 255, 255);
}

void Reset_Globals()
{
    Curr_Test_Group.clear();
    Curr_Lab_Number.clear();
    Curr_Sample_Id.clear();
    Curr_Instrument_Id.clear();
    Curr_Batch_Id = QVariant();
    Curr_Batch_Name = QString();
}

}  // namespace commonModule
