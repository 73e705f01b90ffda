#pragma once

#include "platform/ui/controls.h"

#include <QFrame>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <array>
#include <vector>

// The bench's history table: the last ten counts since the program started, one
// column per count, newest on the left. Each column is headed by the run's id (a lab
// number, "CHECK" or "FLUSH") and holds the ISO code and the seven channel values per
// unit volume. The table lives only in its labels; nothing of it is stored.
//
// The bench form owns one table. Its load builds it with Load_Element_Labels,
// Layout_History_Grid and History_Grid_Init, in this order; the count processing adds
// a column with History_Add_Result; the run decision reads the newest ISO code from
// h0 item 0 (empty text while no count has been made).
class History_Table {
public:
    static constexpr int Column_Count = 10;
    static constexpr int Row_Count = 8;

    // Creates the frame and the labels that exist before the table is built: the
    // background, the ten column headers, the first row title and the first cell of
    // every column. Everything is a child of `form`, which owns it.
    explicit History_Table(QWidget* form);
    History_Table(const History_Table&) = delete;
    History_Table& operator=(const History_Table&) = delete;

    // The row names: "ISO_CODE,PC_2M,...,PC_200M," split at its commas (the ninth,
    // empty entry is not a row).
    static QStringList Element_List();

    // Building, in this order.
    void Load_Element_Labels();
    void Layout_History_Grid();
    void History_Grid_Init();

    // Adds a new newest column: the run id heads it, row 0 gets the ISO text and
    // rows 1 to 7 the values of 2, 5, 15, 25, 50, 100 and 200 µm, each as text.
    // The oldest column's content is lost.
    void History_Add_Result(const QVariant& run_id, const QVariant& iso_text, const QVariant& m2, const QVariant& m5, const QVariant& m15,
                            const QVariant& m25, const QVariant& m50, const QVariant& m100, const QVariant& m200);
    void History_Scroll();
    void History_Header_Shift();
    void History_Rows_Shift();

    // Read access: column 0 is h0 (newest), 9 is h9 (oldest); row 0 is the ISO code.
    QString Header_Text(int column) const;
    QString Cell_Text(int column, int row) const;

    QFrame* frm_Grid = nullptr;
    ui::Shape* shp_bg = nullptr;
    std::vector<ui::Label*> lbl_elem;
    std::array<ui::Label*, Column_Count> lbl_woHdr{};
    // h[0] is the column h0, ..., h[9] is h9; item k of a column is row k.
    std::array<std::vector<ui::Label*>, Column_Count> h;

private:
    ui::Label* New_Cell_Label(int column);
    QStringList elements_;
};
