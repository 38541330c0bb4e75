// libFuzzer target over the picture decoder (bitmaps with and without run
// lengths, JPEG, PNG, Windows and enhanced metafiles). Whatever the bytes, it
// gives a picture within the pixel bound or a run-time error, and never
// crashes nor hangs (the metafile libraries run in a bounded child).
#include "platform/errors.h"
#include "platform/picture.h"

#include <QGuiApplication>
#include <cstdio>
#include <cstdlib>

// The fonts an enhanced metafile's text names are looked up once and kept by
// fontconfig for the rest of the run: a cache, not a leak of the reader.
extern "C" const char* __lsan_default_suppressions() { return "leak:libfontconfig.so\n"; }

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    static QGuiApplication app(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    try {
        const QImage img = plat::decodePicture(bytes);
        if (img.isNull() || qint64(img.width()) * img.height() > plat::kMaxPicturePixels) std::abort();
    } catch (const plat::RuntimeError&) {
    }
    return 0;
}
