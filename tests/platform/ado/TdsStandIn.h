#pragma once
// A stand-in for SQL Server on 127.0.0.1, at a port the system picks: it speaks just enough of the TDS protocol
// (version 7.3) for FreeTDS's ODBC driver to log in and send statements, and keeps every request it receives: the
// text of each SQL batch, and each remote procedure call with the procedure's name (or number) and its parameters'
// values, so a test sees exactly what reached "the server" after the driver had its say. The pre-login is
// answered without encryption, the login with an acknowledgement, a batch or call whose text (a call's first
// value) was given an answer with that table of texts or that error, as a server answers a batch or
// sp_executesql, and every other batch or call with a bare DONE (no rows).
// Each client is served on a thread of its own; every wait has a timeout, so a test never hangs on it.

#include "EscuchaLocal.h"

#include <QByteArray>
#include <QHash>
#include <QList>
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
        m_listener = EscucharEnLocal(&m_port);
        if (m_listener < 0)
            return;
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

    // One request as the server received it.
    struct Request {
        bool rpc = false;         // a remote procedure call; otherwise an SQL batch
        QString text;             // the batch's text
        QString procedure;        // the procedure's name; for one called by number, "#" and the number
        QStringList parameters;   // the call's parameters' values, in order: texts as sent, NULL as a null string;
                                  // a value of a type this stand-in does not read ends the list
        QList<bool> national;     // for each parameter, whether it was sent as a national (UTF-16) text
    };

    // Every batch and call received, in order.
    QList<Request> requests() const
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        return m_requests;
    }

    // The text of each SQL batch received, in order.
    QStringList batches() const
    {
        QStringList texts;
        for (const Request& r : requests())
            if (!r.rpc)
                texts << r.text;
        return texts;
    }

    // A batch whose text, or a call whose first value, is `text` is answered with these columns and rows (each a
    // national text; a null QString is NULL).
    void answer(const QString& text, const QStringList& columns, const QList<QStringList>& rows)
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_answers[text] = {columns, rows};
    }

    // A batch whose text, or a call whose first value, is `text` fails with this error number and message.
    void fail(const QString& text, qint32 number, const QString& message)
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_failures[text] = {number, message};
    }

    // How many logins were acknowledged.
    int logins() const { return m_logins; }

    // A slow server: each batch or call is answered only after `ms`. A cancel (ATTENTION) arriving meanwhile is
    // answered as a server does, with a DONE carrying the attention acknowledgement, and the request is dropped.
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

    // Exactly `n` bytes, or false on a timeout (none when `idle`: a client may stay quiet between requests as
    // long as it likes), a closed socket or the stand-in stopping.
    bool readExactly(int fd, char* into, size_t n, bool idle = false)
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
                if (!idle && waited >= kWaitMs)
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
        for (bool first = true;; first = false) {
            char header[8];
            if (!readExactly(fd, header, sizeof header, first))
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

    static QByteArray done(quint16 status, quint8 token = 0xFD, quint64 rows = 0)
    {
        QByteArray b;
        b.append(char(token));
        put16(b, status);
        put16(b, 0);                                // current command
        for (int i = 0; i < 8; ++i)                 // row count
            b.append(char((rows >> (8 * i)) & 0xFF));
        return b;
    }

    struct Table {
        QStringList columns;
        QList<QStringList> rows;
    };

    // The columns' description and the rows, every column an nvarchar; a call's answer ends as a procedure's
    // (the statement done inside it, its return status, the procedure done), a batch's with its count.
    static QByteArray tableAnswer(const Table& t, bool call)
    {
        QByteArray b;
        b.append(char(0x81));
        put16(b, quint16(t.columns.size()));
        for (const QString& name : t.columns) {
            b.append(QByteArray(4, '\0'));          // user type
            put16(b, 0x0001);                       // nullable
            b.append(char(0xE7));
            put16(b, 8000);
            b.append("\x09\x04\xD0\x00\x34", 5);    // collation Latin1_General_CI_AS
            putShortText(b, name);
        }
        for (const QStringList& row : t.rows) {
            b.append(char(0xD1));
            for (qsizetype c = 0; c < t.columns.size(); ++c) {
                const QString v = row.value(c);
                put16(b, v.isNull() ? 0xFFFF : quint16(v.size() * 2));
                for (QChar ch : v)
                    put16(b, ch.unicode());
            }
        }
        const quint16 counted = 0x0010;
        if (!call)
            return b + done(counted, 0xFD, quint64(t.rows.size()));
        b += done(counted | 0x0001, 0xFF, quint64(t.rows.size()));   // more follows
        b.append(char(0x79));                       // return status 0
        b.append(QByteArray(4, '\0'));
        return b + done(0, 0xFE);
    }

    struct Failure {
        qint32 number = 0;
        QString message;
    };

    // An error of severity 16, then the end of the batch or the procedure marked as failed.
    static QByteArray failureAnswer(const Failure& f, bool call)
    {
        QByteArray e;
        for (int i = 0; i < 4; ++i)
            e.append(char((quint32(f.number) >> (8 * i)) & 0xFF));
        e.append(char(1));                          // state
        e.append(char(16));                         // severity
        put16(e, quint16(f.message.size()));
        for (QChar c : f.message)
            put16(e, c.unicode());
        putShortText(e, QStringLiteral("STANDIN"));
        putShortText(e, QString());
        e.append(QByteArray(4, '\0'));              // line number
        QByteArray b;
        b.append(char(0xAA));
        put16(b, quint16(e.size()));
        return b + e + done(0x0002, call ? 0xFE : 0xFD);
    }

    // The answer given for a request: a table, a failure, or nothing but DONE.
    QByteArray answerFor(const Request& r) const
    {
        const QString key = r.rpc ? r.parameters.value(0) : r.text;
        std::lock_guard<std::mutex> lock(m_mutex);
        if (const auto table = m_answers.constFind(key); table != m_answers.cend())
            return tableAnswer(*table, r.rpc);
        if (const auto failure = m_failures.constFind(key); failure != m_failures.cend())
            return failureAnswer(*failure, r.rpc);
        return done(0);
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

    static quint32 get32(const QByteArray& b, qsizetype at)
    {
        return quint8(b[at]) | (quint8(b[at + 1]) << 8) | (quint8(b[at + 2]) << 16) | (quint32(quint8(b[at + 3])) << 24);
    }

    static quint16 get16(const QByteArray& b, qsizetype at) { return quint16(quint8(b[at]) | (quint8(b[at + 1]) << 8)); }

    // UTF-16LE bytes as text.
    static QString utf16(const QByteArray& b, qsizetype at, qsizetype bytes)
    {
        QString text;
        for (qsizetype i = at; i + 1 < at + bytes && i + 1 < b.size(); i += 2)
            text.append(QChar(char16_t(get16(b, i))));
        return text;
    }

    // Where a batch's or a call's body starts: past its headers (a total length first), when it has them.
    static qsizetype pastHeaders(const QByteArray& payload)
    {
        if (payload.size() >= 4) {
            const quint32 headers = get32(payload, 0);
            if (headers >= 4 && headers <= quint32(payload.size()))
                return qsizetype(headers);
        }
        return 0;
    }

    // A batch is its headers, then the text in UTF-16LE.
    static QString batchText(const QByteArray& payload)
    {
        const qsizetype start = pastHeaders(payload);
        return utf16(payload, start, payload.size() - start);
    }

    // A call: headers, the procedure (a name, or 0xFFFF and a number), two bytes of options, then each parameter:
    // its name, a status byte, its type and its value. The types read are the texts (national or not, fixed,
    // varying, up to max in chunks, or long text) and the integers; the bytes of a one-byte text are kept as
    // Latin-1.
    static Request rpcRequest(const QByteArray& p)
    {
        Request r;
        r.rpc = true;
        qsizetype at = pastHeaders(p);
        const auto has = [&p, &at](qsizetype n) { return n >= 0 && at + n <= p.size(); };
        if (!has(2))
            return r;
        const quint16 nameLength = get16(p, at);
        at += 2;
        if (nameLength == 0xFFFF) {
            if (!has(2))
                return r;
            r.procedure = QStringLiteral("#%1").arg(get16(p, at));
            at += 2;
        } else {
            if (!has(nameLength * 2))
                return r;
            r.procedure = utf16(p, at, nameLength * 2);
            at += nameLength * 2;
        }
        at += 2;   // options
        while (has(1)) {
            const qsizetype name = quint8(p[at]) * 2;
            at += 1 + name + 1;   // name, status
            if (!has(1))
                return r;
            const quint8 type = quint8(p[at++]);
            const bool wide = type == 0xE7 || type == 0xEF || type == 0x63;
            r.national << wide;
            const auto text = [&p, wide](qsizetype from, qsizetype bytes) {
                return wide ? utf16(p, from, bytes) : QString::fromLatin1(p.constData() + from, bytes);
            };
            if (type == 0xE7 || type == 0xEF || type == 0xA7 || type == 0xAF) {   // (n)varchar, (n)char
                if (!has(2 + 5))
                    return r;
                const quint16 max = get16(p, at);
                at += 2 + 5;   // largest size, collation
                if (max == 0xFFFF) {   // up to max: a total, then chunks up to an empty one
                    if (!has(8))
                        return r;
                    const bool null = get32(p, at) == 0xFFFFFFFF && get32(p, at + 4) == 0xFFFFFFFF;
                    at += 8;
                    QString value;
                    while (!null && has(4) && get32(p, at) != 0) {
                        const qsizetype chunk = get32(p, at);
                        at += 4;
                        if (!has(chunk))
                            return r;
                        value += text(at, chunk);
                        at += chunk;
                    }
                    at += null ? 0 : 4;
                    r.parameters << value;
                } else {
                    if (!has(2))
                        return r;
                    const quint16 length = get16(p, at);
                    at += 2;
                    if (length == 0xFFFF) {
                        r.parameters << QString();
                        continue;
                    }
                    if (!has(length))
                        return r;
                    r.parameters << text(at, length);
                    at += length;
                }
            } else if (type == 0x63 || type == 0x23) {   // ntext, text
                if (!has(4 + 5 + 4))
                    return r;
                at += 4 + 5;   // largest size, collation
                const quint32 length = get32(p, at);
                at += 4;
                if (length == 0xFFFFFFFF) {
                    r.parameters << QString();
                    continue;
                }
                if (!has(qsizetype(length)))
                    return r;
                r.parameters << text(at, length);
                at += length;
            } else if (type == 0x26) {   // integer of 1, 2, 4 or 8 bytes
                if (!has(2) || !has(2 + quint8(p[at + 1])))
                    return r;
                const int length = quint8(p[at + 1]);
                qint64 v = 0;
                for (int i = length - 1; i >= 0; --i)
                    v = (v << 8) | quint8(p[at + 2 + i]);
                r.parameters << (length == 0 ? QString() : QString::number(v));
                at += 2 + length;
            } else {
                return r;
            }
        }
        return r;
    }

    void keep(Request r)
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_requests << std::move(r);
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
            case SqlBatch:
            case Rpc: {
                Request r = type == Rpc ? rpcRequest(payload) : Request();
                if (type == SqlBatch)
                    r.text = batchText(payload);
                const QByteArray answer = answerFor(r);
                keep(std::move(r));
                ok = cancelledWhileLate(fd) ? acknowledgeAttention(fd) : reply(fd, answer);
                break;
            }
            case Attention:
                ok = acknowledgeAttention(fd);
                break;
            default:   // nothing else to say
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
    QList<Request> m_requests;
    QHash<QString, Table> m_answers;
    QHash<QString, Failure> m_failures;
};
