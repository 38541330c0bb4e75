#include "core/Sustitutos.h"

#include "platform/errors.h"

namespace {
QStringList g_llamadas;
QStringList g_fallos;
} // namespace

QStringList& LlamadasAnotadas() { return g_llamadas; }
// The record keeps the latest calls only, so a long game does not grow it.
void AnotaLlamada(const QString& llamada) {
    constexpr int kMaximo = 4096;
    if (g_llamadas.size() >= kMaximo) g_llamadas.remove(0, kMaximo / 2);
    g_llamadas << llamada;
}
void SimulaFallo(const QString& nombre) { g_fallos << nombre; }
void CompruebaFallo(const QString& nombre) {
    if (g_fallos.removeOne(nombre)) throw plat::RuntimeError(plat::err::kDeviceIoError);
}
void ReiniciaSustitutos() {
    g_llamadas.clear();
    g_fallos.clear();
}
