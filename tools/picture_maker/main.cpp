// picture_maker: draws the station's pictures into a folder.
//
//   picture_maker FOLDER     writes every picture into FOLDER (made when missing)
//   picture_maker --list     names each picture with its size and use
//   picture_maker --work-instruction FILE   writes the demo work instruction (PDF)
//   picture_maker --help     prints its usage
#include "catalogue.h"
#include "image_files.h"
#include "work_instruction.h"

#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QTextStream>
#include <cstdio>
#include <cstring>

namespace {

constexpr char kUsage[] = R"(usage: picture_maker FOLDER | --list | --work-instruction FILE | --help

  FOLDER                    draws every picture the station loads by name into FOLDER
                            (made when missing): the station folder
  --list                    names each picture with its size and use
  --work-instruction FILE   writes the demo laboratory's work instruction LWI-0412,
                            a one-page PDF, to FILE
  --help                    this text

Needs no display.
)";

}  // namespace

int main(int argc, char* argv[])
{
    // Before anything else: neither a folder nor a picture is made for the help.
    if (argc == 2 && (std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0)) {
        std::fputs(kUsage, stdout);
        return 0;
    }
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QTextStream out(stdout);
    QTextStream err(stderr);
    const QStringList args = app.arguments().mid(1);
    if (args.size() == 2 && args[0] == QLatin1String("--work-instruction")) {
        QString why;
        if (!QDir().mkpath(QFileInfo(args[1]).absolutePath()) || !writeWorkInstruction(args[1], &why)) {
            err << "picture_maker: " << args[1] << ": " << (why.isEmpty() ? QStringLiteral("cannot make its folder") : why) << "\n";
            return 1;
        }
        return 0;
    }
    // An option it does not know is no folder.
    if (args.size() != 1 || (args[0].startsWith(QLatin1Char('-')) && args[0] != QLatin1String("--list"))) {
        err << "usage: picture_maker FOLDER | --list | --work-instruction FILE | --help\n";
        return 2;
    }
    const QList<Picture> pictures = allPictures();
    if (args[0] == QLatin1String("--list")) {
        for (const Picture& pic : pictures)
            out << pic.name.leftJustified(30) << QStringLiteral("%1 x %2").arg(pic.size.width()).arg(pic.size.height()).leftJustified(12)
                << pic.use << "\n";
        return 0;
    }

    QDir folder(args[0]);
    if (!folder.mkpath(QStringLiteral("."))) {
        err << "picture_maker: cannot make the folder " << args[0] << "\n";
        return 1;
    }
    int failed = 0;
    for (const Picture& pic : pictures) {
        QImage image(pic.size, QImage::Format_RGB32);
        image.fill(Qt::black);
        {
            QPainter p(&image);
            p.setRenderHint(QPainter::Antialiasing);
            p.setRenderHint(QPainter::TextAntialiasing);
            pic.draw(p, pic.size);
        }
        QString why;
        if (!writePicture(image, folder.filePath(pic.name), &why)) {
            err << "picture_maker: " << pic.name << ": " << why << "\n";
            ++failed;
        }
    }
    out << "picture_maker: " << (pictures.size() - failed) << " pictures in " << folder.absolutePath() << "\n";
    return failed == 0 ? 0 : 1;
}
