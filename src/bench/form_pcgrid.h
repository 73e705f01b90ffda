#pragma once

#include "platform/ui/controls.h"
#include "platform/ui/form.h"

#include <QCheckBox>
#include <QString>
#include <array>

// The histogram panel: a small borderless window beside the bench that draws the
// latest count as seven bars (2, 5, 15, 25, 50, 100 and 200 µm) on a linear scale
// taken from a fixed ladder, with the counter's ISO code in the corner. A check box
// under each bar leaves that channel out; the scale then fits the channels shown.
// The panel keeps only the values it was last given.
class form_pcGrid : public ui::Form {
    Q_OBJECT
public:
    static constexpr int Channel_Count = 7;

    explicit form_pcGrid(QWidget* parent = nullptr);

    // Stores the code and the seven values per unit volume, then draws them.
    void Show_histogram(const QString& sISO_Code, double m2, double m5, double m15, double m25, double m50, double m100, double m200);

    // Lays the panel out to the width of the rack screen's rack panel (twips).
    void Resize(double rack_panel_width);

    ui::Shape* shp_histbg = nullptr;
    ui::Shape* shp_Histogram = nullptr;
    std::array<ui::Shape*, Channel_Count> shp_size{};
    std::array<QCheckBox*, Channel_Count> chk_size{};
    std::array<ui::Label*, Channel_Count> lbl_size{};
    std::array<ui::Label*, 2> lbl_Y{};
    ui::Line* line_50 = nullptr;
    ui::Label* lbl_CODE = nullptr;

protected:
    void Form_Load() override;

private:
    void Draw_Histogram();
    double Choose_Scale();
    void Reset_Bars();
    double Plot_Bottom() const;

    QString iso_code_;
    std::array<double, Channel_Count> counts_{};
};
