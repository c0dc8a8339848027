#pragma once
// A listening socket on 127.0.0.1 at a port the system picks, for the test servers that stand in for SQL Server.

#include <QtGlobal>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

// The listening descriptor, with its port in `puerto`; -1 (and port 0) when it cannot listen.
inline int EscucharEnLocal(quint16* puerto)
{
    *puerto = 0;
    const int escucha = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in direccion{};
    direccion.sin_family = AF_INET;
    direccion.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t largo = sizeof direccion;
    if (escucha < 0 || ::bind(escucha, reinterpret_cast<sockaddr*>(&direccion), sizeof direccion) != 0
        || ::listen(escucha, 8) != 0
        || ::getsockname(escucha, reinterpret_cast<sockaddr*>(&direccion), &largo) != 0) {
        if (escucha >= 0)
            ::close(escucha);
        return -1;
    }
    *puerto = ntohs(direccion.sin_port);
    return escucha;
}
