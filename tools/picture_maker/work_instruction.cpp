#include "work_instruction.h"

#include "paint_kit.h"

#include <QFile>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>

namespace {

const char* const kSteps[] = {
    "Log in at the station and take the rack; touch a sample to put it in the bath.",
    "Shake the bottle while its bath position shows SHAKE, then leave it in the bath until the position shows START.",
    "The first run after every start of the station, and again after the set number of samples, is the process-control "
    "check: count the check sample with START COUNTER. A check above its 5 um or 15 um limit is run again.",
    "Touch the bath position again and count the sample with START COUNTER. Answer the re-run question: NO stores the count "
    "and the sample leaves the bath.",
    "When the station asks for a flush (Flush required), rinse the counter with clean solvent and count the flush until "
    "it lies within the flush limits.",
    "A sample that cannot be counted is taken out with one of the reasons of the task dialog or with REMOVE FROM BATH.",
};

void drawPage(QPainter& p, const QRectF& page)
{
    double top = 0;
    auto paragraph = [&](const QString& text, double pixelSize, bool bold, const QColor& colour, double after) {
        p.setFont(kit::font(pixelSize, bold));
        p.setPen(colour);
        QRectF used;
        p.drawText(QRectF(page.left(), top, page.width(), page.height() - top), Qt::TextWordWrap, text, &used);
        top += used.height() + after;
    };

    paragraph(QStringLiteral("LWI-0412"), 40, true, kit::kNavy, 8);
    paragraph(QStringLiteral("Particle count with the automatic particle counter"), 28, true, kit::kNavy, 12);
    paragraph(QStringLiteral("Laboratory work instruction of the demo laboratory ZIVIRUZEZ, test group PrtCount. "
                             "A demo document: the laboratory's own instruction takes its place on its document server."),
              18, false, kit::kSlate, 24);
    int number = 1;
    for (const char* step : kSteps)
        paragraph(QStringLiteral("%1.  %2").arg(number++).arg(QString::fromLatin1(step)), 20, false, Qt::black, 14);
}

}  // namespace

bool writeWorkInstruction(const QString& path, QString* error)
{
    QPdfWriter pdf(path);
    pdf.setTitle(QStringLiteral("LWI-0412 Particle count with the automatic particle counter"));
    pdf.setCreator(QStringLiteral("picture_maker (demo station)"));
    pdf.setPageSize(QPageSize(QPageSize::A4));
    pdf.setPageMargins(QMarginsF(20, 20, 20, 20), QPageLayout::Millimeter);
    pdf.setResolution(150);

    QPainter p;
    if (!p.begin(&pdf)) {
        *error = QStringLiteral("the PDF file could not be opened for writing");
        return false;
    }
    drawPage(p, QRectF(QPointF(0, 0), QSizeF(pdf.width(), pdf.height())));
    if (!p.end()) {
        *error = QStringLiteral("the PDF file could not be written");
        return false;
    }
    if (!QFile::exists(path) || QFile(path).size() == 0) {
        *error = QStringLiteral("the PDF file is empty");
        return false;
    }
    return true;
}
