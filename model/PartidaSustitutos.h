// The answer the stand-in of EsResoluble gives (true at start), for tests of
// the manual arrangement of the sliding game until the parity test lands.
#pragma once

extern bool RespuestaResolubleSustituta;
