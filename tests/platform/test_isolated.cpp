// The child process that untrusted work runs in: whatever a request makes
// it do (crash, abort, loop, ask for gigabytes, answer too much or nothing),
// the program gets no answer and goes on, the next request is answered by a
// fresh child, and a kept child neither carries one request's damage into the
// next answer nor holds the program's files, and dies without running the
// handlers its host set up for its own crashes.
#include "platform/isolated.h"

#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <csignal>
#include <cstdlib>
#include <cstring>
#include <iterator>
#include <stdexcept>

#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

// Set by the sanitizers, when the tests are built with them: the hook they
// call before a process they end dies, as a fuzzer's crash report is.
extern "C" void __sanitizer_set_death_callback(void (*callback)(void)) __attribute__((weak));

namespace {

// What the child does for each request; anything else is echoed.
QByteArray Trabajo(const QByteArray& pedido) {
    // Requests this child has answered: a child is one process, so this
    // counts within it and starts from 0 in every fresh one.
    static int atendidos = 0;
    ++atendidos;
    if (pedido == "segv") std::raise(SIGSEGV);
    if (pedido == "abort") std::abort();
    if (pedido == "exit") std::exit(2);
    if (pedido == "fin") _exit(0);
    if (pedido == "nada") return {};
    if (pedido == "lanza") throw std::runtime_error("no");
    if (pedido == "mucho") return QByteArray(1000, 'x');
    if (pedido == "espera")
        for (;;) ::pause();
    if (pedido == "memoria") {
        // Memory beyond its bound is refused to the child, not taken from the machine.
        QByteArray b;
        b.resize(qsizetype(1) << 31);
        b.fill('x');
        return b.left(1);
    }
    if (pedido == "pid") return QByteArray::number(::getpid());
    // Breaks in a child that has answered before, as damage an earlier
    // request left behind would.
    if (pedido == "fragil" && atendidos > 1) std::raise(SIGSEGV);
    if (pedido.startsWith("abierto ")) return ::fcntl(pedido.mid(8).toInt(), F_GETFD) == -1 ? "no" : "si";
    return "eco " + pedido;
}

class Aislado : public testing::Test {
protected:
    std::optional<QByteArray> Pide(const QByteArray& pedido, int tiempoMs = 2000) {
        return trabajador.run(pedido, 100, tiempoMs);
    }
    plat::IsolatedWorker trabajador{Trabajo, qint64(1) << 28};
};

TEST_F(Aislado, AFailedRequestGivesNothingAndTheNextIsAnswered) {
    const struct {
        const char* pedido;
        int tiempoMs;
    } casos[] = {
        {"segv", 2000}, {"abort", 2000}, {"fin", 2000},     {"nada", 2000},
        {"lanza", 2000}, {"mucho", 2000}, {"espera", 300}, {"memoria", 5000},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.pedido);
        EXPECT_EQ(Pide("hola"), QByteArray("eco hola"));
        QElapsedTimer reloj;
        reloj.start();
        EXPECT_FALSE(Pide(c.pedido, c.tiempoMs));
        // Within a second of its time: the child's own alarm, which ends it
        // should the program fail to, comes two seconds or more after it.
        EXPECT_LT(reloj.elapsed(), c.tiempoMs + 1000) << "ended at its time";
        EXPECT_EQ(Pide("hola"), QByteArray("eco hola"));
    }
}

TEST_F(Aislado, OneChildAnswersRequestAfterRequestUntilItFails) {
    const auto primero = Pide("pid");
    ASSERT_TRUE(primero);
    EXPECT_NE(primero->toInt(), ::getpid());
    EXPECT_EQ(Pide("pid"), primero) << "kept for the next request";
    EXPECT_FALSE(Pide("nada"));
    const auto otro = Pide("pid");
    ASSERT_TRUE(otro);
    EXPECT_NE(otro, primero) << "a child that failed is replaced";
}

