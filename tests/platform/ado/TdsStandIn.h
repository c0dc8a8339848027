#pragma once
// A stand-in for SQL Server on 127.0.0.1, at a port the system picks: it speaks just enough of the TDS protocol
// (version 7.3) for FreeTDS's ODBC driver to log in and send statements, and keeps the text of every SQL batch
// it receives, so a test sees exactly what reached "the server" after the driver had its say. The pre-login is
// answered without encryption, the login with an acknowledgement, and every request with a bare DONE (no rows).
// Each client is served on a thread of its own; every wait has a timeout, so a test never hangs on it.

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <arpa/inet.h>
#include <atomic>
#include <mutex>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <thread>
#include <unistd.h>
#include <vector>

class TdsStandIn {
public:
    TdsStandIn()
    {
        m_listener = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        address.sin_port = 0;
        socklen_t length = sizeof address;
        if (m_listener < 0 || ::bind(m_listener, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0
            || ::listen(m_listener, 8) != 0
            || ::getsockname(m_listener, reinterpret_cast<sockaddr*>(&address), &length) != 0)
            return;
        m_port = ntohs(address.sin_port);
        m_acceptor = std::thread([this] { acceptLoop(); });
    }

    ~TdsStandIn()
    {
        m_stop = true;
        if (m_acceptor.joinable())
            m_acceptor.join();
        for (std::thread& t : m_clients)
            t.join();
        if (m_listener >= 0)
            ::close(m_listener);
    }

    TdsStandIn(const TdsStandIn&) = delete;
    TdsStandIn& operator=(const TdsStandIn&) = delete;

    // 0 when it could not listen.
    quint16 port() const { return m_port; }

    // The text of each SQL batch received, in order.
    QStringList batches() const
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        return m_batches;
    }

    // How many logins were acknowledged.
    int logins() const { return m_logins; }

    // A slow server: each batch is answered only after `ms`. A cancel (ATTENTION) arriving meanwhile is
    // answered as a server does, with a DONE carrying the attention acknowledgement, and the batch is dropped.
    void answerLate(int ms) { m_lateMs = ms; }
    // How many cancels were acknowledged.
    int attentions() const { return m_attentions; }

private:
    enum PacketType : quint8 { SqlBatch = 0x01, Rpc = 0x03, Reply = 0x04, Attention = 0x06, Login7 = 0x10,
                               PreLogin = 0x12 };
    static constexpr int kWaitMs = 10000;

    void acceptLoop()
    {
        while (!m_stop) {
            pollfd p{m_listener, POLLIN, 0};
            if (::poll(&p, 1, 50) <= 0)
                continue;
            const int client = ::accept4(m_listener, nullptr, nullptr, SOCK_CLOEXEC);
            if (client >= 0)
                m_clients.emplace_back([this, client] {
                    serve(client);
                    ::close(client);
                });
        }
    }

    // Exactly `n` bytes, or false on a timeout, a closed socket or the stand-in stopping.
    bool readExactly(int fd, char* into, size_t n)
    {
        size_t got = 0;
        int waited = 0;
        while (got < n) {
            pollfd p{fd, POLLIN, 0};
            const int ready = ::poll(&p, 1, 50);
            if (m_stop)
                return false;
            if (ready <= 0) {
                waited += 50;
                if (waited >= kWaitMs)
                    return false;
                continue;
            }
            const ssize_t r = ::recv(fd, into + got, n - got, 0);
            if (r <= 0)
                return false;
            got += size_t(r);
        }
        return true;
    }

    // One whole message (its packets joined up to the one marked last), and its type.
    bool readMessage(int fd, quint8* type, QByteArray* payload)
    {
        payload->clear();
        for (;;) {
            char header[8];
            if (!readExactly(fd, header, sizeof header))
                return false;
            *type = quint8(header[0]);
            const bool last = (quint8(header[1]) & 0x01) != 0;
            const int length = (quint8(header[2]) << 8) | quint8(header[3]);
            if (length < 8)
                return false;
            QByteArray body(length - 8, '\0');
            if (!readExactly(fd, body.data(), size_t(body.size())))
                return false;
            payload->append(body);
            if (last)
                return true;
        }
    }

    static bool sendAll(int fd, const QByteArray& bytes)
    {
        qsizetype sent = 0;
        while (sent < bytes.size()) {
            const ssize_t w = ::send(fd, bytes.constData() + sent, size_t(bytes.size() - sent), MSG_NOSIGNAL);
            if (w <= 0)
                return false;
            sent += w;
        }
        return true;
    }

    // A reply in packets of at most 4096 bytes, the last one marked.
    static bool reply(int fd, const QByteArray& payload)
    {
        constexpr qsizetype room = 4096 - 8;
        qsizetype at = 0;
        quint8 number = 1;
        do {
            const QByteArray part = payload.mid(at, room);
            at += part.size();
            const int length = int(part.size()) + 8;
            QByteArray packet;
            packet.append(char(Reply));
            packet.append(char(at >= payload.size() ? 0x01 : 0x00));
            packet.append(char(length >> 8));
            packet.append(char(length & 0xFF));
            packet.append("\x00\x00", 2);   // server process id
            packet.append(char(number++));
            packet.append('\0');
            packet.append(part);
            if (!sendAll(fd, packet))
                return false;
        } while (at < payload.size());
        return true;
    }

