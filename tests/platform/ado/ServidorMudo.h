#pragma once
// A server that accepts every connection on 127.0.0.1 (at a port the system picks) and never says a word: a
// wrong port reaching another service, a proxy holding the connection, a hung server. Connections stay open
// until it goes.

#include "EscuchaLocal.h"

#include <QtGlobal>

#include <arpa/inet.h>
#include <atomic>
#include <mutex>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <thread>
#include <unistd.h>
#include <vector>

class ServidorMudo {
public:
    ServidorMudo()
    {
        m_escucha = EscucharEnLocal(&m_puerto);
        if (m_escucha < 0)
            return;
        m_hilo = std::thread([this] {
            while (!m_fin) {
                pollfd p{m_escucha, POLLIN, 0};
                if (::poll(&p, 1, 50) <= 0)
                    continue;
                const int cliente = ::accept4(m_escucha, nullptr, nullptr, SOCK_CLOEXEC);
                if (cliente >= 0) {
                    std::lock_guard<std::mutex> cierre(m_mutex);
                    m_clientes.push_back(cliente);
                    ++m_aceptadas;
                }
            }
        });
    }

    ~ServidorMudo()
    {
        m_fin = true;
        if (m_hilo.joinable())
            m_hilo.join();
        for (int cliente : m_clientes)
            ::close(cliente);
        if (m_escucha >= 0)
            ::close(m_escucha);
    }

    ServidorMudo(const ServidorMudo&) = delete;
    ServidorMudo& operator=(const ServidorMudo&) = delete;

    // 0 when it could not listen.
    quint16 puerto() const { return m_puerto; }
    // How many connections it accepted.
    int aceptadas() const { return m_aceptadas; }
    // How many of them the client has not closed yet (what it sent is read and dropped on the way).
    int abiertas() const
    {
        std::lock_guard<std::mutex> cierre(m_mutex);
        int n = 0;
        for (int cliente : m_clientes) {
            char bloque[512];
            ssize_t leido;
            while ((leido = ::recv(cliente, bloque, sizeof bloque, MSG_DONTWAIT)) > 0) {
            }
            if (leido < 0)
                ++n;
        }
        return n;
    }

private:
    int m_escucha = -1;
    quint16 m_puerto = 0;
    std::atomic<bool> m_fin{false};
    std::atomic<int> m_aceptadas{0};
    std::thread m_hilo;
    mutable std::mutex m_mutex;
    std::vector<int> m_clientes;
};
