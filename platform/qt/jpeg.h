#pragma once
// JPEG files through libjpeg, and pictures in general for the logo boxes.
#include <QByteArray>
#include <QImage>
#include <QString>

namespace platform {

// The picture in a JPEG file; a null image when the file is missing or not a
// readable JPEG, with the reason in `error` when given.
QImage DecodeJpegFile(const QString& path, QString* error = nullptr);

// A picture file: JPEG (.jpg, .jpeg) through DecodeJpegFile, other formats
// (BMP, PNG, ...) through QImage. Null image on failure, reason in `error`.
QImage LoadPicture(const QString& path, QString* error = nullptr);

// The bytes of `image` as a baseline RGB JPEG of the given quality (float
// DCT); empty on failure, reason in `error`.
QByteArray EncodeJpeg(const QImage& image, int quality = 90, QString* error = nullptr);

// Writes `image` as EncodeJpeg encodes it. The file is replaced whole or not
// at all; false on failure, reason in `error`.
bool EncodeJpegFile(const QImage& image, const QString& path, int quality = 90, QString* error = nullptr);

}  // namespace platform
