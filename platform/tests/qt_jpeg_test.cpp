#include <cstdio>
#include <cstdlib>
#include <vector>

#include <gtest/gtest.h>
#include <QFile>
#include <QTemporaryDir>

#include "qt/jpeg.h"

#include <jpeglib.h>

namespace {

class Jpeg : public ::testing::Test {
 protected:
  QString PathOf(const QString& name) const { return folder_.filePath(name); }

  static void WriteFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    ASSERT_EQ(file.write(bytes), bytes.size());
  }

  static QByteArray ReadFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
  }

  // Left half one colour, right half another; noisy rows below so that the
  // compressed scan is most of the file.
  static QImage TestPicture(int width, int height) {
    QImage image(width, height, QImage::Format_RGB32);
    std::srand(7);
    for (int y = 0; y < height; ++y)
      for (int x = 0; x < width; ++x) {
        QRgb colour = x < width / 2 ? qRgb(200, 40, 90) : qRgb(20, 160, 230);
        if (y >= height / 2) colour = qRgb(std::rand() % 256, std::rand() % 256, std::rand() % 256);
        image.setPixel(x, y, colour);
      }
    return image;
  }

  static void ExpectNear(QRgb actual, QRgb expected) {
    EXPECT_NEAR(qRed(actual), qRed(expected), 8);
    EXPECT_NEAR(qGreen(actual), qGreen(expected), 8);
    EXPECT_NEAR(qBlue(actual), qBlue(expected), 8);
  }

  QTemporaryDir folder_;
};

// Whether the marker segments before the scan include `marker`.
bool HasMarker(const QByteArray& jpeg, unsigned char marker) {
  for (qsizetype i = 2; i + 3 < jpeg.size();) {
    if (static_cast<unsigned char>(jpeg[i]) != 0xFF) return false;
    const auto code = static_cast<unsigned char>(jpeg[i + 1]);
    if (code == marker) return true;
    if (code == 0xDA) return false;  // start of scan
    const int length =
        (static_cast<unsigned char>(jpeg[i + 2]) << 8) | static_cast<unsigned char>(jpeg[i + 3]);
    i += 2 + length;
  }
  return false;
}

// A CMYK file as print shops' programs write it: Adobe marker, inks inverted.
bool WriteInvertedCmykJpeg(const QString& path, int width, int height, const unsigned char ink[4]) {
  FILE* out = std::fopen(QFile::encodeName(path).constData(), "wb");
  if (out == nullptr) return false;
  jpeg_compress_struct info;
  jpeg_error_mgr errors;
  info.err = jpeg_std_error(&errors);
  jpeg_create_compress(&info);
  jpeg_stdio_dest(&info, out);
  info.image_width = width;
  info.image_height = height;
  info.input_components = 4;
  info.in_color_space = JCS_CMYK;
  jpeg_set_defaults(&info);
  jpeg_set_quality(&info, 95, TRUE);
  jpeg_start_compress(&info, TRUE);
  std::vector<unsigned char> row(4 * width);
  for (int x = 0; x < width; ++x)
    for (int i = 0; i < 4; ++i) row[4 * x + i] = 255 - ink[i];
  while (info.next_scanline < info.image_height) {
    JSAMPROW line = row.data();
    jpeg_write_scanlines(&info, &line, 1);
  }
  jpeg_finish_compress(&info);
  jpeg_destroy_compress(&info);
  return std::fclose(out) == 0;
}

}  // namespace

TEST_F(Jpeg, EncodedPictureDecodesToTheSameSizeAndColours) {
  ASSERT_TRUE(folder_.isValid());
  const QImage picture = TestPicture(120, 80);
  const QString path = PathOf("sheet.jpg");
  QString error;
  ASSERT_TRUE(platform::EncodeJpegFile(picture, path, 90, &error)) << error.toStdString();

  const QByteArray bytes = ReadFile(path);
  ASSERT_GT(bytes.size(), 4);
  EXPECT_EQ(bytes.left(2), QByteArray("\xFF\xD8"));
  EXPECT_TRUE(HasMarker(bytes, 0xC0)) << "baseline frame expected";
  EXPECT_EQ(platform::EncodeJpeg(picture, 90), bytes);  // the file holds the bytes whole

  const QImage decoded = platform::DecodeJpegFile(path, &error);
  ASSERT_FALSE(decoded.isNull()) << error.toStdString();
  EXPECT_EQ(decoded.size(), picture.size());
  EXPECT_EQ(decoded.format(), QImage::Format_RGB32);
  ExpectNear(decoded.pixel(20, 20), qRgb(200, 40, 90));
  ExpectNear(decoded.pixel(100, 20), qRgb(20, 160, 230));
}