    static void put16(QByteArray& b, quint16 v) { b.append(char(v & 0xFF)).append(char(v >> 8)); }

    // A name as TDS writes it in a token: its length in characters, then UTF-16LE.
    static void putShortText(QByteArray& b, const QString& text)
    {
        b.append(char(text.size()));
        for (QChar c : text)
            put16(b, c.unicode());
    }

    static QByteArray done(quint16 status)
    {
        QByteArray b;
        b.append(char(0xFD));
        put16(b, status);
        put16(b, 0);                                // current command
        b.append(QByteArray(8, '\0'));              // row count
        return b;
    }

    static QByteArray preLoginAnswer()
    {
        // Options VERSION (6 bytes), ENCRYPTION (1: not supported), INSTOPT (1), MARS (1), then the end mark.
        const quint8 options[][2] = {{0x00, 6}, {0x01, 1}, {0x02, 1}, {0x04, 1}};
        QByteArray b;
        int offset = 4 * 5 + 1;
        for (const auto& o : options) {
            b.append(char(o[0])).append(char(offset >> 8)).append(char(offset & 0xFF)).append('\0').append(char(o[1]));
            offset += o[1];
        }
        b.append(char(0xFF));
        b.append("\x0A\x32\x06\x40\x00\x00", 6);   // 10.50.1600
        b.append(char(0x02));                       // encryption not supported
        b.append('\0');
        b.append('\0');
        return b;
    }

    static QByteArray loginAnswer()
    {
        QByteArray b;
        const auto envChange = [&b](quint8 kind, const QString& value) {
            QByteArray e;
            e.append(char(kind));
            putShortText(e, value);
            putShortText(e, value);
            b.append(char(0xE3));
            put16(b, quint16(e.size()));
            b.append(e);
        };
        envChange(1, QStringLiteral("master"));    // database
        envChange(4, QStringLiteral("4096"));      // packet size
        QByteArray ack;
        ack.append(char(0x01));                     // T-SQL
        ack.append("\x73\x0B\x00\x03", 4);          // TDS 7.3
        putShortText(ack, QStringLiteral("Microsoft SQL Server"));
        ack.append("\x0A\x32\x06\x40", 4);
        b.append(char(0xAD));
        put16(b, quint16(ack.size()));
        b.append(ack);
        b.append(done(0));
        return b;
    }

    // A batch is its headers (a total length first), then the text in UTF-16LE.
    static QString batchText(const QByteArray& payload)
    {
        qsizetype start = 0;
        if (payload.size() >= 4) {
            const quint32 headers = quint8(payload[0]) | (quint8(payload[1]) << 8) | (quint8(payload[2]) << 16)
                                    | (quint32(quint8(payload[3])) << 24);
            if (headers >= 4 && headers <= quint32(payload.size()))
                start = qsizetype(headers);
        }
        QString text;
        for (qsizetype i = start; i + 1 < payload.size(); i += 2)
            text.append(QChar(char16_t(quint8(payload[i]) | (quint8(payload[i + 1]) << 8))));
        return text;
    }

    void serve(int fd)
    {
        quint8 type = 0;
        QByteArray payload;
        while (readMessage(fd, &type, &payload)) {
            bool ok = true;
            switch (type) {
            case PreLogin:
                ok = reply(fd, preLoginAnswer());
                break;
            case Login7:
                ok = reply(fd, loginAnswer());
                ++m_logins;
                break;
            case SqlBatch: {
                const QString text = batchText(payload);
                {
                    std::lock_guard<std::mutex> lock(m_mutex);
                    m_batches << text;
                }
                ok = cancelledWhileLate(fd) ? acknowledgeAttention(fd) : reply(fd, done(0));
                break;
            }
            case Attention:
                ok = acknowledgeAttention(fd);
                break;
            default:   // remote procedure calls and the rest: nothing to say
                ok = reply(fd, done(0));
                break;
            }
            if (!ok)
                return;
        }
    }

    // True when the client cancelled (sent ATTENTION) before the late answer was due.
    bool cancelledWhileLate(int fd)
    {
        for (int waited = 0; waited < m_lateMs && !m_stop; waited += 20) {
            pollfd p{fd, POLLIN, 0};
            if (::poll(&p, 1, 20) <= 0)
                continue;
            quint8 type = 0;
            QByteArray payload;
            return readMessage(fd, &type, &payload) && type == Attention;
        }
        return false;
    }

    bool acknowledgeAttention(int fd)
    {
        ++m_attentions;
        return reply(fd, done(0x0020));
    }

    int m_listener = -1;
    std::atomic<int> m_lateMs{0};
    std::atomic<int> m_attentions{0};
    quint16 m_port = 0;
    std::atomic<bool> m_stop{false};
    std::atomic<int> m_logins{0};
    std::thread m_acceptor;
    std::vector<std::thread> m_clients;   // touched only by the acceptor until it is joined
    mutable std::mutex m_mutex;
    QStringList m_batches;
};
