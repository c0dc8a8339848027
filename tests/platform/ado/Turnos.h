#pragma once
// Turns between a test and a child process it runs (ProcesoHijo): each side tells the other that its step is
// done and waits for the other's. Made before the child starts, so both hold both pipes. A side that waits
// longer than a minute takes it as the other's failure.

#include <poll.h>
#include <unistd.h>

class Turnos {
public:
    Turnos()
    {
        m_ok = ::pipe(m_alPadre) == 0 && ::pipe(m_alHijo) == 0;
    }
    ~Turnos()
    {
        for (int fd : {m_alPadre[0], m_alPadre[1], m_alHijo[0], m_alHijo[1]})
            if (fd >= 0)
                ::close(fd);
    }
    Turnos(const Turnos&) = delete;
    Turnos& operator=(const Turnos&) = delete;

    bool ok() const { return m_ok; }

    // In the child.
    void avisarAlPadre() { avisar(m_alPadre[1]); }
    bool esperarAlPadre() { return esperar(m_alHijo[0]); }
    // In the test.
    void avisarAlHijo() { avisar(m_alHijo[1]); }
    bool esperarAlHijo() { return esperar(m_alPadre[0]); }

private:
    static void avisar(int fd)
    {
        const char listo = 1;
        [[maybe_unused]] const ssize_t n = ::write(fd, &listo, 1);
    }
    static bool esperar(int fd)
    {
        pollfd p{fd, POLLIN, 0};
        char listo = 0;
        return ::poll(&p, 1, 60000) == 1 && ::read(fd, &listo, 1) == 1;
    }

    int m_alPadre[2] = {-1, -1};
    int m_alHijo[2] = {-1, -1};
    bool m_ok = false;
};
