#pragma once
// Runs a piece of a test in a child process of its own, so that what it does to its process (a file-size limit,
// another user's identity, a signal that ends it) leaves the test program as it was. The child hands back one
// text; the parent learns how it ended.
//
// Tests run as root here and in CI, and root may write any file whatever its mode: a test that needs a file or
// folder this user cannot write runs its piece as ProcesoHijo::kNadie (the system's unprivileged user) when it
// is root, and as itself otherwise.

#include <QByteArray>
#include <QString>
#include <functional>
#include <grp.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

class ProcesoHijo {
public:
    static constexpr uid_t kNadie = 65534;

    struct Fin {
        bool porSenal = false;   // ended by a signal (senal), else exited with codigo
        int senal = 0;
        int codigo = -1;
        QString texto;           // what the piece returned
    };

    // Runs `preparar` (another user, limits) and then `trabajo` in a child; the child exits 0 after it.
    static Fin Ejecutar(const std::function<QString()>& trabajo, const std::function<void()>& preparar = {})
    {
        int tubo[2];
        if (::pipe(tubo) != 0)
            return Fin{false, 0, -1, QStringLiteral("pipe failed")};
        const pid_t hijo = ::fork();
        if (hijo == 0) {
            ::close(tubo[0]);
            if (preparar)
                preparar();
            escribirYCerrar(tubo[1], trabajo().toUtf8());
            ::_exit(0);
        }
        ::close(tubo[1]);
        const QByteArray leido = leerYCerrar(tubo[0]);
        int estado = 0;
        ::waitpid(hijo, &estado, 0);
        Fin fin;
        fin.texto = QString::fromUtf8(leido);
        fin.porSenal = WIFSIGNALED(estado);
        fin.senal = fin.porSenal ? WTERMSIG(estado) : 0;
        fin.codigo = WIFEXITED(estado) ? WEXITSTATUS(estado) : -1;
        return fin;
    }

    // A child that runs `trabajo`, hands back its text and then stays alive until it is told to go (Terminar)
    // or this object goes. A check that fails while it lives returns from the test function and still ends and
    // reaps it, so no child outlives its test holding the test's output open.
    class Vivo {
    public:
        explicit Vivo(const std::function<QString()>& trabajo)
        {
            int aviso[2], orden[2];
            if (::pipe(aviso) != 0)
                return;
            if (::pipe(orden) != 0) {
                ::close(aviso[0]);
                ::close(aviso[1]);
                return;
            }
            m_pid = ::fork();
            if (m_pid == 0) {
                // Only the parent may hold the word to go: when it ends, however it ends, the read below returns.
                ::close(aviso[0]);
                ::close(orden[1]);
                escribirYCerrar(aviso[1], trabajo().toUtf8());
                char c;
                (void)!::read(orden[0], &c, 1);
                ::_exit(0);
            }
            ::close(aviso[1]);
            ::close(orden[0]);
            m_orden = orden[1];
            if (m_pid < 0) {
                ::close(aviso[0]);
                return;
            }
            m_texto = QString::fromUtf8(leerYCerrar(aviso[0]));
        }
        ~Vivo() { Terminar(); }
        Vivo(const Vivo&) = delete;
        Vivo& operator=(const Vivo&) = delete;

        pid_t pid() const { return m_pid; }
        const QString& texto() const { return m_texto; }

        // Tells the child to go and waits for its end.
        void Terminar()
        {
            if (m_orden >= 0) {
                (void)!::write(m_orden, "x", 1);
                ::close(m_orden);
                m_orden = -1;
            }
            if (m_pid > 0) {
                int estado = 0;
                ::waitpid(m_pid, &estado, 0);
                m_pid = -1;
            }
        }

    private:
        pid_t m_pid = -1;
        int m_orden = -1;
        QString m_texto;
    };

    // The whole text through a pipe's end, which is then closed.
    static void escribirYCerrar(int fd, const QByteArray& texto)
    {
        qsizetype escrito = 0;
        while (escrito < texto.size()) {
            const ssize_t n = ::write(fd, texto.constData() + escrito, size_t(texto.size() - escrito));
            if (n <= 0)
                break;
            escrito += n;
        }
        ::close(fd);
    }

    // Everything a pipe's end gives until the other end is closed; then this end is closed.
    static QByteArray leerYCerrar(int fd)
    {
        QByteArray leido;
        char bloque[4096];
        for (;;) {
            const ssize_t n = ::read(fd, bloque, sizeof bloque);
            if (n <= 0)
                break;
            leido.append(bloque, n);
        }
        ::close(fd);
        return leido;
    }

    // For `preparar`: the child becomes a user without privileges when the test runs as root.
    static void SinPrivilegios()
    {
        if (::geteuid() != 0)
            return;
        if (::setgroups(0, nullptr) != 0 || ::setgid(kNadie) != 0 || ::setuid(kNadie) != 0)
            ::_exit(90);
    }

    // For `preparar`: no file of the child may grow past `bytes`.
    static void LimiteDeArchivo(rlim_t bytes)
    {
        const rlimit limite{bytes, bytes};
        if (::setrlimit(RLIMIT_FSIZE, &limite) != 0)
            ::_exit(91);
    }
};
