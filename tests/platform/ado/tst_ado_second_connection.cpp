// A program that has the company open and opens a second connection to it beside the first (or only looks at
// the file, as every opening does) keeps the first one's hold on the file: another station that writes and
// closes meanwhile leaves the journal beside it, and every row of both is in the file at the end.

#include "EmpresaDeNotas.h"
#include "OtherStation.h"
#include "Turnos.h"
#include "platform/ProcesoHijo.h"
#include "platform/sqlite/EngineLocks.h"
#include "platform/sqlite/FileCheck.h"

#include <QTest>
#include <thread>

class TstAdoSecondConnection : public QObject {
    Q_OBJECT

private slots:
    void init()
    {
        m_empresa = std::make_unique<EmpresaDeNotas>();
        QVERIFY(m_empresa->ok());
    }
    void cleanup() { m_empresa.reset(); }

    // The program (a process of its own) opens the company, writes, then does `segunda`; another station then
    // writes and closes twice while the program's first connection is still open, and the program writes
    // again before it closes.
    void firstConnectionKeepsItsHold_data()
    {
        QTest::addColumn<QString>("segunda");
        QTest::newRow("a second connection opened and closed") << "connection";
        QTest::newRow("the looks of an opening") << "looks";
    }
    void firstConnectionKeepsItsHold()
    {
        QFETCH(QString, segunda);
        const QString archivo = m_empresa->path();
        Turnos turnos;
        QVERIFY(turnos.ok());
        QStringList visto;
        std::thread otraEstacion([&] {
            if (!turnos.esperarAlHijo()) {
                visto << QStringLiteral("the program never wrote");
                return;
            }
            for (int vez = 1; vez <= 2; ++vez) {
                {
                    OtherStation estacion(archivo);
                    if (estacion.exec("INSERT INTO NOTAS (ID, TEXTO) SELECT MAX(ID) + 1, 'otra' FROM NOTAS") != SQLITE_OK)
                        visto << QStringLiteral("the other station could not write");
                }
                const sqlcompat::EngineFiles junto = sqlcompat::EngineFilesOf(archivo);
                visto << QStringLiteral("held %1, journal %2, shared memory %3")
                             .arg(sqlcompat::HeldOpen(archivo))
                             .arg(junto.wal)
                             .arg(junto.shm);
            }
            turnos.avisarAlHijo();
        });
        const ProcesoHijo::Fin fin = ProcesoHijo::Ejecutar([&] {
            ado::Connection primera;
            try {
                primera.Open(textoDe(archivo));
                agregar(primera, 2);
                if (segunda == "connection") {
                    ado::Connection otra;
                    otra.Open(textoDe(archivo));
                    filas(otra);
                } else {
                    sqlcompat::HeldOpen(archivo);
                    sqlcompat::OpenUnderAnotherName(archivo);
                    sqlcompat::JournalOfAnotherFile(archivo);
                    sqlcompat::FileProblem(archivo, {QStringLiteral("NOTAS")});
                }
                turnos.avisarAlPadre();
                if (!turnos.esperarAlPadre())
                    return QStringLiteral("the other station never wrote");
                agregar(primera, 5);
                return QString::number(filas(primera));
            } catch (const ado::Error& e) {
                turnos.avisarAlPadre();
                return e.Description;
            }
        });
        otraEstacion.join();
        const QString sostenida = QStringLiteral("held 1, journal 1, shared memory 1");
        QCOMPARE(visto, (QStringList{sostenida, sostenida}));
        constexpr qint64 kTodas = EmpresaDeNotas::kFilas + 2 + 2 + 5;
        QCOMPARE(fin.texto, QString::number(kTodas));
        ado::Connection despues;
        despues.Open(textoDe(archivo));
        QCOMPARE(filas(despues), kTodas);
    }

private:
    std::unique_ptr<EmpresaDeNotas> m_empresa;
};

QTEST_GUILESS_MAIN(TstAdoSecondConnection)
#include "tst_ado_second_connection.moc"