TEST_F(Aislado, NoAnswerDependsOnWhatTheChildDidBefore) {
    // Alone in a fresh child the request is answered; after another
    // request the kept child breaks on it, and a fresh child answers it.
    EXPECT_EQ(Pide("fragil"), QByteArray("eco fragil"));
    EXPECT_EQ(Pide("fragil"), QByteArray("eco fragil"));
    // A request that fails in a fresh child too still gives nothing.
    EXPECT_EQ(Pide("hola"), QByteArray("eco hola"));
    EXPECT_FALSE(Pide("segv"));
}

TEST_F(Aislado, TheChildHoldsNoneOfTheProgramsFiles) {
    // A pipe opened before the child starts: were the child to keep its
    // end, the reader would never see the pipe end.
    int tubo[2];
    ASSERT_EQ(::pipe(tubo), 0);
    trabajador.start();
    EXPECT_EQ(Pide("abierto " + QByteArray::number(tubo[1])), QByteArray("no"));
    EXPECT_EQ(Pide("abierto 0"), QByteArray("si")) << "a file the child keeps is seen as open";
    ::close(tubo[1]);
    ::fcntl(tubo[0], F_SETFL, O_NONBLOCK);
    char c;
    EXPECT_EQ(::read(tubo[0], &c, 1), 0) << "the pipe ends";
    ::close(tubo[0]);
}

// What a host such as a fuzzer sets up to tell a crash of its own: handlers
// of the fatal signals, a hook at exit and the sanitizers' death hook, each
// leaving a trace file behind when it runs in a process other than the one
// that set it.
char gRastro[512];
pid_t gAnfitrion = -1;

void DejaRastro() {
    if (gRastro[0] == '\0' || ::getpid() == gAnfitrion) return;
    const int f = ::open(gRastro, O_WRONLY | O_CREAT, 0644);
    if (f >= 0) ::close(f);
}
void RastroYFin(int) {
    DejaRastro();
    _exit(1);
}

TEST_F(Aislado, AChildThatFailsRunsNoneOfTheHandlersOfItsHost) {
    QTemporaryDir carpeta;
    ASSERT_TRUE(carpeta.isValid());
    const QByteArray rastro = QFile::encodeName(carpeta.filePath(QStringLiteral("rastro")));
    ASSERT_LT(rastro.size(), qsizetype(sizeof gRastro));
    std::memcpy(gRastro, rastro.constData(), std::size_t(rastro.size()) + 1);
    gAnfitrion = ::getpid();
    static const bool registrado = std::atexit(DejaRastro) == 0;
    EXPECT_TRUE(registrado);
    if (__sanitizer_set_death_callback) __sanitizer_set_death_callback(DejaRastro);
    const int senales[] = {SIGSEGV, SIGABRT, SIGBUS, SIGILL, SIGFPE};
    struct sigaction antes[std::size(senales)];
    struct sigaction propia {};
    propia.sa_handler = RastroYFin;
    for (std::size_t i = 0; i < std::size(senales); ++i) ::sigaction(senales[i], &propia, &antes[i]);

    // Each request ends its child or leaves it without an answer; "memoria"
    // ends a child built with the sanitizers through their death hook.
    for (const char* pedido : {"segv", "abort", "exit", "memoria"}) {
        SCOPED_TRACE(pedido);
        EXPECT_FALSE(Pide(pedido, 5000));
        EXPECT_FALSE(QFile::exists(QString::fromLocal8Bit(rastro))) << "the host's handler ran in the child";
        QFile::remove(QString::fromLocal8Bit(rastro));
        EXPECT_EQ(Pide("hola"), QByteArray("eco hola"));
    }

    for (std::size_t i = 0; i < std::size(senales); ++i) ::sigaction(senales[i], &antes[i], nullptr);
    if (__sanitizer_set_death_callback) __sanitizer_set_death_callback(nullptr);
    gRastro[0] = '\0';
}

} // namespace
