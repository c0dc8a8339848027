// The company file of the embedded engine at the edges: a file with two names, a file or folder this user may
// not write, a disk that fills (the file-size limit stands for it) and a damaged file. Each is refused or
// reported in the suite's words before the engine's text, nothing is left half written, and no file is left
// beside the company that was not there before.

#include "EmpresaDeNotas.h"
#include "platform/ProcesoHijo.h"
#include "platform/ado/Connection.h"
#include "platform/ado/Recordset.h"

#include <QDir>
#include <QFile>
#include <QTest>
#include <csignal>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr int kFilas = EmpresaDeNotas::kFilas;

} // namespace

class TstAdoCompanyFile : public QObject {
    Q_OBJECT

private slots:
    void init()
    {
        m_empresa = std::make_unique<EmpresaDeNotas>();
        QVERIFY(m_empresa->ok());
        m_carpeta = m_empresa->carpeta();
        QCOMPARE(archivosEn(m_carpeta), QStringList{QStringLiteral("empresa.db")});
    }
    void cleanup() { m_empresa.reset(); }

    // A hard link gives the file a second name: opened by either, the engine would keep a journal beside
    // each. Refused both ways round, before anything is made beside either name.
    void twoNamesAreRefusedEitherWay_data()
    {
        QTest::addColumn<bool>("porElSegundo");
        QTest::newRow("opened by its first name") << false;
        QTest::newRow("opened by its second name") << true;
    }
    void twoNamesAreRefusedEitherWay()
    {
        QFETCH(bool, porElSegundo);
        const QString segundo = QDir(m_carpeta).filePath(QStringLiteral("segundo.db"));
        QVERIFY(::link(QFile::encodeName(m_empresa->path()).constData(), QFile::encodeName(segundo).constData()) == 0);
        const QString abierto = porElSegundo ? segundo : m_empresa->path();
        const QByteArray antes = leer(abierto);
        ado::Connection cn;
        try {
            cn.Open(textoDe(abierto));
            QFAIL("a file with two names was opened");
        } catch (const ado::Error& e) {
            QVERIFY2(e.Description.startsWith(QStringLiteral("El archivo de la empresa \"%1\" tiene 2 nombres en el "
                                                             "disco (enlaces duros).")
                                                  .arg(abierto)),
                     qPrintable(e.Description));
        }
        QCOMPARE(cn.State(), int(ado::adStateClosed));
        QCOMPARE(archivosEn(m_carpeta), (QStringList{QStringLiteral("empresa.db"), QStringLiteral("segundo.db")}));
        QCOMPARE(leer(abierto), antes);
        // With one name again it opens.
        QVERIFY(QFile::remove(porElSegundo ? m_empresa->path() : segundo));
        cn.Open(textoDe(abierto));
        QCOMPARE(filas(cn), qint64(kFilas));
    }

    // A file, or the folder that holds it, that this user may not write: a program that writes is refused at
    // opening with the reason; one that only reads opens it read-only, reads it, cannot write it, and leaves
    // nothing beside it. Root may write anything, so the piece runs as a user without privileges when the test
    // is root.
    void unwritableFile_data()
    {
        QTest::addColumn<QString>("cerrado");   // "file" or "folder"
        QTest::addColumn<bool>("soloLee");
        QTest::newRow("file, a program that writes") << "file" << false;
        QTest::newRow("folder, a program that writes") << "folder" << false;
        QTest::newRow("file, a program that reads") << "file" << true;
        QTest::newRow("folder, a program that reads") << "folder" << true;
    }
    void unwritableFile()
    {
        QFETCH(QString, cerrado);
        QFETCH(bool, soloLee);
        const bool root = ::geteuid() == 0;
        const QString archivo = m_empresa->path();
        if (cerrado == "file") {
            QVERIFY(modo(m_carpeta, root ? 0777 : 0700));
            QVERIFY(modo(archivo, root ? 0644 : 0444));
        } else {
            QVERIFY(modo(m_carpeta, root ? 0755 : 0500));
            QVERIFY(modo(archivo, 0666));
        }
        const QByteArray antes = leer(archivo);
        const ProcesoHijo::Fin fin = ProcesoHijo::Ejecutar(
            [&] {
                ado::Connection cn;
                cn.WhenUnwritable = soloLee ? ado::UnwritableFile::OpenReadOnly : ado::UnwritableFile::Refuse;
                try {
                    cn.Open(textoDe(archivo));
                } catch (const ado::Error& e) {
                    return QStringLiteral("refused\x1f") + e.Description;
                }
                QString texto = QStringLiteral("opened\x1f") + cn.ReadOnlyReason() + QStringLiteral("\x1f")
                    + QString::number(filas(cn));
                try {
                    cn.Execute(QStringLiteral("DELETE FROM NOTAS"));
                    texto += QStringLiteral("\x1fwritten");
                } catch (const ado::Error& e) {
                    texto += QStringLiteral("\x1f") + e.Description;
                }
                cn.Close();
                return texto;
            },
            ProcesoHijo::SinPrivilegios);
        modo(m_carpeta, 0700);
        QCOMPARE(fin.codigo, 0);
        const QStringList partes = fin.texto.split(QChar(0x1f));
        const QString porque = cerrado == "file"
            ? QStringLiteral("El archivo de la empresa \"%1\" no se puede modificar: este usuario no tiene permiso para "
                             "escribir en él.")
                  .arg(archivo)
            : QStringLiteral("La carpeta \"%1\" del archivo de la empresa no se puede modificar: este usuario no tiene "
                             "permiso para escribir en ella")
                  .arg(m_carpeta);
        if (!soloLee) {
            QCOMPARE(partes.value(0), QStringLiteral("refused"));
            QVERIFY2(partes.value(1).startsWith(porque), qPrintable(fin.texto));
            QVERIFY2(partes.value(1).contains(QStringLiteral("El programa graba en la empresa y no puede trabajar con "
                                                             "ella así")),
                     qPrintable(fin.texto));
        } else {
            QCOMPARE(partes.value(0), QStringLiteral("opened"));
            QVERIFY2(partes.value(1).startsWith(porque), qPrintable(fin.texto));
            QCOMPARE(partes.value(2), QString::number(kFilas));
            QVERIFY2(partes.value(3).startsWith(QStringLiteral("No se puede grabar en la base de datos de la empresa: "
                                                               "este usuario no puede modificar su archivo")),
                     qPrintable(fin.texto));
            QVERIFY2(fin.texto.endsWith(QStringLiteral("\r\nattempt to write a readonly database")),
                     qPrintable(fin.texto));
        }
        QCOMPARE(archivosEn(m_carpeta), QStringList{QStringLiteral("empresa.db")});
        QCOMPARE(leer(archivo), antes);
    }

