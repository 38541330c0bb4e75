// Picture files and the clipboard's picture.
//
// Pictures are read by their content, whatever the file is called: BMP
// (uncompressed or run-length compressed with 4 or 8 bits a pixel), JPEG,
// PNG, and Windows and enhanced metafiles (drawn by metafile.h).
#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

namespace plat {

// Loads a picture file as an opaque Format_RGB32 image (transparent pixels
// are shown over white). Throws RuntimeError: err::kFileNotFound when there is
// no such file, err::kPathFileAccessError when it cannot be opened or read (a
// folder, a device, no permission), err::kInvalidPicture when its content is
// not a picture this program can show (damaged, or another kind of file),
// err::kOutOfMemory when it is too large: a file of more than kMaxPictureFile
// bytes, or a picture of more than kMaxPicturePixels pixels, is not decoded.
constexpr qint64 kMaxPicturePixels = 20'000'000;
QImage loadPicture(const QString& path);
// The same for the bytes of a picture file already read.
QImage decodePicture(const QByteArray& data);

// Whether the file name is one a player's picture goes by: it ends in .bmp,
// .rle, .wmf, .emf, .jpg, .png or .jpeg, in any case, after at least one
// other character.
bool isPictureFileName(const QString& name);

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
