// A company this user cannot write, opened read-only, shows the file as it is at each read: the owner's rows
// written since the opening show at the next read, while the owner still works on the company and after it
// closed it, and those written while a read is under way show in that read; another file put at the name of the
// owner's moved file is not read through the owner's journal; nothing is left beside the file by the reader.

#include "EmpresaDeNotas.h"
#include "Turnos.h"
#include "platform/ProcesoHijo.h"

#include <QTest>
#include <functional>
#include <thread>
#include <unistd.h>

namespace {

// The rows and their total, as a ledger report reads them.
QString resumen(ado::Connection& cn)
{
    ado::Recordset rs;
    rs.Open(QStringLiteral("SELECT COUNT(*) AS N, SUM(ID) AS S FROM NOTAS"), &cn);
    return rs.Fields(QStringLiteral("N")).Value().toText() + QLatin1Char('/')
        + rs.Fields(QStringLiteral("S")).Value().toText();
}

QString esperado(qint64 filas)
{
    return QString::number(filas) + QLatin1Char('/') + QString::number(filas * (filas + 1) / 2);
}

// The owner, on a thread of the test: `pasos` on a connection of its own, each step after the reader's turn
// (esperarAlLector). An error stops them, is kept in `error`, and lets the reader go on.
std::thread dueno(Turnos& turnos, QString& error, std::function<void(ado::Connection&)> pasos)
{
    return std::thread([&turnos, &error, pasos = std::move(pasos)] {
        ado::Connection cn;
        try {
            pasos(cn);
        } catch (const ado::Error& e) {
            error = e.Description;
            turnos.avisarAlHijo();
        }
    });
}

void esperarAlLector(Turnos& turnos)
{
    if (!turnos.esperarAlHijo())
        throw ado::Error(0, QStringLiteral("the reader never read"));
}

// Opens `archivo` in a child process run as a user who cannot write it, then `lee` on it: "read-only" (or
// "written") and what it read, or the error that stopped it, joined by spaces.
QString leidoSinPermiso(const QString& archivo, const std::function<void(ado::Connection&, QStringList&)>& lee)
{
    return ProcesoHijo::Ejecutar(
               [&] {
                   ado::Connection cn;
                   cn.WhenUnwritable = ado::UnwritableFile::OpenReadOnly;
                   QStringList leido;
                   try {
                       cn.Open(textoDe(archivo));
                       leido << (cn.ReadOnlyReason().isEmpty() ? QStringLiteral("written") : QStringLiteral("read-only"));
                       lee(cn, leido);
                   } catch (const ado::Error& e) {
                       leido << e.Description;
                   }
                   return leido.join(QLatin1Char(' '));
               },
               ProcesoHijo::SinPrivilegios)
        .texto;
}

} // namespace

class TstAdoReadOnlyCurrent : public QObject {
    Q_OBJECT

private slots:
    void init()
    {
        m_empresa = std::make_unique<EmpresaDeNotas>();
        QVERIFY(m_empresa->ok());
        m_carpeta = m_empresa->carpeta();
    }
    void cleanup() { m_empresa.reset(); }

    // The reader opens the company while nobody else has it open, reads, and reads again after each of the
    // owner's writes: the owner opens, writes and closes (its journal copied into the file), then opens and
    // writes while keeping it open (its journal beside the file), then writes again and closes.
    void ownerWritesWhileAReaderHasItOpen_data()
    {
        QTest::addColumn<QString>("cerrado");   // what this user cannot write: "file" or "folder"
        QTest::newRow("file") << "file";
        QTest::newRow("folder") << "folder";
    }
    void ownerWritesWhileAReaderHasItOpen()
    {
        QFETCH(QString, cerrado);
        if (::geteuid() != 0)
            QSKIP("needs root to keep the file out of the reader's reach and write it as its owner");
        const QString archivo = m_empresa->path();
        if (cerrado == "file") {
            QVERIFY(modo(m_carpeta, 0777));
            QVERIFY(modo(archivo, 0644));
        } else {
            QVERIFY(modo(m_carpeta, 0755));
            QVERIFY(modo(archivo, 0666));
        }
        constexpr int kLecturas = 4;
        Turnos turnos;
        QVERIFY(turnos.ok());
        QString delDueno;
        std::thread escritor = dueno(turnos, delDueno, [&](ado::Connection& cn) {
            for (int lectura = 1; lectura < kLecturas; ++lectura) {
                esperarAlLector(turnos);
                if (cn.State() == ado::adStateClosed)
                    cn.Open(textoDe(archivo));
                agregar(cn, 100 * lectura);
                if (lectura != 2)
                    cn.Close();
                turnos.avisarAlHijo();
            }
        });
        const QString leido = leidoSinPermiso(archivo, [&](ado::Connection& cn, QStringList& leido) {
            for (int lectura = 1; lectura <= kLecturas; ++lectura) {
                leido << resumen(cn);
                if (lectura < kLecturas) {
                    turnos.avisarAlPadre();
                    turnos.esperarAlPadre();
                }
            }
        });
        escritor.join();
        modo(m_carpeta, 0700);
        QCOMPARE(delDueno, QString());
        constexpr qint64 n = EmpresaDeNotas::kFilas;
        QCOMPARE(leido, (QStringList{QStringLiteral("read-only"), esperado(n), esperado(n + 100), esperado(n + 300),
                                     esperado(n + 600)}
                             .join(QLatin1Char(' '))));
    }

