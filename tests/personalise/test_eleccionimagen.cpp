// The settings window's picture chooser without widgets: the folder lists,
// the choice of a file with its shape gates and zoom fitting, the refusals,
// the number-of-pieces list, the zoom box's rule on the real picture, and
// the writing of a pasted picture.
#include "personalise/ListasCarpetas.h"
#include "personalise/personal.h"

#include "core/Configuracion.h"
#include "core/Controles.h"
#include "core/PuzzGbl.h"
#include "core/ServiciosPersonal.h"
#include "core/Tablas.h"
#include "core/TsComun.h"
#include "core/Visores.h"
#include "table/mesa.h"
#include "model/EncajeImagen.h"
#include "model/EstadoPuzzle.h"
#include "platform/picture.h"
#include "tests/imaging/puzzle_fixtures.h"
#include "tests/personalise/ventana_fixture.h"
#include "tests/support/fixtures.h"

#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>

#include <gtest/gtest.h>

namespace {

using testing_support::ScratchDir;

// A picture file in the format its extension names (BMP for another).
void Crea(const QString& ruta, int ancho, int alto) {
    const QString ext = QFileInfo(ruta).suffix().toLower();
    const char* formato = ext == "jpg" || ext == "jpeg" ? "JPG" : ext == "png" ? "PNG" : "BMP";
    ASSERT_TRUE(puzzle_test::Foto(ancho, alto).save(ruta, formato)) << ruta.toStdString();
}

void Toca(const QString& ruta, const QByteArray& bytes = "x") { testing_support::writeBytes(ruta, bytes); }

QStringList Elementos(const plat::ListBox& l) {
    QStringList s;
    for (int i = 0; i < l.ListCount(); ++i) s << l.List(i);
    return s;
}

// ---------------------------------------------------------------- the lists alone

TEST(ListasCarpetas, PictureFilesByExtensionInAnyCaseSortedWithoutHiddenOnes) {
    ScratchDir d;
    // Each picture extension in lower and upper case, with names that sort
    // apart from their case.
    const QStringList extensiones{"bmp", "rle", "wmf", "emf", "jpg", "png", "jpeg"};
    QStringList esperados;
    for (int i = 0; i < extensiones.size(); ++i) {
        const QString baja = QStringLiteral("%1a.%2").arg(i).arg(extensiones[i]);
        const QString alta = QStringLiteral("%1B.%2").arg(i).arg(extensiones[i].toUpper());
        Toca(d.file(baja));
        Toca(d.file(alta));
        esperados << baja << alta;
    }
    Toca(d.file("7c.Jpeg"));
    esperados << "7c.Jpeg";
    for (const char* n : {".oculta.jpg", ".oculta.PNG", "notas.txt", "z.gif", "y.tiff", "x.jpe", "w.pngx", "bmp",
                          "png", "jpeg"})
        Toca(d.file(QString::fromLatin1(n)));
    QDir().mkpath(d.file("carpeta.jpg"));
    QDir().mkpath(d.file("carpeta.png"));
    EXPECT_EQ(carpetas::ArchivosImagen(d.path()), esperados);
    EXPECT_TRUE(carpetas::ArchivosImagen(d.file("no-existe/")).isEmpty());
}

// A folder that cannot be listed gives no pictures and no subfolders: one
// whose path runs under a regular file (it fails for root too) and, for a
// user permissions bind, a folder without read permission.
TEST(ListasCarpetas, AnUnreadableFolderListsNothing) {
    for (const bool real : {false, true}) {
        SCOPED_TRACE(real ? "no read permission" : "under a regular file");
        ScratchDir d;
        QString cerrada;
        if (real) {
            cerrada = d.file("cerrada/");
            QDir().mkpath(cerrada);
            Toca(cerrada + "a.bmp");
            QDir().mkpath(cerrada + "sub");
            QFile::setPermissions(cerrada, QFileDevice::Permissions());
            if (QFileInfo(cerrada).isReadable()) {
                // This user reads every folder.
                QFile::setPermissions(cerrada, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
                continue;
            }
        } else {
            Toca(d.file("archivo.bmp"));
            cerrada = d.file("archivo.bmp/");
        }
        EXPECT_TRUE(carpetas::ArchivosImagen(cerrada).isEmpty());
        const auto lista = carpetas::ListaCarpetas(cerrada);
        ASSERT_FALSE(lista.empty());
        EXPECT_EQ(lista.back().ruta, cerrada) << "the ancestors and the folder, no subfolder";
        if (real) QFile::setPermissions(cerrada, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    }
}

TEST(ListasCarpetas, TheFolderListHoldsTheAncestorsThenTheSubfolders) {
    ScratchDir d;
    for (const char* n : {"beta", "Alfa", ".oculta", "gamma"}) QDir().mkpath(d.file(QString::fromLatin1(n)));
    Toca(d.file("archivo.bmp"));
    const auto lista = carpetas::ListaCarpetas(d.path());
    const int propia = carpetas::PosicionCarpeta(lista, d.path());
    ASSERT_GE(propia, 1);
    EXPECT_EQ(lista.front().ruta, QStringLiteral("/"));
    EXPECT_EQ(lista.front().texto, QStringLiteral("/"));
    for (int i = 1; i <= propia; ++i) {
        EXPECT_EQ(carpetas::CarpetaPadre(lista[std::size_t(i)].ruta), lista[std::size_t(i - 1)].ruta);
        const auto& e = lista[std::size_t(i)];
        EXPECT_EQ(e.texto, QString(2 * i, ' ') + carpetas::NombreCarpeta(e.ruta));
    }
    ASSERT_EQ(int(lista.size()), propia + 4);
    QStringList subcarpetas;
    for (std::size_t i = std::size_t(propia) + 1; i < lista.size(); ++i) subcarpetas << lista[i].ruta;
    EXPECT_EQ(subcarpetas, (QStringList{d.file("Alfa/"), d.file("beta/"), d.file("gamma/")}));
    EXPECT_EQ(lista.back().texto, QString(2 * (propia + 1), ' ') + "gamma");
}

TEST(ListasCarpetas, PathsJoinWithOneSeparatorAndDrivesHoldTheirFolders) {
    EXPECT_EQ(carpetas::UneRuta("/", "a.bmp"), "/a.bmp");
    EXPECT_EQ(carpetas::UneRuta("/x/y", "a.bmp"), "/x/y/a.bmp");
    EXPECT_EQ(carpetas::UneRuta("/x//y/", "a.bmp"), "/x/y/a.bmp");
    EXPECT_EQ(carpetas::ComoCarpeta(""), "/");
    EXPECT_EQ(carpetas::CarpetaPadre("/x/y/"), "/x/");
    EXPECT_EQ(carpetas::CarpetaPadre("/x/"), "/");
    EXPECT_EQ(carpetas::CarpetaPadre("/"), "/");
    const QStringList unidades{"/", "/home/ana/"};
    EXPECT_EQ(carpetas::UnidadDe("/home/ana/fotos/", unidades), "/home/ana/");
    EXPECT_EQ(carpetas::UnidadDe("/home/ana", unidades), "/home/ana/");
    EXPECT_EQ(carpetas::UnidadDe("/home/anabel/", unidades), "/");
    EXPECT_EQ(carpetas::UnidadDe("/tmp/", unidades), "/");
    EXPECT_EQ(carpetas::Unidades().front(), "/");
}

TEST(ListasCarpetas, TheStoredNameIsFoundExactlyThenIgnoringCase) {
    const QStringList l{"a.bmp", "Foto.JPG", "foto.jpg"};
    EXPECT_EQ(carpetas::BuscaArchivo(l, "foto.jpg"), 2);
    EXPECT_EQ(carpetas::BuscaArchivo(l, "FOTO.jpg"), 1);
    EXPECT_EQ(carpetas::BuscaArchivo(l, "b.bmp"), -1);
    EXPECT_EQ(carpetas::BuscaArchivo(l, ""), -1);
}

TEST(NroPiezas, ItemsInColumnsReadBackForEverySizeAndCell) {
    EXPECT_EQ(nropiezas::Texto(5, 1, 21), " 5 x  5 ->  25");
    EXPECT_EQ(nropiezas::Texto(5, 4, 21), " 5 x  5 x 4 -> 100");
    EXPECT_EQ(nropiezas::Texto(4, 1, 22), " 4 x  4 ->  15");
    EXPECT_EQ(nropiezas::Texto(4, 4, 22), " 4 x  4 ->  15") << "the sliding game has one piece a cell";
    EXPECT_EQ(nropiezas::Texto(15, 4, 21), "15 x 15 x 4 -> 900");
    for (int juego : {21, 22})
        for (int casilla : {1, 2, 4})
            for (int n = 3; n <= (casilla == 4 ? 15 : 20); ++n) {
                const QString t = nropiezas::Texto(n, casilla, juego);
                EXPECT_EQ(nropiezas::Lado(t), n) << t.toStdString();
                EXPECT_EQ(t.right(3).trimmed().toInt(), juego == 22 ? n * n - 1 : n * n * casilla);
                EXPECT_EQ(t.size(), juego == 21 && casilla > 1 ? 18 : 14);
            }
    EXPECT_EQ(nropiezas::TextoTamano(640, 480), QString::fromUtf8("640 píxels x 480 píxels"));
}

TEST(ListasCarpetas, APastedPictureTakesTheFirstNameNoPuzzleUses) {
    ScratchDir d;
    auto nadie = [](const QString&) { return false; };
    EXPECT_EQ(carpetas::NombrePortapapeles(d.path(), nadie), "tsportap.bmp");
    Toca(d.file("TSPORTAP.BMP"));
    EXPECT_EQ(carpetas::NombrePortapapeles(d.path(), nadie), "TSPORTAP.BMP") << "replaced in its own spelling";
    QStringList usadas{d.file("TSPORTAP.BMP"), d.file("tsportap2.bmp")};
    auto enUso = [&](const QString& r) { return usadas.contains(r); };
    EXPECT_EQ(carpetas::NombrePortapapeles(d.path(), enUso), "tsportap2.bmp") << "a name not there is free";
    Toca(d.file("tsportap2.bmp"));
    EXPECT_EQ(carpetas::NombrePortapapeles(d.path(), enUso), "tsportap3.bmp");
}

// ---------------------------------------------------------------- the window

class EleccionTest : public ::testing::Test {
protected:
    void SetUp() override {
        puzzle_test::PreparaProgramaEn(programa.path());
        auto& g = PuzzGbl;
        g.ListaMovimientos = 1;
        g.MaterialPiezas = 1;
        g.TipoRotulo = 1;
        g.TipoJuego = 21;
        g.FormaPieza = 0;
        g.PiezasCasilla = 1;
        g.PiezasLado = 5;
        g.ZoomImagen = 100;
        g.CarpetaImagen = fotos.path();
        puzzle_test::PonMesa(1024, 768);
        RegistraServiciosControles({[](int, int) {}, [](int) {}, {}, {}});
        RegistraPresentadorMensaje([this](const QString& t, const QString& texto) {
            titulos << t;
            textos << texto;
            lineas << PuzzGbl.NroLineasMensaje;
            PuzzGbl.RespuestaMensaje = true;
        });
        Personal::TamanoPortapapeles = [] { return std::optional<QSize>(); };
        InstalaEstadoPuzzle();
    }
    void TearDown() override {
        DestruyeVentanaPersonal();
        RegistraPresentadorMensaje(nullptr);
        RegistraServiciosControles({});
        puzzle_test::Reinicia();
    }
    Personal& Abre(std::int16_t juego = 21) {
        PuzzGbl.TipoJuego = juego;
        Personal& p = CreaVentanaPersonal();
        p.Form_Load();
        titulos.clear();
        textos.clear();
        lineas.clear();
        return p;
    }
    // The player picks the file of that name in the list.
    void Elige(Personal& p, const QString& nombre) {
        titulos.clear();
        textos.clear();
        lineas.clear();
        const int i = int(Elementos(p.File1).indexOf(nombre));
        ASSERT_GE(i, 0) << nombre.toStdString();
        if (p.File1.ListIndex() == i) p.File1.setListIndex(-1);
        p.File1.setListIndex(i);
    }

    ScratchDir programa, fotos;
    QStringList titulos, textos;
    QList<int> lineas;
};

TEST_F(EleccionTest, EachPictureSizeGetsItsZoomOrIsRefused) {
    const struct {
        int ancho, alto, zoom;
        const char* mensaje; // nullptr: none
        bool valida;
    } casos[] = {
        {640, 480, 100, nullptr, true},
        {320, 240, 100, nullptr, true},
        {1024, 768, 100, nullptr, true},
        {200, 150, 165, "Imagen fuera de límites", true},
        {319, 240, 105, "Imagen fuera de límites", true},
        {2000, 1500, 50, "Imagen fuera de límites", true},
        {1100, 700, 90, "Imagen fuera de límites", true},
        {2000, 500, 50, "Imagen fuera de límites", true},
        {661, 160, 155, "Imagen fuera de límites", true}, // 1024 x 248 once zoomed
        {300, 800, 120, "Imagen no válida", false},
        {30, 30, 120, "Imagen no válida", false},
    };
    // Each size in another of the formats the list shows, all taken alike.
    const QStringList extensiones{"jpg", "png", "jpeg", "PNG", "JPEG", "bmp", "JPG"};
    auto nombreDe = [&](const auto& c) {
        const auto i = &c - casos;
        return QStringLiteral("%1x%2.%3").arg(c.ancho).arg(c.alto).arg(extensiones[i % extensiones.size()]);
    };
    for (const auto& c : casos) Crea(fotos.file(nombreDe(c)), c.ancho, c.alto);
    PuzzGbl.ZoomImagen = 120;
    Personal& p = Abre();
    ASSERT_EQ(p.File1.ListCount(), int(std::size(casos)));
    for (const auto& c : casos) {
        const QString nombre = nombreDe(c);
        SCOPED_TRACE(nombre.toStdString());
        Elige(p, nombre);
        auto& g = PuzzGbl;
        EXPECT_EQ(g.ZoomImagen, c.zoom);
        EXPECT_EQ(g.SeleccionValida, c.valida);
        EXPECT_EQ(titulos, c.mensaje ? QStringList{QString::fromUtf8(c.mensaje)} : QStringList());
        EXPECT_EQ(g.AnchoBmp, c.ancho);
        EXPECT_EQ(g.AltoBmp, c.alto);
        EXPECT_EQ(p.Tex_Spin41.text().trimmed().toInt(), c.zoom);
        // A refused picture is named by the choice all the same.
        EXPECT_EQ(g.ArchivoImagen, nombre);
        EXPECT_EQ(g.FicheroImagen, fotos.file(nombre));
        EXPECT_EQ(g.CarpetaImagen, fotos.path());
        EXPECT_TRUE(g.UnidadImagen.isEmpty());
        if (c.valida) {
            EXPECT_EQ(mesa.Pic_FonTamModi.scaleWidth(), c.ancho * c.zoom / 100);
            EXPECT_EQ(mesa.Pic_FonTamModi.scaleHeight(), c.alto * c.zoom / 100);
            EXPECT_GT(p.Lis_NroPiezas.ListCount(), 0);
        }
    }
    Elige(p, nombreDe(casos[9]));
    ASSERT_EQ(textos.size(), 1);
    const QString& n = PuzzGbl.SaltoLinea;
    EXPECT_EQ(textos[0], QString::fromUtf8("La imagen seleccionada ( 300 x 800 píxeles)") + n +
                             QString::fromUtf8("no puede ser utilizada en Teselaro. Aunque se le aplique el máximo "
                                               "valor del  Zoom no entra dentro de los límites permitidos:") +
                             n + n + QString::fromUtf8("       Entre 320 y 1024 píxeles de ancho.") + n +
                             QString::fromUtf8("       Entre 240 y  768 píxeles de alto.") + n + n +
                             "Seleccione  otra  imagen  que  sirva de fondo para el puzzle.");
    EXPECT_EQ(lineas[0], 10);
    Elige(p, nombreDe(casos[3]));
    ASSERT_EQ(textos.size(), 1);
    EXPECT_EQ(textos[0], QString::fromUtf8("El tamaño de la imagen que ha seleccionado") + n +
                             QString::fromUtf8("( 200 x 150 píxeles) no está dentro de los límites permitidos:") + n +
                             n + QString::fromUtf8("       Entre 320 y 1024 píxeles de ancho.") + n +
                             QString::fromUtf8("       Entre 240 y  768 píxeles de alto.") + n + n +
                             "Se ha modificado el  Zoom  para adaptar la imagen a dichos límites.");
    EXPECT_EQ(lineas[0], 9);
}

TEST_F(EleccionTest, TheShapeGatesFollowTheProportionAtTheirLimits) {
    // Shapes 1, 2, 3 and 7 by the picture's own width and height.
    const struct {
        int ancho, alto;
        bool curvados, irregulares, triangulos;
    } casos[] = {
        {476, 1000, true, true, true},  {475, 1000, true, false, true},  {21, 10, true, true, true},
        {22, 10, true, false, true},    {21, 8, false, false, true},     {22, 8, false, false, false},
        {416, 1000, true, false, true}, {415, 1000, false, false, true}, {12, 5, true, false, true},
        {13, 5, false, false, true},    {300, 1000, false, false, true},
    };
    for (const auto& c : casos) Crea(fotos.file(QStringLiteral("%1x%2.bmp").arg(c.ancho).arg(c.alto)), c.ancho, c.alto);
    Personal& p = Abre();
    for (const auto& c : casos) {
        SCOPED_TRACE(testing::Message() << c.ancho << " x " << c.alto);
        Elige(p, QStringLiteral("%1x%2.bmp").arg(c.ancho).arg(c.alto));
        EXPECT_EQ(p.TipPuzActivo[1], c.curvados);
        EXPECT_EQ(p.TipPuzActivo[7], c.curvados);
        EXPECT_EQ(p.TipPuzActivo[2], c.irregulares);
        EXPECT_EQ(p.TipPuzActivo[3], c.triangulos);
        for (int f : {0, 4, 5, 6}) EXPECT_TRUE(p.TipPuzActivo[std::size_t(f)]);
    }
}

TEST_F(EleccionTest, ARefusedShapeFallsBackToRectanglesBeforeTheCountsAreMade) {
    Crea(fotos.file("ancha.bmp"), 1024, 400); // 2.56: no curves, stars nor irregular pieces
    Crea(fotos.file("normal.bmp"), 640, 480);
    PuzzGbl.ArchivoImagen = "normal.bmp";
    PuzzGbl.SeleccionValida = true;
    Personal& p = Abre();
    PuzzGbl.FormaPieza = 7;
    PuzzGbl.PiezasCasilla = 2;
    Elige(p, "ancha.bmp");
    EXPECT_EQ(PuzzGbl.FormaPieza, 0);
    EXPECT_EQ(PuzzGbl.PiezasCasilla, 1);
    ASSERT_GT(p.Lis_NroPiezas.ListCount(), 0);
    for (const QString& t : Elementos(p.Lis_NroPiezas)) EXPECT_EQ(t.size(), 14) << t.toStdString();
    // Triangles suit it and stay.
    PuzzGbl.FormaPieza = 3;
    PuzzGbl.PiezasCasilla = 4;
    Elige(p, "normal.bmp");
    Elige(p, "ancha.bmp");
    EXPECT_EQ(PuzzGbl.FormaPieza, 3);
}

TEST_F(EleccionTest, ADamagedOrTooLargePictureIsRefusedWithItsReasonAndTheLastPictureStays) {
    Crea(fotos.file("X.BMP"), 640, 480);
    Toca(fotos.file("rota.jpg"), QByteArray("\xFF\xD8\xFF\xE0 not really a jpeg"));
    Toca(fotos.file("dibujo.wmf"), QByteArray::fromHex("d7cdc69a0000") + QByteArray(40, '\0'));
    Toca(fotos.file("enorme.png"), testing_support::pngHeaderOnly(30000, 30000));
    PuzzGbl.ArchivoImagen = "x.bmp"; // found in another case
    PuzzGbl.SeleccionValida = false;
    PuzzGbl.ZoomImagen = 120;
    Personal& p = Abre();
    EXPECT_EQ(Elementos(p.File1), (QStringList{"dibujo.wmf", "enorme.png", "rota.jpg", "X.BMP"}));
    EXPECT_EQ(p.File1.ListIndex(), 3);
    auto& g = PuzzGbl;
    EXPECT_EQ(g.ArchivoImagen, "X.BMP");
    EXPECT_TRUE(g.SeleccionValida);
    EXPECT_EQ(g.ZoomImagen, 100);
    const QString& n = g.SaltoLinea;
    const QString cola = n + n + "Seleccione  otra  imagen  que  sirva de fondo para el puzzle.";
    const struct {
        const char* nombre;
        QString texto;
    } casos[] = {
        {"rota.jpg", QString::fromUtf8("No se puede usar la imagen rota.jpg: el archivo está dañado o no "
                                       "contiene una imagen BMP, RLE, JPEG, PNG, WMF o EMF.") + cola},
        {"dibujo.wmf", QString::fromUtf8("No se puede usar la imagen dibujo.wmf: el archivo está dañado o no "
                                         "contiene una imagen BMP, RLE, JPEG, PNG, WMF o EMF.") + cola},
        {"enorme.png", QString::fromUtf8("No se puede usar la imagen enorme.png: es demasiado grande (se admiten "
                                         "archivos de hasta 64 MB e imágenes de hasta 20 millones de píxeles).") +
                           cola},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.nombre);
        Elige(p, QString::fromLatin1(c.nombre));
        EXPECT_EQ(titulos, QStringList{QString::fromUtf8("Imagen no válida")});
        ASSERT_EQ(textos.size(), 1);
        EXPECT_EQ(textos[0], c.texto);
        EXPECT_EQ(lineas[0], 4);
        EXPECT_FALSE(g.SeleccionValida);
        EXPECT_EQ(g.ZoomImagen, 120) << "the zoom of the opening";
        EXPECT_EQ(g.ArchivoImagen, "X.BMP");
        EXPECT_EQ(g.FicheroImagen, fotos.file("X.BMP"));
        EXPECT_EQ(g.CarpetaImagen, fotos.path());
    }
    // The exit tries the selected file again and stays.
    p.Pic_BotSalir_Click();
    EXPECT_FALSE(p.Descargada());
    Elige(p, "X.BMP");
    EXPECT_TRUE(g.SeleccionValida);
    EXPECT_EQ(g.AnchoBmp, 640);
    EXPECT_EQ(mesa.Pic_FonTamModi.scaleWidth(), 640);
    EXPECT_EQ(mesa.Pic_FonTamModi.scaleHeight(), 480);
}

TEST_F(EleccionTest, TheFolderListBrowsesAndAMissingFolderShowsTheProgramFolder) {
    Crea(fotos.file("uno.bmp"), 640, 480);
    QDir().mkpath(fotos.file("sub/.oculta"));
    Crea(fotos.file("sub/dos.bmp"), 800, 600);
    PuzzGbl.ArchivoImagen = "uno.bmp";
    PuzzGbl.SeleccionValida = true;
    Personal& p = Abre();
    EXPECT_EQ(p.CarpetaLista(), fotos.path());
    const QStringList carpetasVistas = Elementos(p.Dir1);
    ASSERT_FALSE(carpetasVistas.isEmpty());
    EXPECT_EQ(carpetasVistas.front(), "/");
    EXPECT_EQ(carpetasVistas.back().trimmed(), "sub");
    EXPECT_EQ(p.Drive1.List(p.Drive1.ListIndex()), carpetas::UnidadDe(fotos.path(), carpetas::Unidades()));
    // A single click only selects; a double click or Enter opens.
    p.Dir1.setListIndex(p.Dir1.ListCount() - 1);
    EXPECT_EQ(p.CarpetaLista(), fotos.path());
    p.Dir1_Abre();
    EXPECT_EQ(p.CarpetaLista(), fotos.file("sub/"));
    EXPECT_EQ(Elementos(p.File1), QStringList{"dos.bmp"});
    EXPECT_EQ(p.Dir1.List(p.Dir1.ListIndex()).trimmed(), "sub");
    // A count chosen meanwhile lays the window out again: the lists stay.
    p.CambiandoNroPiezas = true;
    p.ColocaControles();
    p.CambiandoNroPiezas = false;
    EXPECT_EQ(p.CarpetaLista(), fotos.file("sub/"));
    EXPECT_EQ(PuzzGbl.ArchivoImagen, "uno.bmp");
    EXPECT_EQ(p.File1.ListIndex(), -1);
    Elige(p, "dos.bmp");
    EXPECT_EQ(PuzzGbl.CarpetaImagen, fotos.file("sub/"));
    EXPECT_EQ(PuzzGbl.FicheroImagen, fotos.file("sub/dos.bmp"));
    // Another drive shows its own folder.
    if (p.Drive1.ListCount() > 1 && !fotos.path().startsWith(p.Drive1.List(1))) {
        p.Drive1.setListIndex(1);
        EXPECT_EQ(p.CarpetaLista(), p.Drive1.List(1));
        p.Drive1.setListIndex(0);
        EXPECT_EQ(p.CarpetaLista(), "/");
    }
    DestruyeVentanaPersonal();

    PuzzGbl.CarpetaImagen = fotos.file("ya-no-existe/");
    Personal& q = Abre();
    EXPECT_EQ(q.CarpetaLista(), PuzzGbl.RutaPrograma);
}

TEST_F(EleccionTest, AFirstStartOpensOnTheFirstSample) {
    const QString muestras = testing_support::samplePicturesFolder();
    ASSERT_FALSE(muestras.isEmpty());
    auto& g = PuzzGbl;
    g.CarpetaImagen = muestras;
    g.ArchivoImagen.clear();
    g.FicheroImagen = " ";
    g.SeleccionValida = false;
    Personal& p = Abre();
    const QStringList archivos = carpetas::ArchivosImagen(muestras);
    ASSERT_GE(archivos.size(), 12);
    EXPECT_EQ(p.File1.ListIndex(), 0);
    EXPECT_EQ(g.ArchivoImagen, archivos.front());
    EXPECT_TRUE(g.SeleccionValida);
    EXPECT_EQ(g.ZoomImagen, 100);
    EXPECT_GT(p.Lis_NroPiezas.ListCount(), 0);
    EXPECT_GE(p.Lis_NroPiezas.ListIndex(), 0);
    p.Pic_BotSalir_Click();
    EXPECT_TRUE(p.Descargada());
}

TEST_F(EleccionTest, TheCountListOffersWhatTheZoomedPictureAllows) {
    Crea(fotos.file("foto.bmp"), 640, 480);
    PuzzGbl.ArchivoImagen = "foto.bmp";
    PuzzGbl.SeleccionValida = true;
    Personal& p = Abre();
    auto& g = PuzzGbl;
    auto lados = [&] {
        std::vector<int> v;
        for (const QString& t : Elementos(p.Lis_NroPiezas)) v.push_back(nropiezas::Lado(t));
        return v;
    };
    auto rango = [](int a, int b) {
        std::vector<int> v;
        for (int n = a; n <= b; ++n) v.push_back(n);
        return v;
    };
    const struct {
        std::int16_t juego, forma;
        int ancho, alto, lado, ladoFinal;
        std::vector<int> ofrecidos;
        int seleccion;
    } casos[] = {
        {21, 0, 640, 480, 5, 5, rango(5, 19), 0},  {21, 3, 640, 480, 7, 7, rango(5, 9), 2},
        {21, 3, 600, 240, 5, 3, {}, -1},           {22, 0, 640, 480, 4, 4, rango(3, 8), 1},
        {21, 0, 640, 480, 12, 12, rango(5, 19), 7}, {21, 0, 640, 480, 25, 19, rango(5, 19), 14},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(testing::Message() << c.juego << " " << c.forma << " " << c.ancho << "x" << c.alto);
        g.TipoJuego = c.juego;
        g.FormaPieza = c.forma;
        g.PiezasCasilla = std::int16_t(encaje::PiezasPorCasilla(c.forma));
        g.PiezasLado = std::int16_t(c.lado);
        g.SeleccionValida = true;
        mesa.Pic_FonTamModi.setSize(c.ancho, c.alto);
        p.CargaLisNroPiezas();
        EXPECT_EQ(lados(), c.ofrecidos);
        EXPECT_EQ(g.PiezasLado, c.ladoFinal);
        EXPECT_EQ(p.Lis_NroPiezas.ListIndex(), c.seleccion);
    }
    g.TipoJuego = 22;
    p.CargaLisNroPiezas();
    QStringList totales;
    for (const QString& t : Elementos(p.Lis_NroPiezas)) totales << t.right(3).trimmed();
    EXPECT_EQ(totales, (QStringList{"8", "15", "24", "35", "48", "63"}));

    // Only a usable selection is marked.
    g.TipoJuego = 21;
    g.FormaPieza = 0;
    g.PiezasCasilla = 1;
    g.SeleccionValida = false;
    mesa.Pic_FonTamModi.setSize(640, 480);
    p.CargaLisNroPiezas();
    EXPECT_EQ(p.Lis_NroPiezas.ListIndex(), -1);
}

TEST_F(EleccionTest, ACountOutsideTheListMovesToTheNearestAndRedrawsOnce) {
    Crea(fotos.file("foto.bmp"), 640, 480);
    PuzzGbl.ArchivoImagen = "foto.bmp";
    PuzzGbl.SeleccionValida = true;
    Personal& p = Abre();
    auto& g = PuzzGbl;
    g.PiezasLado = 4;
    g.NroPiezas = 16;
    mesa.Pic_FonTamModi.clearPicture();
    mesa.Pic_FonTamModi.setSize(640, 480);
    p.CargaLisNroPiezas();
    EXPECT_EQ(g.PiezasLado, 5);
    EXPECT_EQ(g.NroPiezas, 25) << "the geometry worked out again";
    EXPECT_TRUE(mesa.Pic_FonTamModi.hasPicture()) << "the picture drawn again";
    EXPECT_EQ(p.Lis_NroPiezas.ListIndex(), 0);
}

TEST_F(EleccionTest, APressTakesTheCountButASelectionFromCodeDoesNot) {
    Crea(fotos.file("foto.bmp"), 640, 480);
    PuzzGbl.ArchivoImagen = "foto.bmp";
    PuzzGbl.SeleccionValida = true;
    Personal& p = Abre();
    auto& g = PuzzGbl;
    ASSERT_EQ(g.PiezasLado, 5);
    const int atraccion = p.dibujosAtraccion();
    p.Lis_NroPiezas.setListIndex(3); // 8 x 8
    EXPECT_EQ(g.PiezasLado, 5);
    p.Lis_NroPiezas_MouseDown(1, 0, 10, 40);
    EXPECT_EQ(g.PiezasLado, 8);
    EXPECT_EQ(g.NroPiezas, 64);
    EXPECT_FALSE(p.CambiandoNroPiezas);
    EXPECT_EQ(p.dibujosAtraccion(), atraccion) << "the re-run layout leaves the attraction group";
    EXPECT_EQ(nropiezas::Lado(p.Lis_NroPiezas.List(p.Lis_NroPiezas.ListIndex())), 8);
    EXPECT_EQ(g.ArchivoImagen, "foto.bmp");
    EXPECT_TRUE(titulos.isEmpty());
}

TEST_F(EleccionTest, TheZoomBoxJudgesTheRealPictureByItsWholePixels) {
    auto& g = PuzzGbl;
    const struct {
        int ancho, alto;
        double zoom;
        int resultado;
        bool rechazado;
    } casos[] = {
        {320, 240, 995, 100, true},  {683, 480, 150, 150, false}, {684, 480, 150, 100, true},
        {640, 480, 102.5, 102, false}, {320, 240, 95, 100, true},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(testing::Message() << c.ancho << " x " << c.alto << " at " << c.zoom);
        mesa.Pic_FonTamReal.setSize(c.ancho, c.alto);
        g.ZoomImagen = 100;
        titulos.clear();
        ValidaCambioSpin(41, c.zoom);
        EXPECT_EQ(g.ZoomImagen, c.resultado);
        EXPECT_EQ(titulos, c.rechazado ? QStringList{QString::fromUtf8("Imagen fuera de límites")} : QStringList());
    }
}

TEST_F(EleccionTest, TheOpeningChecksAStoredPictureThatWasNotUsable) {
    // The state left a picture too large for its zoom: the opening does not
    // take it as it stands but fits it.
    Crea(fotos.file("grande.jpg"), 2000, 1500);
    PuzzGbl.ArchivoImagen = "grande.jpg";
    PuzzGbl.SeleccionValida = false;
    Personal& p = Abre();
    EXPECT_EQ(p.File1.ListIndex(), 0);
    EXPECT_EQ(PuzzGbl.ZoomImagen, 50);
    EXPECT_TRUE(PuzzGbl.SeleccionValida);
    EXPECT_EQ(mesa.Pic_FonTamModi.scaleWidth(), 1000);
}

TEST_F(EleccionTest, TheSlidingGameTakesAnyLoadablePictureAsItIs) {
    Crea(fotos.file("grande.jpg"), 2000, 1500);
    Crea(fotos.file("foto.bmp"), 640, 480);
    Toca(fotos.file("rota.bmp"), "BM nothing");
    PuzzGbl.ArchivoImagen = "foto.bmp";
    PuzzGbl.SeleccionValida = true;
    PuzzGbl.PiezasLado = 4;
    Personal& p = Abre(22);
    Elige(p, "grande.jpg");
    EXPECT_TRUE(titulos.isEmpty());
    EXPECT_TRUE(PuzzGbl.SeleccionValida);
    EXPECT_EQ(PuzzGbl.ZoomImagen, 100);
    EXPECT_EQ(PuzzGbl.ArchivoImagen, "grande.jpg");
    EXPECT_EQ(Elementos(p.Lis_NroPiezas).size(), 6);
    Elige(p, "rota.bmp");
    EXPECT_EQ(titulos, QStringList{QString::fromUtf8("Imagen no válida")});
    EXPECT_FALSE(PuzzGbl.SeleccionValida);
    EXPECT_EQ(PuzzGbl.ArchivoImagen, "grande.jpg");
}

TEST_F(EleccionTest, TheSampleMetafilesAreChosenSizedPreviewedAndCountedAsAnyPicture) {
    for (const char* nombre : {"Figuras.wmf", "Figuras.emf"})
        ASSERT_TRUE(QFile::copy(testing_support::samplePicturesFolder() + nombre, fotos.file(nombre))) << nombre;
    Crea(fotos.file("foto.bmp"), 800, 600);
    PuzzGbl.ArchivoImagen = "foto.bmp";
    PuzzGbl.SeleccionValida = true;
    for (std::int16_t juego : {std::int16_t(21), std::int16_t(22)}) {
        Personal& p = Abre(juego);
        for (const char* nombre : {"Figuras.wmf", "Figuras.emf"}) {
            SCOPED_TRACE(testing::Message() << nombre << " in game " << juego);
            Elige(p, QString::fromLatin1(nombre));
            auto& g = PuzzGbl;
            EXPECT_TRUE(titulos.isEmpty()) << (textos.isEmpty() ? "" : textos[0].toStdString());
            EXPECT_TRUE(g.SeleccionValida);
            EXPECT_EQ(g.ArchivoImagen, QString::fromLatin1(nombre));
            EXPECT_EQ(g.AnchoBmp, 640);
            EXPECT_EQ(g.AltoBmp, 480);
            EXPECT_EQ(g.ZoomImagen, 100);
            EXPECT_EQ(mesa.Pic_FonTamModi.scaleWidth(), 640 + g.OrigenX);
            EXPECT_GT(p.Lis_NroPiezas.ListCount(), 0);
            // The thumbnail shows the blue rectangle where the drawing has it
            // (its whole area is the picture, which is 4:3).
            const int w = p.Pic_MostrarImagen.scaleWidth() - 4, h = p.Pic_MostrarImagen.scaleHeight() - 4;
            EXPECT_EQ(p.Pic_MostrarImagen.point(w * 160 / 640, h * 120 / 480), plat::Color(0xFF0000));
            EXPECT_EQ(p.Pic_MostrarImagen.point(w * 320 / 640, h * 230 / 480), plat::Color(0xFFFFFF));
        }
        DestruyeVentanaPersonal();
    }
}

TEST_F(EleccionTest, TheTangramDrawsItsModelFramedByTheBoardMargins) {
    Personal& p = CreaVentanaPersonal();
    auto& g = PuzzGbl;
    g.TipoJuego = 23;
    g.AnchoImagen = 300;
    g.AltoImagen = 200;
    g.OrigenX = 20;
    g.OrigenY = 10;
    p.Pic_MostrarImagen.setSize(241, 180);
    p.CargaMostrarImagen();
    EXPECT_EQ(mesa.Pic_FonTamReal.scaleWidth(), 340);
    EXPECT_EQ(mesa.Pic_FonTamReal.scaleHeight(), 220);
    EXPECT_EQ(g.AnchoBmp, 340);
    EXPECT_TRUE(g.SeleccionValida);
}

// ---------------------------------------------------------------- the controls on the chosen picture

// The size display shows exactly that text.
bool MuestraTexto(plat::Surface& visor, const QString& texto) {
    const QImage visto = visor.image().copy();
    DibujaVisor(visor, texto, 2);
    return visor.image() == visto;
}

std::vector<int> Lados(const plat::ListBox& l) {
    std::vector<int> v;
    for (int i = 0; i < l.ListCount(); ++i) v.push_back(nropiezas::Lado(l.List(i)));
    return v;
}

TEST_F(EleccionTest, AZoomTypedOrSteppedShowsAtOnceInThePictureItsSizeAndTheCounts) {
    Crea(fotos.file("foto.bmp"), 640, 480);
    PuzzGbl.ArchivoImagen = "foto.bmp";
    PuzzGbl.SeleccionValida = true;
    Personal& p = Abre();
    auto& g = PuzzGbl;
    ASSERT_EQ(mesa.Pic_FonTamModi.scaleWidth(), 640);
    const std::vector<int> antes = Lados(p.Lis_NroPiezas);
    auto siguenAlZoom = [&](int zoom) {
        const int w = 640 * zoom / 100, h = 480 * zoom / 100;
        EXPECT_EQ(g.ZoomImagen, zoom);
        EXPECT_EQ(mesa.Pic_FonTamModi.scaleWidth(), w + g.OrigenX);
        EXPECT_EQ(mesa.Pic_FonTamModi.scaleHeight(), h + g.OrigenY);
        EXPECT_TRUE(MuestraTexto(p.Pic_InfoTamBmp, nropiezas::TextoTamano(w + g.OrigenX, h + g.OrigenY)));
        EXPECT_EQ(Lados(p.Lis_NroPiezas), encaje::LadosOfrecidos(0, w + g.OrigenX, h + g.OrigenY));
    };
    // Typed: 150 % makes 960 x 720, which offers more pieces a side.
    p.Tex_Spin41.typed(QStringLiteral("150"));
    p.Tex_Spin_LostFocus(41);
    EXPECT_TRUE(titulos.isEmpty());
    siguenAlZoom(150);
    EXPECT_NE(Lados(p.Lis_NroPiezas), antes);
    // By the arrows: one step down.
    p.Pic_Spin_MouseMove(41, 0, 0, 140, 22);
    ASSERT_EQ(g.CursorActual, 23);
    p.Pic_Spin_MouseDown(41, 1, 0, 140, 22);
    p.Pic_Spin_MouseUp(41, 1, 0, 140, 22);
    siguenAlZoom(145);
    // A zoom refused leaves all three as they were.
    p.Tex_Spin41.typed(QStringLiteral("170"));
    p.Tex_Spin_LostFocus(41);
    EXPECT_EQ(titulos, QStringList{QString::fromUtf8("Imagen fuera de límites")});
    siguenAlZoom(145);
}

TEST_F(EleccionTest, AShapeThePictureRefusesFallsBackBeforeTheCountsAndTakesNoPress) {
    const struct {
        std::int16_t forma;
        int ancho, alto;
    } casos[] = {
        {2, 1024, 480}, // 2.13: too wide for irregular pieces only
        {3, 1024, 380}, // 2.69: too wide for triangles, which would offer no count at all
    };
    Crea(fotos.file("normal.bmp"), 640, 480);
    for (const auto& c : casos) Crea(fotos.file(QStringLiteral("%1x%2.bmp").arg(c.ancho).arg(c.alto)), c.ancho, c.alto);
    PuzzGbl.ArchivoImagen = "normal.bmp";
    PuzzGbl.SeleccionValida = true;
    Personal& p = Abre();
    auto& g = PuzzGbl;
    for (const auto& c : casos) {
        SCOPED_TRACE(testing::Message() << "shape " << c.forma);
        Elige(p, "normal.bmp");
        p.Pic_TipPuz_MouseDown(c.forma, 1, 0, 5, 5);
        ASSERT_EQ(g.FormaPieza, c.forma);
        Elige(p, QStringLiteral("%1x%2.bmp").arg(c.ancho).arg(c.alto));
        EXPECT_EQ(g.FormaPieza, 0);
        EXPECT_EQ(g.PiezasCasilla, 1);
        EXPECT_EQ(p.Rec_MarcaTip.left(), p.Pic_TipPuz(0).left() - 3);
        EXPECT_FALSE(p.TipPuzActivo[std::size_t(c.forma)]);
        EXPECT_EQ(Lados(p.Lis_NroPiezas), encaje::LadosOfrecidos(0, c.ancho, c.alto)) << "the counts of rectangles";
        EXPECT_GE(p.Lis_NroPiezas.ListIndex(), 0);
        EXPECT_TRUE(g.SeleccionValida);
        // Over the refused button no hand shows, and a press does nothing.
        p.Pic_TipPuz(c.forma).setMousePointer(0);
        p.Pic_TipPuz_MouseMove(c.forma, 0, 0, 5, 5);
        EXPECT_EQ(p.Pic_TipPuz(c.forma).mousePointer(), 0);
        const QStringList cuentas = Elementos(p.Lis_NroPiezas);
        p.Pic_TipPuz_MouseDown(c.forma, 1, 0, 5, 5);
        EXPECT_EQ(g.FormaPieza, 0);
        EXPECT_EQ(p.Rec_MarcaTip.left(), p.Pic_TipPuz(0).left() - 3);
        EXPECT_EQ(Elementos(p.Lis_NroPiezas), cuentas);
        // An allowed one still shows the hand.
        p.Pic_TipPuz(5).setMousePointer(0);
        p.Pic_TipPuz_MouseMove(5, 0, 0, 5, 5);
        EXPECT_NE(p.Pic_TipPuz(5).mousePointer(), 0);
    }
}

// ---------------------------------------------------------------- the pasted picture

class PortapapelesTest : public EleccionTest {
protected:
    QImage pegada = puzzle_test::Foto(400, 300, 5);
    static bool MismaImagen(const QString& ruta, const QImage& esperada) {
        const QImage leida(ruta);
        return !leida.isNull() && leida.convertToFormat(QImage::Format_RGB32) == esperada;
    }
};

TEST_F(PortapapelesTest, AnUnusedClipboardFileIsReplaced) {
    Crea(fotos.file("tsportap.bmp"), 320, 240);
    Personal& p = Abre();
    const QString ruta = p.GuardaImagenPortapapeles(pegada);
    EXPECT_EQ(ruta, fotos.file("tsportap.bmp"));
    EXPECT_TRUE(MismaImagen(ruta, pegada));
    EXPECT_TRUE(Elementos(p.File1).contains("tsportap.bmp"));
    EXPECT_EQ(p.File1.ListIndex(), -1);
    EXPECT_TRUE(titulos.isEmpty());
}

TEST_F(PortapapelesTest, AFileAPuzzleNamesIsKeptAndTheNextNameWritten) {
    Crea(fotos.file("tsportap.bmp"), 320, 240);
    const QByteArray antes = testing_support::readBytes(fotos.file("tsportap.bmp"));
    // A saved puzzle names it on its fourth line.
    testing_support::writeBytes(PuzzGbl.RutaArchivo + "Guardado.PUZ",
                                "\r\n" + fotos.path().toUtf8() + "\r\ntsportap.bmp\r\n" +
                                    fotos.file("tsportap.bmp").toUtf8() + "\r\n");
    Personal& p = Abre();
    const QString ruta = p.GuardaImagenPortapapeles(pegada);
    EXPECT_EQ(ruta, fotos.file("tsportap2.bmp"));
    EXPECT_TRUE(MismaImagen(ruta, pegada));
    EXPECT_EQ(testing_support::readBytes(fotos.file("tsportap.bmp")), antes);
    // So does the puzzle of the opening.
    QFile::remove(PuzzGbl.RutaArchivo + "Guardado.PUZ");
    p.Inicial.FicheroImagen = fotos.file("tsportap.bmp");
    EXPECT_EQ(p.GuardaImagenPortapapeles(pegada), fotos.file("tsportap2.bmp"));
    p.Inicial.FicheroImagen = " ";
    EXPECT_EQ(p.GuardaImagenPortapapeles(pegada), fotos.file("tsportap.bmp"));
}

TEST_F(PortapapelesTest, AnUnwritableFolderGivesWayToTheProgramsPicturesThenToAMessage) {
    Crea(fotos.file("foto.bmp"), 640, 480);
    PuzzGbl.ArchivoImagen = "foto.bmp";
    PuzzGbl.SeleccionValida = true;
    Personal& p = Abre();
    const QString propia = PuzzGbl.RutaPrograma + "Imagenes/";
    QDir(propia).removeRecursively();
    // The chooser's folder refuses the file: a folder stands in its way.
    QDir().mkpath(fotos.file("tsportap.bmp"));
    QDir().mkpath(fotos.file("tsportap.bmp/x"));
    const QString ruta = p.GuardaImagenPortapapeles(pegada);
    EXPECT_EQ(ruta, propia + "tsportap.bmp");
    EXPECT_TRUE(MismaImagen(ruta, pegada));
    EXPECT_EQ(p.CarpetaLista(), propia) << "the lists move there";
    EXPECT_TRUE(Elementos(p.File1).contains("tsportap.bmp"));
    EXPECT_TRUE(titulos.isEmpty());

    // Both refuse: the player is told, nothing is selected.
    QFile::remove(propia + "tsportap.bmp");
    QDir().mkpath(propia + "tsportap.bmp/x");
    ASSERT_TRUE(p.PonCarpetaLista(fotos.path()));
    const int antes = p.File1.ListIndex();
    EXPECT_TRUE(p.GuardaImagenPortapapeles(pegada).isEmpty());
    EXPECT_EQ(titulos, QStringList{"Pegar imagen del Portapapeles"});
    ASSERT_EQ(textos.size(), 1);
    EXPECT_EQ(textos[0], "No se ha podido guardar la imagen del Portapapeles en " + fotos.path() + ".");
    EXPECT_EQ(lineas[0], 2);
    EXPECT_EQ(p.File1.ListIndex(), antes);
}

// The paste button with a picture on the clipboard.
class PegarTest : public PortapapelesTest {
protected:
    void SetUp() override {
        PortapapelesTest::SetUp();
        QGuiApplication::clipboard()->setImage(pegada);
        if (!plat::clipboardHasPicture()) GTEST_SKIP() << "this platform keeps no clipboard";
    }
    void TearDown() override {
        QGuiApplication::clipboard()->clear();
        PortapapelesTest::TearDown();
    }
    void Pega(Personal& p) {
        titulos.clear();
        textos.clear();
        p.Pic_Pulsador_MouseDown(31, 1, 0, 5, 5);
    }
};

TEST_F(PegarTest, ThePastedPictureIsWrittenSelectedAndChosen) {
    Crea(fotos.file("foto.bmp"), 640, 480);
    PuzzGbl.ArchivoImagen = "foto.bmp";
    PuzzGbl.SeleccionValida = true;
    Personal& p = Abre();
    auto& g = PuzzGbl;
    auto elegida = [&](const QString& nombre, const QImage& imagen) {
        SCOPED_TRACE(nombre.toStdString());
        EXPECT_TRUE(MismaImagen(fotos.file(nombre), imagen));
        ASSERT_GE(p.File1.ListIndex(), 0);
        EXPECT_EQ(p.File1.List(p.File1.ListIndex()), nombre);
        EXPECT_EQ(g.ArchivoImagen, nombre);
        EXPECT_EQ(g.FicheroImagen, fotos.file(nombre));
        EXPECT_EQ(g.AnchoBmp, imagen.width());
        EXPECT_EQ(g.AltoBmp, imagen.height());
        EXPECT_TRUE(g.SeleccionValida);
        EXPECT_EQ(mesa.Pic_FonTamModi.scaleWidth(), encaje::Zoomado(imagen.width(), g.ZoomImagen) + g.OrigenX);
        EXPECT_EQ(Lados(p.Lis_NroPiezas),
                  encaje::LadosOfrecidos(0, mesa.Pic_FonTamModi.scaleWidth(), mesa.Pic_FonTamModi.scaleHeight()));
    };
    Pega(p);
    elegida("tsportap.bmp", pegada);
    EXPECT_TRUE(titulos.isEmpty());
    // Another picture pasted while that one is selected replaces it and is
    // chosen in its turn, fitted as any picture chosen.
    const QImage pequena = puzzle_test::Foto(200, 150, 9);
    QGuiApplication::clipboard()->setImage(pequena);
    Pega(p);
    elegida("tsportap.bmp", pequena);
    EXPECT_EQ(g.ZoomImagen, 165);
    EXPECT_EQ(titulos, QStringList{QString::fromUtf8("Imagen fuera de límites")});
    // The puzzle of the opening names it: the next name is taken.
    p.Inicial.FicheroImagen = fotos.file("tsportap.bmp");
    QGuiApplication::clipboard()->setImage(pegada);
    Pega(p);
    elegida("tsportap2.bmp", pegada);
    EXPECT_TRUE(MismaImagen(fotos.file("tsportap.bmp"), pequena));
}

TEST_F(PegarTest, APasteThatCannotBeWrittenSelectsNothing) {
    Crea(fotos.file("foto.bmp"), 640, 480);
    Crea(fotos.file("tsportap.bmp"), 320, 240); // named by the opening's puzzle
    PuzzGbl.ArchivoImagen = "foto.bmp";
    PuzzGbl.SeleccionValida = true;
    Personal& p = Abre();
    p.Inicial.FicheroImagen = fotos.file("tsportap.bmp");
    // Folders stand where the next name would go, here and in the
    // program's pictures folder.
    QDir().mkpath(fotos.file("tsportap2.bmp/x"));
    QDir().mkpath(PuzzGbl.RutaPrograma + "Imagenes/tsportap.bmp/x");
    Pega(p);
    EXPECT_EQ(titulos, QStringList{"Pegar imagen del Portapapeles"});
    ASSERT_GE(p.File1.ListIndex(), 0);
    EXPECT_EQ(p.File1.List(p.File1.ListIndex()), "foto.bmp") << "not the old tsportap.bmp";
    EXPECT_EQ(PuzzGbl.ArchivoImagen, "foto.bmp");
    EXPECT_EQ(PuzzGbl.AnchoBmp, 640);
    EXPECT_EQ(p.CarpetaLista(), fotos.path());
}

} // namespace
