#include "core/Pantalla.h"

#include <QGuiApplication>
#include <QScreen>

namespace {
QSize g_fijo;
}

QSize TamanoPantalla() {
    if (g_fijo.isValid()) return g_fijo;
    QScreen* pantalla = QGuiApplication::primaryScreen();
    return pantalla ? pantalla->size() : QSize(800, 600);
}

void FijaTamanoPantalla(QSize tamano) { g_fijo = tamano; }
