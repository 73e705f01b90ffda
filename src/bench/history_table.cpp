#include "bench/history_table.h"

#include "common/common_module.h"
#include "common_ui/set_font.h"
#include "platform/ui/fonts.h"
#include "platform/ui/twips.h"

namespace {

// Design places in the frame, in twips.
constexpr double Header_Lefts[History_Table::Column_Count] = {1665, 2565, 3465, 4365, 5265, 6165, 7065, 7980, 8865, 9765};
constexpr double Cell_Lefts[History_Table::Column_Count] = {1695, 2565, 3465, 4365, 5280, 6165, 7065, 7965, 8865, 9765};
constexpr double Header_Top = 345;
constexpr double Header_Height = 255;
constexpr double Cell_Top = 585;
constexpr double Cell_Height = 300;
constexpr double Cell_Width = 900;
constexpr double Elem_Width = 1100;
constexpr double Row_Gap = 20;

const QColor Elem_Back_Color(224, 224, 224);

}  // namespace

History_Table::History_Table(QWidget* form) : elements_(Element_List())
{
    frm_Grid = new QFrame(form);
    frm_Grid->setObjectName(QStringLiteral("frm_Grid"));
    frm_Grid->setFrameShape(QFrame::NoFrame);
    ui::setTwipGeometry(frm_Grid, 330, 3090, 11925, 3405);

    shp_bg = new ui::Shape(frm_Grid);
    shp_bg->setObjectName(QStringLiteral("shp_bg"));
    shp_bg->setBorderWidth(3);
    ui::setTwipGeometry(shp_bg, 20, 20, 11655, 3120);

    auto* first_elem = new ui::Label(frm_Grid);
    first_elem->setObjectName(QStringLiteral("lbl_elem"));
    ui::setTwipGeometry(first_elem, 225, 585, 1275, Cell_Height);
    lbl_elem.push_back(first_elem);

    for (int i = 0; i < Column_Count; ++i) {
        auto* header = new ui::Label(frm_Grid);
        header->setObjectName(QStringLiteral("lbl_woHdr"));
        ui::setTwipGeometry(header, Header_Lefts[i], Header_Top, Cell_Width, Header_Height);
        lbl_woHdr[i] = header;

        ui::Label* cell = New_Cell_Label(i);
        ui::setTwipGeometry(cell, Cell_Lefts[i], Cell_Top, Cell_Width, Cell_Height);
        h[i].push_back(cell);
    }
}

QStringList History_Table::Element_List()
{
    return QStringLiteral("ISO_CODE,PC_2M,PC_5M,PC_15M,PC_25M,PC_50M,PC_100M,PC_200M,").split(QLatin1Char(','));
}

ui::Label* History_Table::New_Cell_Label(int column)
{
    auto* cell = new ui::Label(frm_Grid);
    cell->setObjectName(QStringLiteral("h%1").arg(column));
    cell->setFont(ui::stationFont(QStringLiteral("Arial"), 9, false));
    return cell;
}

void History_Table::Load_Element_Labels()
{
    const double left = ui::Left(lbl_elem[0]);
    const double height = ui::Height(lbl_elem[0]);
    for (int i = 0; i <= elements_.size() - 2; ++i) {
        if (i >= static_cast<int>(lbl_elem.size())) {
            auto* label = new ui::Label(frm_Grid);
            label->setObjectName(QStringLiteral("lbl_elem"));
            lbl_elem.push_back(label);
        }
        ui::Label* label = lbl_elem[i];
        label->setBorder(false);
        label->setOpaque(false);
        label->setCaption(QStringLiteral(" ") + elements_[i]);
        // Under the previous title with the rows' gap, so each title stands level
        // with its row of cells.
        const double top = i == 0 ? ui::Top(label) : ui::Top(lbl_elem[i - 1]) + height + Row_Gap;
        ui::setTwipGeometry(label, left, top, Elem_Width, height);
        label->show();
        label->raise();
        label->setAlignment(Qt::AlignRight | Qt::AlignTop);
        label->setBackColor(Elem_Back_Color);
        commonModule::Set_Font(label, QString(), QStringLiteral("Arial"), 9, true, commonModule::Color_White);
    }
}

void History_Table::Layout_History_Grid()
{
    const double row_height = ui::Height(h[0][0]);
    const double first_left = ui::Left(lbl_elem[0]) + Elem_Width + 2 * ui::twipsPerPixelX();
    for (int i = 0; i < Column_Count; ++i) {
        std::vector<ui::Label*>& column = h[i];
        const double left = first_left + Cell_Width * i;
        for (int k = 0; k < Row_Count; ++k) {
            if (k >= static_cast<int>(column.size())) column.push_back(New_Cell_Label(i));
            ui::Label* cell = column[k];
            cell->setCaption(QString());
            cell->setBorder(false);
            cell->setOpaque(true);
            const double top = k == 0 ? ui::Top(cell) : ui::Top(column[k - 1]) + row_height + Row_Gap;
            ui::setTwipGeometry(cell, left, top, Cell_Width, row_height);
            cell->show();
            cell->raise();
            cell->setForeColor(commonModule::Color_Navy);
            cell->setBackColor(k == 0 || i == 0 ? commonModule::Color_White : commonModule::Color_Grey);
        }
        ui::setLeft(lbl_woHdr[i], left);
    }
}

void History_Table::History_Grid_Init()
{
    for (int i = 0; i < Column_Count; ++i) {
        lbl_woHdr[i]->setCaption(QString());
        for (ui::Label* cell : h[i]) cell->setCaption(QString());
    }
}

void History_Table::History_Header_Shift()
{
    for (int k = Column_Count - 1; k >= 1; --k) lbl_woHdr[k]->setCaption(lbl_woHdr[k - 1]->caption());
}

void History_Table::History_Rows_Shift()
{
    for (std::size_t k = 0; k < h[0].size(); ++k)
        for (int i = Column_Count - 1; i >= 1; --i)
            if (k < h[i].size() && k < h[i - 1].size()) h[i][k]->setCaption(h[i - 1][k]->caption());
}

void History_Table::History_Scroll()
{
    History_Header_Shift();
    History_Rows_Shift();
}

void History_Table::History_Add_Result(const QVariant& run_id, const QVariant& iso_text, const QVariant& m2, const QVariant& m5,
                                       const QVariant& m15, const QVariant& m25, const QVariant& m50, const QVariant& m100,
                                       const QVariant& m200)
{
    History_Scroll();
    const QVariant values[Row_Count] = {iso_text, m2, m5, m15, m25, m50, m100, m200};
    std::vector<ui::Label*>& newest = h[0];
    for (std::size_t k = 0; k < newest.size() && k < Row_Count; ++k) newest[k]->setCaption(values[k].toString());
    lbl_woHdr[0]->setCaption(run_id.toString());
}

QString History_Table::Header_Text(int column) const
{
    if (column < 0 || column >= Column_Count) return {};
    return lbl_woHdr[column]->caption();
}

QString History_Table::Cell_Text(int column, int row) const
{
    if (column < 0 || column >= Column_Count || row < 0 || row >= static_cast<int>(h[column].size())) return {};
    return h[column][row]->caption();
}
