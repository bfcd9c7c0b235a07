// The picture of one rendered frame, as the window shows it: the same size in device pixels and
// the same colours (the framebuffer's alpha is ignored, as it is when the window is composed).
// Save, Copy and Print all take this object, so each leaves the program with the same pixels.
#pragma once

#include "imaging/Bmp.h"

#include <QImage>
#include <QString>
#include <cstdint>
#include <vector>

class QOpenGLWidget;

namespace imaging {

class Picture {
public:
    Picture() = default;
    // The colour channels of `frame` (any format; alpha is dropped, not blended).
    static Picture FromImage(const QImage& frame);

    bool isNull() const { return m_image.isNull(); }
    int width() const { return m_image.width(); }
    int height() const { return m_image.height(); }
    // Opaque 32-bit RGB (QImage::Format_RGB32), top row first, device pixel ratio 1.
    const QImage& image() const { return m_image; }
    // The same pixels in a 24-bit BMP's layout (blue, green, red; bottom row first; rows padded).
    BmpImage ToBmp() const;

private:
    QImage m_image;
};

// Draws the view's frame once more into its framebuffer and reads it back: the picture the window
// shows, at its size in device pixels. Null when the view has no OpenGL context yet.
Picture CaptureView(QOpenGLWidget& view);

// Reads the lower left width x height pixels of the framebuffer bound in the current OpenGL
// context (after glFinish), for programs that draw into a framebuffer object of their own.
Picture CaptureFramebuffer(int width, int height);

// File formats by name: a name ending in ".png" (any case) is a PNG file; every other name gets
// a 24-bit BMP, the program's own format.
enum class PictureFormat { Bmp, Png };
PictureFormat FormatForFileName(const QString& fileName);

// The file's bytes: EncodeBmp24 of the picture, or PNG written by Qt.
std::vector<std::uint8_t> EncodePicture(const Picture& picture, PictureFormat format);

// Writes the picture in the format its name asks for, atomically (an existing file is replaced
// whole or left as it was). On failure returns false with the path and the system's reason in
// *error.
bool WritePictureFile(const QString& fileName, const Picture& picture, QString* error = nullptr);

} // namespace imaging
