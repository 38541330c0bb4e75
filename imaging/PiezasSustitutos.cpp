#include "imaging/PiezasSustitutos.h"

void TAN_CalculaVertices(std::int16_t, std::int16_t, std::int16_t) {}
void TAN_PuntoEtiqueta(std::int16_t, std::int16_t, std::int16_t) {}
void PEN_TransformaPieza(std::int16_t, std::int16_t, std::int16_t) {}
