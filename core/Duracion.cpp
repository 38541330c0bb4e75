#include "core/Duracion.h"

QString TextoDuracion(std::int64_t segundos) {
    const bool negativo = segundos < 0;
    // In unsigned arithmetic so that the most negative count has a magnitude.
    const std::uint64_t n = negativo ? 0 - std::uint64_t(segundos) : std::uint64_t(segundos);
    const QString texto = QStringLiteral("%1:%2:%3")
                              .arg(n / 3600)
                              .arg(n / 60 % 60, 2, 10, QLatin1Char('0'))
                              .arg(n % 60, 2, 10, QLatin1Char('0'));
    return negativo ? QLatin1Char('-') + texto : texto;
}
