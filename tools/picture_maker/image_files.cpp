#include "image_files.h"

#include <gif_lib.h>

#include <QFile>
#include <vector>

namespace {

bool writeGif(const QImage& source, const QString& path, QString* error)
{
    const QImage image = source.convertToFormat(QImage::Format_RGB32);
    const int width = image.width();
    const int height = image.height();
    const std::size_t count = static_cast<std::size_t>(width) * static_cast<std::size_t>(height);
    std::vector<GifByteType> red(count), green(count), blue(count), indices(count);
    for (int y = 0; y < height; ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < width; ++x) {
            const std::size_t i = static_cast<std::size_t>(y) * width + x;
            red[i] = static_cast<GifByteType>(qRed(line[x]));
            green[i] = static_cast<GifByteType>(qGreen(line[x]));
            blue[i] = static_cast<GifByteType>(qBlue(line[x]));
        }
    }
    int colours = 256;
    GifColorType table[256] = {};
    if (GifQuantizeBuffer(width, height, &colours, red.data(), green.data(), blue.data(), indices.data(), table) == GIF_ERROR) {
        *error = QStringLiteral("the colours could not be reduced");
        return false;
    }
    ColorMapObject* map = GifMakeMapObject(256, table);
    int code = 0;
    GifFileType* gif = EGifOpenFileName(QFile::encodeName(path).constData(), false, &code);
    if (!gif) {
        GifFreeMapObject(map);
        *error = QString::fromLatin1(GifErrorString(code));
        return false;
    }
    bool ok = EGifPutScreenDesc(gif, width, height, 8, 0, map) != GIF_ERROR &&
              EGifPutImageDesc(gif, 0, 0, width, height, false, nullptr) != GIF_ERROR;
    for (int y = 0; ok && y < height; ++y) ok = EGifPutLine(gif, indices.data() + static_cast<std::size_t>(y) * width, width) != GIF_ERROR;
    if (!ok) *error = QString::fromLatin1(GifErrorString(gif->Error));
    if (EGifCloseFile(gif, &code) == GIF_ERROR && ok) {
        ok = false;
        *error = QString::fromLatin1(GifErrorString(code));
    }
    GifFreeMapObject(map);
    return ok;
}

}  // namespace

bool writePicture(const QImage& image, const QString& path, QString* error)
{
    if (path.endsWith(QLatin1String(".gif"), Qt::CaseInsensitive)) return writeGif(image, path, error);
    if (image.save(path, "JPG", 92)) return true;
    *error = QStringLiteral("the picture could not be saved");
    return false;
}
