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
            const QByteArray texto = trabajo().toUtf8();
            qsizetype escrito = 0;
            while (escrito < texto.size()) {
                const ssize_t n = ::write(tubo[1], texto.constData() + escrito, size_t(texto.size() - escrito));
                if (n <= 0)
                    break;
                escrito += n;
            }
            ::close(tubo[1]);
            ::_exit(0);
        }
        ::close(tubo[1]);
        QByteArray leido;
        char bloque[4096];
        for (;;) {
            const ssize_t n = ::read(tubo[0], bloque, sizeof bloque);
            if (n <= 0)
                break;
            leido.append(bloque, n);
        }
        ::close(tubo[0]);
        int estado = 0;
        ::waitpid(hijo, &estado, 0);
        Fin fin;
        fin.texto = QString::fromUtf8(leido);
        fin.porSenal = WIFSIGNALED(estado);
        fin.senal = fin.porSenal ? WTERMSIG(estado) : 0;
        fin.codigo = WIFEXITED(estado) ? WEXITSTATUS(estado) : -1;
        return fin;
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
