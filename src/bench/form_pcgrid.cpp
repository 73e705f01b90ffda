#include "bench/form_pcgrid.h"

#include "bench/histogram_scale.h"
#include "common/common_module.h"
#include "common_ui/set_font.h"
#include "platform/ui/twips.h"

namespace {

constexpr double Bar_Gap_Pixels = 5;
const char* const Size_Captions[form_pcGrid::Channel_Count] = {"2µ", "5µ", "15µ", "25µ", "50µ", "100µ", "200µ"};

}  // namespace

form_pcGrid::form_pcGrid(QWidget* parent) : ui::Form(parent)
{
    setObjectName(QStringLiteral("form_pcGrid"));
    stayUp();
    ui::setTwipGeometry(this, 0, 0, 19200, 3180);

    shp_histbg = new ui::Shape(this);
    shp_histbg->setObjectName(QStringLiteral("shp_histbg"));
    shp_histbg->setBorderWidth(3);
    ui::setTwipGeometry(shp_histbg, 0, 15, 4215, 3120);

    shp_Histogram = new ui::Shape(this);
    shp_Histogram->setObjectName(QStringLiteral("shp_Histogram"));
    shp_Histogram->setFillColor(Qt::white);
    ui::setTwipGeometry(shp_Histogram, 600, 210, 3495, 2415);

    line_50 = new ui::Line(this);
    line_50->setObjectName(QStringLiteral("line_50"));
    line_50->setPoints(570, 1410, 4050, 1410);

    for (int i = 0; i < Channel_Count; ++i) {
        const double bar_left = 690 + 450 * i;

        auto* bar = new ui::Shape(this);
        bar->setObjectName(QStringLiteral("shp_size"));
        bar->setFillColor(QColor(0, 0, 255));
        ui::setTwipGeometry(bar, bar_left, 2490, 330, 135);
        shp_size[i] = bar;

        auto* check = new QCheckBox(this);
        check->setObjectName(QStringLiteral("chk_size"));
        check->setChecked(true);
        ui::setTwipGeometry(check, bar_left - 225, 2730, 225, 225);
        connect(check, &QCheckBox::clicked, this, [this] { Draw_Histogram(); });
        chk_size[i] = check;

        auto* label = new ui::Label(this);
        label->setObjectName(QStringLiteral("lbl_size"));
        label->setCaption(QString::fromUtf8(Size_Captions[i]));
        ui::setTwipGeometry(label, bar_left, 2730, 615, 255);
        lbl_size[i] = label;
    }

    const double y_tops[2] = {1290, 210};
    const char* const y_captions[2] = {"500", "1000"};
    for (int i = 0; i < 2; ++i) {
        auto* label = new ui::Label(this);
        label->setObjectName(QStringLiteral("lbl_Y"));
        label->setCaption(QString::fromLatin1(y_captions[i]));
        label->setAlignment(Qt::AlignRight | Qt::AlignTop);
        ui::setTwipGeometry(label, -180, y_tops[i], 735, 255);
        lbl_Y[i] = label;
    }

    lbl_CODE = new ui::Label(this);
    lbl_CODE->setObjectName(QStringLiteral("lbl_CODE"));
    lbl_CODE->setAlignment(Qt::AlignRight | Qt::AlignTop);
    lbl_CODE->setWordWrap(false);
    ui::setTwipGeometry(lbl_CODE, 3090, 480, 975, 375);
}

void form_pcGrid::Form_Load()
{
    shp_histbg->setFillColor(commonModule::Color_Navy);
    shp_histbg->setBorderColor(commonModule::Color_Border);

    iso_code_.clear();
    counts_.fill(0);

    for (ui::Label* label : lbl_Y)
        commonModule::Set_Font(label, label->caption(), QStringLiteral("Arial"), 8, true, commonModule::Color_White);
    for (ui::Label* label : lbl_size)
        commonModule::Set_Font(label, label->caption(), QStringLiteral("Arial"), 8, true, commonModule::Color_White);
    commonModule::Set_Font(lbl_CODE, QString(), QStringLiteral("Arial"), 12, true, commonModule::Color_Navy);

    Reset_Bars();
}

