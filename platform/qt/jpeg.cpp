#include "qt/jpeg.h"

#include <csetjmp>
#include <cstdlib>

#include <QFile>
#include <QFileInfo>
#include <QImageReader>

#include <jpeglib.h>

#include "files/whole_file.h"

namespace platform {
namespace {

// libjpeg reports a fatal error through error_exit, which must not return:
// jump back to the call and report the failure there instead of exiting.
struct ErrorManager {
  jpeg_error_mgr base;
  std::jmp_buf jump;
  char message[JMSG_LENGTH_MAX];
};

void ErrorExit(j_common_ptr info) {
  auto* manager = reinterpret_cast<ErrorManager*>(info->err);
  (*info->err->format_message)(info, manager->message);
  std::longjmp(manager->jump, 1);
}

// Warnings (e.g. a file cut short) go nowhere: the picture is still shown.
void IgnoreMessage(j_common_ptr) {}

void InstallErrorManager(j_common_ptr info, ErrorManager& manager) {
  info->err = jpeg_std_error(&manager.base);
  manager.base.error_exit = ErrorExit;
  manager.base.output_message = IgnoreMessage;
  manager.message[0] = '\0';
}

void SetError(QString* error, const QString& text) {
  if (error != nullptr) *error = text;
}

// Adobe CMYK JPEGs store their inks inverted.
QRgb RgbFromInvertedCmyk(const JSAMPLE* cmyk) {
  const int k = cmyk[3];
  return qRgb(cmyk[0] * k / 255, cmyk[1] * k / 255, cmyk[2] * k / 255);
}

// Only plain data lives in this frame and is written after setjmp through
// pointers, so the long jump back skips no destructor.
bool Decompress(const QByteArray& data, QImage* image, ErrorManager* manager) {
  jpeg_decompress_struct info;
  InstallErrorManager(reinterpret_cast<j_common_ptr>(&info), *manager);
  jpeg_create_decompress(&info);
  if (setjmp(manager->jump) != 0) {
    jpeg_destroy_decompress(&info);
    return false;
  }
  jpeg_mem_src(&info, reinterpret_cast<const unsigned char*>(data.constData()),
               static_cast<unsigned long>(data.size()));
  jpeg_read_header(&info, TRUE);
  const bool cmyk = info.jpeg_color_space == JCS_CMYK || info.jpeg_color_space == JCS_YCCK;
  info.out_color_space = cmyk ? JCS_CMYK : JCS_RGB;
  jpeg_start_decompress(&info);
  *image = QImage(static_cast<int>(info.output_width), static_cast<int>(info.output_height),
                  cmyk ? QImage::Format_RGB32 : QImage::Format_RGB888);
  if (image->isNull()) {
    jpeg_destroy_decompress(&info);
    return false;
  }
  JSAMPLE* cmykRow =
      cmyk ? static_cast<JSAMPLE*>((*info.mem->alloc_sarray)(reinterpret_cast<j_common_ptr>(&info),
                                                             JPOOL_IMAGE, info.output_width * 4, 1)[0])
           : nullptr;
  while (info.output_scanline < info.output_height) {
    const int y = static_cast<int>(info.output_scanline);
    if (cmyk) {
      jpeg_read_scanlines(&info, &cmykRow, 1);
      auto* line = reinterpret_cast<QRgb*>(image->scanLine(y));
      for (JDIMENSION x = 0; x < info.output_width; ++x) line[x] = RgbFromInvertedCmyk(cmykRow + 4 * x);
    } else {
      JSAMPROW row = image->scanLine(y);
      jpeg_read_scanlines(&info, &row, 1);
    }
  }
  jpeg_finish_decompress(&info);
  jpeg_destroy_decompress(&info);
  return true;
}

bool Compress(const QImage& rgb, int quality, unsigned char** buffer, unsigned long* size,
              ErrorManager* manager) {
  jpeg_compress_struct info;
  InstallErrorManager(reinterpret_cast<j_common_ptr>(&info), *manager);
  jpeg_create_compress(&info);
  if (setjmp(manager->jump) != 0) {
    jpeg_destroy_compress(&info);
    return false;
  }
  jpeg_mem_dest(&info, buffer, size);
  info.image_width = static_cast<JDIMENSION>(rgb.width());
  info.image_height = static_cast<JDIMENSION>(rgb.height());
  info.input_components = 3;
  info.in_color_space = JCS_RGB;
  jpeg_set_defaults(&info);
  jpeg_set_quality(&info, quality, TRUE);  // baseline tables
  info.dct_method = JDCT_FLOAT;
  jpeg_start_compress(&info, TRUE);
  while (info.next_scanline < info.image_height) {
    JSAMPROW row = const_cast<JSAMPLE*>(rgb.constScanLine(static_cast<int>(info.next_scanline)));
    jpeg_write_scanlines(&info, &row, 1);
  }
  jpeg_finish_compress(&info);
  jpeg_destroy_compress(&info);
  return true;
}

}  // namespace

QImage DecodeJpegFile(const QString& path, QString* error) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) {
    SetError(error, file.errorString());
    return {};
  }
  const QByteArray data = file.readAll();
  file.close();
  QImage image;
  ErrorManager manager;
  if (!Decompress(data, &image, &manager)) {
    SetError(error, manager.message[0] != '\0' ? QString::fromLocal8Bit(manager.message)
                                               : QStringLiteral("Out of memory"));
    return {};
  }
  return image.convertToFormat(QImage::Format_RGB32);
}

QImage LoadPicture(const QString& path, QString* error) {
  const QString suffix = QFileInfo(path).suffix().toLower();
  if (suffix == QLatin1String("jpg") || suffix == QLatin1String("jpeg")) return DecodeJpegFile(path, error);
  QImageReader reader(path);
  QImage image = reader.read();
  if (image.isNull()) SetError(error, reader.errorString());
  return image;
}

QByteArray EncodeJpeg(const QImage& image, int quality, QString* error) {
  if (image.isNull()) {
    SetError(error, QStringLiteral("Empty image"));
    return {};
  }
  const QImage rgb = image.convertToFormat(QImage::Format_RGB888);
  unsigned char* buffer = nullptr;
  unsigned long size = 0;
  ErrorManager manager;
  const bool compressed = Compress(rgb, quality, &buffer, &size, &manager);
  const QByteArray data =
      compressed ? QByteArray(reinterpret_cast<const char*>(buffer), static_cast<qsizetype>(size))
                 : QByteArray();
  std::free(buffer);
  if (!compressed) SetError(error, QString::fromLocal8Bit(manager.message));
  return data;
}

bool EncodeJpegFile(const QImage& image, const QString& path, int quality, QString* error) {
  const QByteArray data = EncodeJpeg(image, quality, error);
  if (data.isEmpty()) return false;
  return WriteFileWhole(path, data, error);
}

}  // namespace platform
