// Picture files and the clipboard's picture.
//
// Pictures are read by their content, whatever the file is called: BMP
// (uncompressed or run-length compressed with 4 or 8 bits a pixel), JPEG and
// PNG. Metafiles (WMF, EMF) are recognised and refused as pictures that cannot
// be loaded.
#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

namespace plat {

// Loads a picture file as an opaque Format_RGB32 image (transparent pixels
// are shown over white). Throws RuntimeError: err::kFileNotFound when there is
// no such file, err::kPathFileAccessError when it cannot be opened or read (a
// folder, no permission), err::kInvalidPicture when its content is not a
// picture this program can show. Only a regular file of at most
// kMaxPictureFile bytes is read (anything else: err::kPathFileAccessError),
// and a picture of more than kMaxPicturePixels pixels is not decoded
// (err::kInvalidPicture).
constexpr qint64 kMaxPicturePixels = 20'000'000;
QImage loadPicture(const QString& path);
// The same for the bytes of a picture file already read.
QImage decodePicture(const QByteArray& data);

// Writes the image as an uncompressed 24-bit bottom-up BMP file (transparent
// pixels over white). The file is written aside and put in place only when
// complete, so a failure leaves any earlier file of that name as it was. Throws RuntimeError:
// err::kInvalidPicture for an empty image or one too large for the format,
// err::kPathNotFound when the folder does not exist,
// err::kPathFileAccessError when the file cannot be created or replaced,
// err::kDiskFull or err::kDeviceIoError when writing fails.
void savePictureBmp(const QImage& image, const QString& path);

// Whether the clipboard holds a picture. False without a GUI application.
bool clipboardHasPicture();

// The clipboard's picture as an opaque Format_RGB32 image; a null image when
// it holds none (or there is no GUI application).
QImage clipboardPicture();

} // namespace plat