    // With a file-size limit (ulimit -f) and its signal ignored, as the programs run, a write past the limit
    // fails like a full disk: the suite's words first, the engine's text after them, the transaction rolled
    // back whole, and the company as it was once the connection closes.
    void fileSizeLimitIsAFullDisk_data()
    {
        QTest::addColumn<bool>("enTransaccion");
        QTest::newRow("in a transaction") << true;
        QTest::newRow("one statement") << false;
    }
    void fileSizeLimitIsAFullDisk()
    {
        QFETCH(bool, enTransaccion);
        const QString archivo = m_empresa->path();
        const qint64 tamano = QFileInfo(archivo).size();
        const ProcesoHijo::Fin fin = ProcesoHijo::Ejecutar(
            [&] {
                ado::Connection cn;
                cn.Open(textoDe(archivo));
                QString texto;
                try {
                    const QString grande(4000, QLatin1Char('x'));
                    if (enTransaccion) {
                        cn.BeginTrans();
                        cn.Execute(QStringLiteral("DELETE FROM NOTAS WHERE ID <= 10"));
                        for (int i = 1; i <= 200; ++i)
                            cn.ExecuteBound(QStringLiteral("INSERT INTO NOTAS (ID, TEXTO) VALUES (?, ?)"),
                                            {ado::Variant(qint64(1000 + i)), ado::Variant(grande)});
                        cn.CommitTrans();
                    } else {
                        cn.Execute(QStringLiteral("UPDATE NOTAS SET TEXTO = '%1'").arg(grande));
                    }
                    texto = QStringLiteral("written");
                } catch (const ado::Error& e) {
                    texto = e.Description;
                }
                texto += cn.InTransaction() ? QStringLiteral("\x1fstill in a transaction") : QString();
                if (enTransaccion) {
                    try {
                        cn.RollbackTrans();
                    } catch (const ado::Error& e) {
                        texto += QStringLiteral("\x1frollback: ") + e.Description;
                    }
                }
                texto += QStringLiteral("\x1f") + QString::number(filas(cn));
                cn.Close();
                return texto;
            },
            [tamano] {
                std::signal(SIGXFSZ, SIG_IGN);
                ProcesoHijo::LimiteDeArchivo(rlim_t(tamano + 64 * 1024));
            });
        QVERIFY2(!fin.porSenal, qPrintable(QString::number(fin.senal)));
        QCOMPARE(fin.codigo, 0);
        const QStringList partes = fin.texto.split(QChar(0x1f));
        QCOMPARE(partes.size(), 2);
        QVERIFY2(partes.value(0).startsWith(QStringLiteral("No hay más lugar en el disco de la base de datos de la "
                                                           "empresa (o el archivo llegó al tamaño máximo permitido): lo "
                                                           "que se estaba grabando no quedó grabado.\r\n")),
                 qPrintable(fin.texto));
        QVERIFY2(partes.value(0).endsWith(QStringLiteral("database or disk is full"))
                     || partes.value(0).endsWith(QStringLiteral("disk I/O error")),
                 qPrintable(fin.texto));
        QCOMPARE(partes.value(1), QString::number(kFilas));
        QCOMPARE(archivosEn(m_carpeta), QStringList{QStringLiteral("empresa.db")});
        ado::Connection cn;
        cn.Open(textoDe(m_empresa->path()));
        QCOMPARE(filas(cn), qint64(kFilas));
        ado::Recordset rs;
        rs.Open(QStringLiteral("SELECT TEXTO FROM NOTAS WHERE ID = 5"), &cn);
        QCOMPARE(rs.Fields(QStringLiteral("TEXTO")).Value().toText(), QString(200, QChar(u'a' + 5)));
    }

