#include "imaging/Picture.h"

#include "platform/AtomicFile.h"

#include <GL/gl.h>
#include <QBuffer>
#include <QFileInfo>
#include <QImageWriter>
#include <QOpenGLWidget>
#include <cstring>
#include <filesystem>

namespace imaging {

Picture Picture::FromImage(const QImage& frame) {
    Picture picture;
    if (frame.isNull()) return picture;
    QImage out(frame.size(), QImage::Format_RGB32);
    const bool bytesRgba = frame.format() == QImage::Format_RGBA8888 ||
                           frame.format() == QImage::Format_RGBA8888_Premultiplied ||
                           frame.format() == QImage::Format_RGBX8888;
    const bool wordsArgb = frame.format() == QImage::Format_ARGB32 ||
                           frame.format() == QImage::Format_ARGB32_Premultiplied ||
                           frame.format() == QImage::Format_RGB32;
    // Premultiplied or not, the stored colour channels are what an opaque window shows.
    const QImage source = bytesRgba || wordsArgb ? frame : frame.convertToFormat(QImage::Format_RGB32);
    for (int y = 0; y < out.height(); ++y) {
        const uchar* in = source.constScanLine(y);
        auto* px = reinterpret_cast<QRgb*>(out.scanLine(y));
        for (int x = 0; x < out.width(); ++x) {
            if (bytesRgba) {
                px[x] = qRgb(in[4 * x], in[4 * x + 1], in[4 * x + 2]);
            } else {
                QRgb word;
                std::memcpy(&word, in + 4 * x, sizeof word);
                px[x] = word | 0xff000000u;
            }
        }
    }
    picture.m_image = out;
    return picture;
}

BmpImage Picture::ToBmp() const {
    if (isNull()) return {};
    BmpImage bmp = BmpImage::Blank(width(), height());
    for (int y = 0; y < height(); ++y) {
        const auto* in = reinterpret_cast<const QRgb*>(m_image.constScanLine(height() - 1 - y));
        std::uint8_t* row = bmp.row(y);
        for (int x = 0; x < width(); ++x) {
            row[3 * x] = static_cast<std::uint8_t>(qBlue(in[x]));
            row[3 * x + 1] = static_cast<std::uint8_t>(qGreen(in[x]));
            row[3 * x + 2] = static_cast<std::uint8_t>(qRed(in[x]));
        }
    }
    return bmp;
}

Picture CaptureView(QOpenGLWidget& view) {
    if (view.context() == nullptr) return {};
    QImage frame = view.grabFramebuffer();
    frame.setDevicePixelRatio(1.0);
    return Picture::FromImage(frame);
}

Picture CaptureFramebuffer(int width, int height) {
    if (width <= 0 || height <= 0) return {};
    QImage frame(width, height, QImage::Format_RGBX8888);
    glPixelStorei(GL_PACK_ALIGNMENT, 4);
    glFinish();
    glReadPixels(0, 0, width, height, GL_RGBA, GL_UNSIGNED_BYTE, frame.bits());
    // OpenGL's rows run from the bottom up.
    return Picture::FromImage(frame.mirrored(false, true));
}

PictureFormat FormatForFileName(const QString& fileName) {
    return QFileInfo(fileName).suffix().compare(QStringLiteral("png"), Qt::CaseInsensitive) == 0
               ? PictureFormat::Png
               : PictureFormat::Bmp;
}

std::vector<std::uint8_t> EncodePicture(const Picture& picture, PictureFormat format) {
    if (picture.isNull()) return {};
    if (format == PictureFormat::Bmp) return EncodeBmp24(picture.ToBmp());
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "png");
    if (!writer.write(picture.image().convertToFormat(QImage::Format_RGB888))) return {};
    return {bytes.begin(), bytes.end()};
}

bool WritePictureFile(const QString& fileName, const Picture& picture, QString* error) {
    const std::vector<std::uint8_t> bytes = EncodePicture(picture, FormatForFileName(fileName));
    if (bytes.empty()) {
        if (error) *error = QStringLiteral("%1: there is no picture to write").arg(fileName);
        return false;
    }
    std::string reason;
    const QByteArray utf8 = fileName.toUtf8();
    const std::filesystem::path path(reinterpret_cast<const char8_t*>(utf8.constData()));
    if (platform::WriteFileAtomically(path, bytes, &reason)) return true;
    if (error) *error = QString::fromStdString(reason);
    return false;
}

} // namespace imaging
