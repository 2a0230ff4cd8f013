#pragma once
// JPEG files through libjpeg, and pictures in general for the logo boxes.
#include <QImage>
#include <QString>

namespace platform {

// The picture in a JPEG file; a null image when the file is missing or not a
// readable JPEG, with the reason in `error` when given.
QImage DecodeJpegFile(const QString& path, QString* error = nullptr);

// A picture file: JPEG (.jpg, .jpeg) through DecodeJpegFile, other formats
// (BMP, PNG, ...) through QImage. Null image on failure, reason in `error`.
QImage LoadPicture(const QString& path, QString* error = nullptr);

// Writes `image` as a baseline RGB JPEG of the given quality (float DCT).
// The file is replaced whole or not at all; false on failure, reason in `error`.
bool EncodeJpegFile(const QImage& image, const QString& path, int quality = 90,
                    QString* error = nullptr);

}  // namespace platform
