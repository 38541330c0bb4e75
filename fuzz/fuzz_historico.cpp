// libFuzzer target over the reader of the history file's lines. Whatever the
// bytes, nothing may crash; a line read whole, once written again, must read
// back and write to the same line.
#include "platform/files.h"
#include "records/Historico.h"

#include <cstdio>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    for (const QString& linea : plat::splitLines(plat::fromCp1252(bytes))) {
        RegistroHistorico r;
        if (LeeLineaHistorico(linea, r) != kCamposHistorico) continue;
        const QString escrita = LineaHistorico(r);
        RegistroHistorico otra;
        if (LeeLineaHistorico(escrita, otra) != kCamposHistorico) {
            std::fprintf(stderr, "written line does not read back:\n%s\n", qPrintable(escrita));
            std::abort();
        }
        if (LineaHistorico(otra) != escrita) {
            std::fprintf(stderr, "line changed:\n%s\n%s\n", qPrintable(escrita), qPrintable(LineaHistorico(otra)));
            std::abort();
        }
    }
    return 0;
}
