// A company this user cannot write, opened read-only, shows the file as it is at each read: the owner's rows
// written since the opening show at the next read, while the owner still works on the company and after it
// closed it, and nothing is left beside the file by the reader.

#include "EmpresaDeNotas.h"
#include "Turnos.h"
#include "platform/ProcesoHijo.h"

#include <QTest>
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
        std::thread dueno([&] {
            ado::Connection cn;
            try {
                for (int lectura = 1; lectura < kLecturas; ++lectura) {
                    if (!turnos.esperarAlHijo())
                        throw ado::Error(0, QStringLiteral("the reader never read"));
                    if (cn.State() == ado::adStateClosed)
                        cn.Open(textoDe(archivo));
                    agregar(cn, 100 * lectura);
                    if (lectura != 2)
                        cn.Close();
                    turnos.avisarAlHijo();
                }
            } catch (const ado::Error& e) {
                delDueno = e.Description;
                turnos.avisarAlHijo();
            }
        });
        const ProcesoHijo::Fin fin = ProcesoHijo::Ejecutar(
            [&] {
                ado::Connection cn;
                cn.WhenUnwritable = ado::UnwritableFile::OpenReadOnly;
                QStringList leido;
                try {
                    cn.Open(textoDe(archivo));
                    leido << (cn.ReadOnlyReason().isEmpty() ? QStringLiteral("written") : QStringLiteral("read-only"));
                    for (int lectura = 1; lectura <= kLecturas; ++lectura) {
                        leido << resumen(cn);
                        if (lectura < kLecturas) {
                            turnos.avisarAlPadre();
                            turnos.esperarAlPadre();
                        }
                    }
                } catch (const ado::Error& e) {
                    leido << e.Description;
                }
                return leido.join(QLatin1Char(' '));
            },
            ProcesoHijo::SinPrivilegios);
        dueno.join();
        modo(m_carpeta, 0700);
        QCOMPARE(delDueno, QString());
        constexpr qint64 n = EmpresaDeNotas::kFilas;
        QCOMPARE(fin.texto, (QStringList{QStringLiteral("read-only"), esperado(n), esperado(n + 100), esperado(n + 300),
                                         esperado(n + 600)}
                                 .join(QLatin1Char(' '))));
    }

private:
    std::unique_ptr<EmpresaDeNotas> m_empresa;
    QString m_carpeta;
};

QTEST_GUILESS_MAIN(TstAdoReadOnlyCurrent)
#include "tst_ado_read_only_current.moc"