TEST_F(Jpeg, GreyscaleJpegDecodesToGrey) {
  QImage grey(16, 16, QImage::Format_Grayscale8);
  grey.fill(128);
  const QString path = PathOf("grey.jpg");
  ASSERT_TRUE(grey.save(path, "JPEG"));  // Qt writes a one-channel file
  const QImage decoded = platform::DecodeJpegFile(path);
  ASSERT_FALSE(decoded.isNull());
  ExpectNear(decoded.pixel(8, 8), qRgb(128, 128, 128));
}

TEST_F(Jpeg, CmykJpegDecodesToItsColours) {
  struct Case {
    unsigned char ink[4];  // cyan, magenta, yellow, black
    QRgb expected;
  };
  const Case cases[] = {
      {{0, 255, 255, 0}, qRgb(255, 0, 0)},
      {{255, 0, 255, 0}, qRgb(0, 255, 0)},
      {{0, 0, 0, 0}, qRgb(255, 255, 255)},
      {{0, 0, 0, 255}, qRgb(0, 0, 0)},
  };
  for (const Case& c : cases) {
    const QString path = PathOf("cmyk.jpg");
    ASSERT_TRUE(WriteInvertedCmykJpeg(path, 16, 8, c.ink));
    const QImage decoded = platform::DecodeJpegFile(path);
    ASSERT_FALSE(decoded.isNull());
    EXPECT_EQ(decoded.size(), QSize(16, 8));
    ExpectNear(decoded.pixel(8, 4), c.expected);
  }
}

TEST_F(Jpeg, BrokenFilesGiveANullImageAndAReason) {
  const QString good = PathOf("good.jpg");
  ASSERT_TRUE(platform::EncodeJpegFile(TestPicture(64, 64), good));
  const QByteArray valid = ReadFile(good);
  struct Case {
    const char* name;
    QByteArray bytes;
  };
  const Case cases[] = {
      {"empty", QByteArray()},
      {"text", QByteArray("this is not a picture\r\n")},
      {"start marker then garbage", QByteArray("\xFF\xD8\x12\x34\x56\x78garbage")},
      {"header cut short", valid.left(40)},
      {"random bytes", QByteArray(2000, '\x5A')},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const QString path = PathOf("broken.jpg");
    WriteFile(path, c.bytes);
    QString error;
    EXPECT_TRUE(platform::DecodeJpegFile(path, &error).isNull());
    EXPECT_FALSE(error.isEmpty());
    EXPECT_TRUE(platform::LoadPicture(path).isNull());
  }
  QString error;
  EXPECT_TRUE(platform::DecodeJpegFile(PathOf("missing.jpg"), &error).isNull());
  EXPECT_FALSE(error.isEmpty());
}

TEST_F(Jpeg, FileCutInsideTheScanStillGivesThePicture) {
  const QString path = PathOf("cut.jpg");
  ASSERT_TRUE(platform::EncodeJpegFile(TestPicture(200, 150), path));
  const QByteArray valid = ReadFile(path);
  WriteFile(path, valid.left(valid.size() * 6 / 10));
  const QImage decoded = platform::DecodeJpegFile(path);
  ASSERT_FALSE(decoded.isNull());
  EXPECT_EQ(decoded.size(), QSize(200, 150));
  ExpectNear(decoded.pixel(20, 20), qRgb(200, 40, 90));
}

TEST_F(Jpeg, LoadPictureReadsJpegByAnyCaseOfItsNameAndBitmapsThroughQt) {
  const QImage picture = TestPicture(40, 30);
  const QString jpeg = PathOf("Logo_A.JPG");
  const QString bitmap = PathOf("logo_b.bmp");
  ASSERT_TRUE(platform::EncodeJpegFile(picture, jpeg));
  ASSERT_TRUE(picture.save(bitmap, "BMP"));

  const QImage fromJpeg = platform::LoadPicture(jpeg);
  ASSERT_FALSE(fromJpeg.isNull());
  EXPECT_EQ(fromJpeg.size(), picture.size());

  const QImage fromBitmap = platform::LoadPicture(bitmap);
  ASSERT_FALSE(fromBitmap.isNull());
  EXPECT_EQ(fromBitmap.pixel(39, 29), picture.pixel(39, 29));  // lossless

  WriteFile(PathOf("broken.bmp"), "BM not really");
  QString error;
  EXPECT_TRUE(platform::LoadPicture(PathOf("broken.bmp"), &error).isNull());
  EXPECT_FALSE(error.isEmpty());
}

TEST_F(Jpeg, EncodingIntoAMissingFolderFailsWithoutAFile) {
  const QString path = PathOf("no/such/folder/sheet.jpg");
  QString error;
  EXPECT_FALSE(platform::EncodeJpegFile(TestPicture(8, 8), path, 90, &error));
  EXPECT_FALSE(error.isEmpty());
  EXPECT_FALSE(QFile::exists(path));
  EXPECT_FALSE(platform::EncodeJpegFile(QImage(), PathOf("null.jpg")));
}