    // The disk is full when the company opens: the engine cannot make its shared-memory file. Said in the
    // suite's words, and nothing is left beside the company that was not there before: also when a journal
    // with committed rows stands beside it without its shared memory (a station that ended without closing),
    // which the look before the opening reads.
    void fullDiskAtOpening_data()
    {
        QTest::addColumn<bool>("conDiario");
        QTest::newRow("the file alone") << false;
        QTest::newRow("a committed journal, no shared memory") << true;
    }
    void fullDiskAtOpening()
    {
        QFETCH(bool, conDiario);
        const QString archivo = m_empresa->path();
        QStringList antes{QStringLiteral("empresa.db")};
        if (conDiario) {
            const ProcesoHijo::Fin fin = ProcesoHijo::Ejecutar([&] {
                // Left open as the process ends: the journal keeps what was committed.
                auto* cn = new ado::Connection;
                cn->Open(textoDe(archivo));
                cn->Execute(QStringLiteral("UPDATE NOTAS SET TEXTO = 'cambiada' WHERE ID <= 10"));
                return QString::number(filas(*cn));
            });
            QCOMPARE(fin.texto, QString::number(kFilas));
            QVERIFY(QFile::remove(archivo + QStringLiteral("-shm")));
            antes << QStringLiteral("empresa.db-wal");
            QCOMPARE(archivosEn(m_carpeta), antes);
        }
        const ProcesoHijo::Fin fin = ProcesoHijo::Ejecutar(
            [&] {
                ado::Connection cn;
                cn.RequiredTables = {QStringLiteral("NOTAS")};   // as the programs look at their company's tables
                try {
                    cn.Open(textoDe(archivo));
                } catch (const ado::Error& e) {
                    return e.Description;
                }
                return QStringLiteral("opened");
            },
            [] {
                std::signal(SIGXFSZ, SIG_IGN);
                ProcesoHijo::LimiteDeArchivo(1024);
            });
        QCOMPARE(fin.codigo, 0);
        // The look into the file meets the full disk first when a journal stands beside it.
        QVERIFY2(fin.texto.startsWith(QStringLiteral("No se pudo abrir la base de datos de la empresa \"%1\": no hay más "
                                                     "lugar en el disco (o el archivo llegó al tamaño máximo "
                                                     "permitido).\r\n%2")
                                          .arg(archivo, conDiario ? QString() : QStringLiteral("No se puede abrir la base de datos"))),
                 qPrintable(fin.texto));
        QCOMPARE(archivosEn(m_carpeta), antes);
    }

    // A damaged file: where the engine keeps the list of tables, it is refused at opening; in a table's rows,
    // the read that meets them fails. Both in the suite's words first, and nothing is left beside the file.
    void damagedFile_data()
    {
        QTest::addColumn<bool>("enLaLista");
        QTest::newRow("the list of tables") << true;
        QTest::newRow("a table's rows") << false;
    }
    void damagedFile()
    {
        QFETCH(bool, enLaLista);
        const QString archivo = m_empresa->path();
        {
            QFile f(archivo);
            QVERIFY(f.open(QIODevice::ReadWrite));
            // Page 1 holds the list of tables after the file's 100-byte header; the last pages hold rows.
            const qint64 pagina = 4096;
            QVERIFY(f.seek(enLaLista ? 100 : f.size() - 3 * pagina));
            f.write(QByteArray(int(enLaLista ? pagina - 100 : pagina), '\xff'));
        }
        ado::Connection cn;
        cn.RequiredTables = {QStringLiteral("NOTAS")};   // as the programs look at their company's tables
        QString texto;
        try {
            cn.Open(textoDe(archivo));
            ado::Recordset rs;
            rs.Open(QStringLiteral("SELECT SUM(LENGTH(TEXTO)) AS N FROM NOTAS"), &cn);
            texto = QStringLiteral("read");
        } catch (const ado::Error& e) {
            texto = e.Description;
        }
        QCOMPARE(cn.State(), int(enLaLista ? ado::adStateClosed : ado::adStateOpen));
        cn.Close();
        const QString dicho = enLaLista
            ? QStringLiteral("No se pudo abrir la base de datos de la empresa \"%1\": el archivo está dañado.\r\n")
                  .arg(archivo)
            : QStringLiteral("El archivo de la base de datos de la empresa está dañado: restáurelo de una copia de "
                             "respaldo.\r\n");
        QVERIFY2(texto.startsWith(dicho), qPrintable(texto));
        QVERIFY2(texto.endsWith(QStringLiteral("database disk image is malformed")), qPrintable(texto));
        QCOMPARE(archivosEn(m_carpeta), QStringList{QStringLiteral("empresa.db")});
    }

private:
    std::unique_ptr<EmpresaDeNotas> m_empresa;
    QString m_carpeta;
};

QTEST_GUILESS_MAIN(TstAdoCompanyFile)
#include "tst_ado_company_file.moc"