    // The owner opens the company and writes while the reader's read is under way (between the look at the
    // file and the engine's read of it), and keeps it open: the read shows the owner's rows, not the file as it
    // was when the read began.
    void ownerWritesDuringARead()
    {
        if (::geteuid() != 0)
            QSKIP("needs root to keep the file out of the reader's reach and write it as its owner");
        const QString archivo = m_empresa->path();
        QVERIFY(soloParaLeer(archivo));
        Turnos turnos;
        QVERIFY(turnos.ok());
        QString delDueno;
        std::thread escritor = dueno(turnos, delDueno, [&](ado::Connection& cn) {
            esperarAlLector(turnos);
            cn.Open(textoDe(archivo));
            agregar(cn, 100);
            turnos.avisarAlHijo();
            turnos.esperarAlHijo();
        });
        const QString leido = leidoSinPermiso(archivo, [&](ado::Connection& cn, QStringList& leido) {
            bool primera = true;
            cn.setStatementLog([&](const QString&) {
                if (std::exchange(primera, false)) {
                    turnos.avisarAlPadre();
                    turnos.esperarAlPadre();
                }
            });
            leido << resumen(cn);
            turnos.avisarAlPadre();
        });
        escritor.join();
        modo(m_carpeta, 0700);
        QCOMPARE(delDueno, QString());
        QCOMPARE(leido, QStringLiteral("read-only ") + esperado(EmpresaDeNotas::kFilas + 100));
    }

    // While the reader has the company open, the owner opens it and writes, its file is moved away and another
    // company is copied to its name, and the owner goes on writing. The reader's next read (read through the
    // owner's journal, it would take the other company for a damaged file) is refused in the suite's words while
    // the owner still uses the journal beside the name; once the owner has closed, it reads the company now at
    // the name.
    void anotherFileAtTheNameWhileTheOwnerWorks()
    {
        if (::geteuid() != 0)
            QSKIP("needs root to keep the file out of the reader's reach and write it as its owner");
        constexpr int kFilasDeX = 10;
        const QString archivo = m_empresa->path();
        const EmpresaDeNotas otra(kFilasDeX);
        QVERIFY(otra.ok());
        QVERIFY(soloParaLeer(archivo));
        Turnos turnos;
        QVERIFY(turnos.ok());
        QString delDueno;
        std::thread escritor = dueno(turnos, delDueno, [&](ado::Connection& cn) {
            esperarAlLector(turnos);
            cn.Open(textoDe(archivo));
            agregar(cn, 59);
            const QString movido = QDir(m_carpeta).filePath(QStringLiteral("movida.db"));
            if (::rename(QFile::encodeName(archivo).constData(), QFile::encodeName(movido).constData()) != 0
                || !QFile::copy(otra.path(), archivo) || !modo(archivo, 0666))
                throw ado::Error(0, QStringLiteral("the other company could not be put at the name"));
            agregar(cn, 500);
            turnos.avisarAlHijo();
            esperarAlLector(turnos);
            cn.Close();
            turnos.avisarAlHijo();
        });
        const QString leido = leidoSinPermiso(archivo, [&](ado::Connection& cn, QStringList& leido) {
            for (int lectura = 1; lectura <= 3; ++lectura) {
                try {
                    leido << resumen(cn);
                } catch (const ado::Error& e) {
                    leido << QStringLiteral("[%1]").arg(e.Description);
                }
                if (lectura < 3) {
                    turnos.avisarAlPadre();
                    turnos.esperarAlPadre();
                }
            }
        });
        escritor.join();
        modo(m_carpeta, 0700);
        QCOMPARE(delDueno, QString());
        const QString rechazo = QStringLiteral("[La empresa \"%1\" no se puede abrir ahora: junto a su nombre están los "
                                               "archivos de trabajo (-wal y -shm) de otra empresa")
                                    .arg(archivo);
        QVERIFY2(leido.startsWith(QStringLiteral("read-only ") + esperado(EmpresaDeNotas::kFilas) + QLatin1Char(' ')
                                  + rechazo),
                 qPrintable(leido));
        QVERIFY2(leido.endsWith(QLatin1String("] ") + esperado(kFilasDeX)), qPrintable(leido));
    }

private:
    // The company's folder and `archivo` as a reader that may read both and write neither needs them; the owner
    // (root) writes them still.
    bool soloParaLeer(const QString& archivo) { return modo(m_carpeta, 0755) && modo(archivo, 0666); }

    std::unique_ptr<EmpresaDeNotas> m_empresa;
    QString m_carpeta;
};

QTEST_GUILESS_MAIN(TstAdoReadOnlyCurrent)
#include "tst_ado_read_only_current.moc"