void form_pcGrid::Show_histogram(const QString& sISO_Code, double m2, double m5, double m15, double m25, double m50, double m100, double m200)
{
    iso_code_ = sISO_Code;
    counts_ = {m2, m5, m15, m25, m50, m100, m200};
    Draw_Histogram();
}

double form_pcGrid::Plot_Bottom() const { return histogram_scale::Round_Half_Even(ui::Top(shp_Histogram) + ui::Height(shp_Histogram)); }

void form_pcGrid::Draw_Histogram()
{
    double sum = 0;
    for (double count : counts_) sum += count;
    if (sum == 0) return;

    const double top = Choose_Scale();
    Reset_Bars();
    lbl_CODE->setCaption(iso_code_);

    const double plot_height = histogram_scale::Round_Half_Even(ui::Height(shp_Histogram));
    const double bottom = Plot_Bottom();
    for (int i = 0; i < Channel_Count; ++i) {
        double height = 0;  // a channel left out keeps the bar of height 0
        if (chk_size[i]->isChecked()) {
            height = histogram_scale::Bar_Height(counts_[i], top, plot_height);
            ui::setHeight(shp_size[i], height);
        }
        ui::setTop(shp_size[i], bottom - height);
    }
}

// Sets the scale labels for the first checked channel with a count and returns the
// scale top as the labels show it.
double form_pcGrid::Choose_Scale()
{
    double reference = 0;
    for (int i = 0; i < Channel_Count; ++i) {
        if (chk_size[i]->isChecked() && counts_[i] > reference) {
            reference = counts_[i];
            break;
        }
    }
    const double top = histogram_scale::Scale_Top(reference);
    lbl_Y[1]->setCaption(histogram_scale::Scale_Text(top));
    lbl_Y[0]->setCaption(histogram_scale::Scale_Text(top / 2));
    return lbl_Y[1]->caption().toDouble();
}

void form_pcGrid::Reset_Bars()
{
    const double middle = histogram_scale::Round_Half_Even(ui::Top(shp_Histogram) + ui::Height(shp_Histogram) / 2);
    line_50->setPoints(line_50->x1(), middle, line_50->x2(), middle);

    const double bottom = Plot_Bottom();
    for (ui::Shape* bar : shp_size) {
        ui::setHeight(bar, 0);
        ui::setTop(bar, bottom);
    }
}

void form_pcGrid::Resize(double rack_panel_width)
{
    const double px = ui::twipsPerPixelX();
    const double py = ui::twipsPerPixelY();

    ui::setWidth(shp_histbg, rack_panel_width);
    ui::setWidth(shp_Histogram, ui::Width(shp_histbg) - 710);
    const double plot_width = ui::Width(shp_Histogram);

    ui::setWidth(this, ui::Width(shp_histbg) + px);
    ui::setHeight(this, ui::Height(shp_histbg) + shp_histbg->borderWidth() * py);

    line_50->setPoints(line_50->x1(), line_50->y1(), line_50->x1() + plot_width, line_50->y2());

    const double bar_width = histogram_scale::Round_Half_Even((plot_width - 8 * Bar_Gap_Pixels * px) / Channel_Count);
    for (int i = 0; i < Channel_Count; ++i) {
        ui::Shape* bar = shp_size[i];
        if (i > 0) ui::setLeft(bar, ui::Left(shp_size[i - 1]) + ui::Width(shp_size[i - 1]) + Bar_Gap_Pixels * px);
        ui::setWidth(bar, bar_width);
        ui::setLeft(chk_size[i], ui::Left(bar) - ui::Width(chk_size[i]));
        ui::setLeft(lbl_size[i], ui::Left(bar));
    }
}
