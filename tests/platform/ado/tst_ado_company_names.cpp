// The names that reach a company file: a name that reaches no file (a folder, a link to nothing or to a
// folder) is refused in the suite's words; a symbolic link is followed once, and every look at the file is
// made on the real one; a file renamed, or given a second name, while a station has it open is not opened by
// the new name, and what that station saved reaches the file when it closes; another file put at the name of
// one moved while a station has it open is not opened while that station uses the journal beside the name.

#include "EmpresaDeNotas.h"
#include "Turnos.h"
#include "platform/ado/QueryWait.h"
#include "platform/ProcesoHijo.h"

#include <QTest>
#include <thread>
#include <unistd.h>

namespace {

bool enlazar(const QString& destino, const QString& enlace)
{
    return ::symlink(QFile::encodeName(destino).constData(), QFile::encodeName(enlace).constData()) == 0;
}

// What happened to an opening in a child process: "refused", the message; or "opened", why read-only, the rows.
QString abrirEnHijo(const QString& archivo, ado::UnwritableFile siNoSePuede)
{
    ado::Connection cn;
    cn.WhenUnwritable = siNoSePuede;
    try {
        cn.Open(textoDe(archivo));
    } catch (const ado::Error& e) {
        return QStringLiteral("refused\x1f") + e.Description;
    }
    ado::Recordset rs;
    rs.Open(QStringLiteral("SELECT TEXTO FROM NOTAS WHERE ID = 1"), &cn);
    return QStringLiteral("opened\x1f") + cn.ReadOnlyReason() + QStringLiteral("\x1f")
        + rs.Fields(QStringLiteral("TEXTO")).Value().toText();
}

constexpr int kFilasDeX = 10;

// A wait that lets every read go on: while it is installed, reads are made aside.
class EsperaQueSigue final : public ado::QueryWait {
public:
    bool waiting(int) override { return true; }
};

// Station A, in a child process: opens `archivo`, saves rows, lets the test move things about, saves more and
// closes; hands back how many rows it saw last. Tells the test when it has closed.
QString estacionA(const QString& archivo, Turnos& turnos)
{
    ado::Connection a;
    a.Open(textoDe(archivo));
    agregar(a, 59);
    turnos.avisarAlPadre();
    if (!turnos.esperarAlPadre())
        return QStringLiteral("B never tried");
    agregar(a, 7);
    const qint64 vistas = filas(a);
    a.Close();
    turnos.avisarAlPadre();
    return QString::number(vistas);
}

} // namespace

class TstAdoCompanyNames : public QObject {
    Q_OBJECT

private slots:
    void init()
    {
        m_empresa = std::make_unique<EmpresaDeNotas>();
        QVERIFY(m_empresa->ok());
        m_carpeta = m_empresa->carpeta();
    }
    void cleanup() { m_empresa.reset(); }

    // A name that reaches no company file says what it reaches instead, and nothing is made anywhere.
    void nameOfNoFile_data()
    {
        QTest::addColumn<QString>("que");
        QTest::addColumn<QString>("dicho");   // %1 the name, %2 what a link points to
        QTest::newRow("nothing") << "nada" << "No se puede abrir la base de datos \"%1\": el archivo no existe.";
        QTest::newRow("no name") << "sin nombre" << "No se puede abrir la base de datos \"%1\": no se indicó el archivo.";
        QTest::newRow("a folder") << "carpeta"
                                  << "\"%1\" es una carpeta, no un archivo de la empresa: indique el archivo de la "
                                     "base de datos.";
        QTest::newRow("a link to nothing") << "enlace roto"
                                           << "El archivo de la empresa \"%1\" es un enlace a \"%2\", que no existe.";
        QTest::newRow("a link to a folder") << "enlace a carpeta"
                                            << "\"%1\" es un enlace a la carpeta \"%2\", no a un archivo de la "
                                               "empresa: indique el archivo de la base de datos.";
    }
    void nameOfNoFile()
    {
        QFETCH(QString, que);
        QFETCH(QString, dicho);
        const QString nombre = que == "sin nombre" ? QString() : QDir(m_carpeta).filePath(QStringLiteral("X.db"));
        const QString destino = QDir(m_carpeta).filePath(QStringLiteral("otra"));
        if (que == "carpeta")
            QVERIFY(QDir().mkdir(nombre));
        if (que == "enlace roto")
            QVERIFY(enlazar(destino, nombre));
        if (que == "enlace a carpeta") {
            QVERIFY(QDir().mkdir(destino));
            QVERIFY(enlazar(destino, nombre));
        }
        const QStringList antes = QDir(m_carpeta).entryList(QDir::AllEntries | QDir::System | QDir::Hidden | QDir::NoDotAndDotDot);
        ado::Connection cn;
        try {
            cn.Open(textoDe(nombre));
            QFAIL("opened");
        } catch (const ado::Error& e) {
            QCOMPARE(e.Description, QString(dicho).replace(QLatin1String("%1"), nombre).replace(QLatin1String("%2"), destino));
        }
        QCOMPARE(QDir(m_carpeta).entryList(QDir::AllEntries | QDir::System | QDir::Hidden | QDir::NoDotAndDotDot), antes);
    }

    // The real file of a link has a journal with committed rows, beside its real name: a station works on it
    // by that name, or one ended without closing it. Read through the link by a user who cannot write there,
    // the journal's rows show, not what the file alone held.
    void linkReadsTheJournalOfTheRealFile_data()
    {
        QTest::addColumn<bool>("abierta");
        QTest::newRow("a station has it open") << true;
        QTest::newRow("a station ended without closing it") << false;
    }
    void linkReadsTheJournalOfTheRealFile()
    {
        QFETCH(bool, abierta);
        QVERIFY(modo(m_carpeta, 0755));
        const QString real = m_empresa->path();
        const auto escribir = [&real](ado::Connection& cn) {
            cn.Open(textoDe(real));
            cn.Execute(QStringLiteral("UPDATE NOTAS SET TEXTO = 'ACTIVO DEL WAL' WHERE ID = 1"));
            return QString::number(filas(cn));
        };
        ado::Connection estacion;
        if (abierta)
            escribir(estacion);
        else   // the connection is left open as the child ends
            QCOMPARE(ProcesoHijo::Ejecutar([&] { return escribir(*new ado::Connection); }).texto,
                     QString::number(EmpresaDeNotas::kFilas));
        QVERIFY(QFileInfo::exists(real + QStringLiteral("-wal")));
        QTemporaryDir otra;
        QVERIFY(modo(otra.path(), 0777));
        const QString enlace = QDir(otra.path()).filePath(QStringLiteral("empresa.db"));
        QVERIFY(enlazar(m_empresa->path(), enlace));
        const ProcesoHijo::Fin fin = ProcesoHijo::Ejecutar(
            [&] { return abrirEnHijo(enlace, ado::UnwritableFile::OpenReadOnly); }, ProcesoHijo::SinPrivilegios);
        const QStringList partes = fin.texto.split(QChar(0x1f));
        QCOMPARE(partes.value(0), QStringLiteral("opened"));
        QVERIFY2(!partes.value(1).isEmpty(), qPrintable(fin.texto));
        QCOMPARE(partes.value(2), QStringLiteral("ACTIVO DEL WAL"));
        QCOMPARE(QDir(otra.path()).entryList(QDir::AllEntries | QDir::System | QDir::Hidden | QDir::NoDotAndDotDot),
                 QStringList{QStringLiteral("empresa.db")});
    }

    // A link, in a folder this user may write, to a file it may write in a folder it may not: the folder that
    // cannot be written is the real file's, where the engine would make its files. A program that writes is
    // refused naming it, in the suite's words; one that reads opens it read-only.
    void linkToAFileInAFolderThatCannotBeWritten_data()
    {
        QTest::addColumn<bool>("soloLee");
        QTest::newRow("a program that writes") << false;
        QTest::newRow("a program that reads") << true;
    }
    void linkToAFileInAFolderThatCannotBeWritten()
    {
        QFETCH(bool, soloLee);
        if (::geteuid() != 0)
            QSKIP("needs root to give the file to another user's reach");
        QVERIFY(modo(m_carpeta, 0755));
        QVERIFY(modo(m_empresa->path(), 0666));
        QTemporaryDir otra;
        QVERIFY(modo(otra.path(), 0777));
        const QString enlace = QDir(otra.path()).filePath(QStringLiteral("empresa.db"));
        QVERIFY(enlazar(m_empresa->path(), enlace));
        const QByteArray antes = leer(m_empresa->path());
        const ProcesoHijo::Fin fin = ProcesoHijo::Ejecutar(
            [&] {
                return abrirEnHijo(enlace, soloLee ? ado::UnwritableFile::OpenReadOnly : ado::UnwritableFile::Refuse);
            },
            ProcesoHijo::SinPrivilegios);
        const QStringList partes = fin.texto.split(QChar(0x1f));
        const QString porque = QStringLiteral("La carpeta \"%1\" del archivo de la empresa no se puede modificar: este "
                                              "usuario no tiene permiso para escribir en ella")
                                   .arg(m_carpeta);
        QCOMPARE(partes.value(0), QString::fromLatin1(soloLee ? "opened" : "refused"));
        QVERIFY2(partes.value(1).startsWith(porque), qPrintable(fin.texto));
        QVERIFY2(!fin.texto.contains(QStringLiteral("readonly database")), qPrintable(fin.texto));
        if (soloLee)
            QCOMPARE(partes.value(2), QString(200, QChar(u'a' + 1)));
        QCOMPARE(archivosEn(m_carpeta), QStringList{QStringLiteral("empresa.db")});
        QCOMPARE(leer(m_empresa->path()), antes);
    }

    // Station A works on the company; meanwhile its file is given a second name and the first is removed, or it
    // is renamed. Station B, on the new name, is refused: A has the file open under another name. What A saved
    // before and after is in the file when A closes, and B then opens it with every row.
    void renamedWhileAStationWorks_data()
    {
        QTest::addColumn<bool>("enlaceYBorrado");
        QTest::newRow("ln then rm") << true;
        QTest::newRow("mv") << false;
    }
    void renamedWhileAStationWorks()
    {
        QFETCH(bool, enlaceYBorrado);
        const QString primero = m_empresa->path();
        const QString nuevo = QDir(m_carpeta).filePath(QStringLiteral("nuevo.db"));
        Turnos turnos;
        QVERIFY(turnos.ok());
        QString deB;
        std::thread estacionB([&] {
            if (!turnos.esperarAlHijo()) {
                deB = QStringLiteral("A never wrote");
                return;
            }
            const QByteArray de = QFile::encodeName(primero);
            const QByteArray a = QFile::encodeName(nuevo);
            const bool movido = enlaceYBorrado ? ::link(de.constData(), a.constData()) == 0 && ::unlink(de.constData()) == 0
                                               : ::rename(de.constData(), a.constData()) == 0;
            ado::Connection cn;
            try {
                if (!movido)
                    throw ado::Error(0, QStringLiteral("the file could not be renamed"));
                cn.Open(textoDe(nuevo));
                deB = QStringLiteral("opened with %1 rows").arg(filas(cn));
            } catch (const ado::Error& e) {
                deB = e.Description;
            }
            cn.Close();
            turnos.avisarAlHijo();
        });
        const ProcesoHijo::Fin fin = ProcesoHijo::Ejecutar([&] { return estacionA(primero, turnos); });
        estacionB.join();
        QCOMPARE(fin.texto, QString::number(kFilasDeA));
        QVERIFY2(deB.startsWith(QStringLiteral("La empresa \"%1\" está abierta con otro nombre en otra estación o "
                                               "programa")
                                    .arg(nuevo)),
                 qPrintable(deB));
        QVERIFY2(deB.contains(QStringLiteral("Cierre la empresa en todas las estaciones")), qPrintable(deB));
        QVERIFY(!QFileInfo::exists(nuevo + QStringLiteral("-wal")));
        ado::Connection b;
        b.Open(textoDe(nuevo));
        QCOMPARE(filas(b), qint64(kFilasDeA));
    }

    // Station A works on the company; meanwhile its file is moved away and another company is copied to its
    // name, as a backup put back by hand is. Station B, on that name, is refused while A still uses the journal
    // beside it: A's rows stay A's, and the other company's file stays as it was. Either A closes last (B gave up),
    // or B opens the other company once A has closed and closes last; either way every row is in its own file.
    void anotherFileAtTheNameOfAMovedCompany_data()
    {
        QTest::addColumn<bool>("bCierraUltima");
        QTest::newRow("A closes last") << false;
        QTest::newRow("B closes last") << true;
    }
    void anotherFileAtTheNameOfAMovedCompany()
    {
        QFETCH(bool, bCierraUltima);
        const QString nombre = m_empresa->path();
        const QString movido = QDir(m_carpeta).filePath(QStringLiteral("movida.db"));
        const EmpresaDeNotas otra(kFilasDeX);
        QVERIFY(otra.ok());
        Turnos turnos;
        QVERIFY(turnos.ok());
        QStringList deB;
        std::thread estacionB([&] {
            if (!turnos.esperarAlHijo()) {
                deB << QStringLiteral("A never wrote");
                return;
            }
            const bool puesta = ::rename(QFile::encodeName(nombre).constData(), QFile::encodeName(movido).constData()) == 0
                && QFile::copy(otra.path(), nombre);
            const auto abrir = [&] {
                ado::Connection cn;
                try {
                    if (!puesta)
                        throw ado::Error(0, QStringLiteral("the other company could not be put at the name"));
                    cn.Open(textoDe(nombre));
                    const qint64 vistas = filas(cn);
                    agregar(cn, 3);
                    deB << QStringLiteral("opened with %1 rows").arg(vistas);
                } catch (const ado::Error& e) {
                    deB << e.Description;
                }
            };
            abrir();
            turnos.avisarAlHijo();
            if (bCierraUltima && turnos.esperarAlHijo())
                abrir();
        });
        const ProcesoHijo::Fin fin = ProcesoHijo::Ejecutar([&] { return estacionA(nombre, turnos); });
        estacionB.join();
        QCOMPARE(fin.texto, QString::number(kFilasDeA));
        QCOMPARE(deB.size(), bCierraUltima ? 2 : 1);
        QVERIFY2(deB.first().startsWith(QStringLiteral("La empresa \"%1\" no se puede abrir ahora: junto a su nombre "
                                                       "están los archivos de trabajo (-wal y -shm) de otra empresa")
                                            .arg(nombre)),
                 qPrintable(deB.first()));
        if (bCierraUltima)
            QCOMPARE(deB.last(), QStringLiteral("opened with %1 rows").arg(kFilasDeX));
        ado::Connection deA;
        deA.Open(textoDe(movido));
        QCOMPARE(filas(deA), qint64(kFilasDeA));
        ado::Connection deX;
        deX.Open(textoDe(nombre));
        QCOMPARE(filas(deX), qint64(kFilasDeX + (bCierraUltima ? 3 : 0)));
    }

    // A station works on the company; its file is moved away and another company copied to its name. A report
    // the station then reads aside (as while a window waits for it) reads the station's own company, and when
    // the station closes, its rows are in its moved file and the other company's file is as it was.
    void readAsideOnceTheFileWasMoved()
    {
        const QString nombre = m_empresa->path();
        const QString movido = QDir(m_carpeta).filePath(QStringLiteral("movida.db"));
        const EmpresaDeNotas otra(kFilasDeX);
        QVERIFY(otra.ok());
        EsperaQueSigue espera;
        ado::Connection a;
        a.Open(textoDe(nombre));
        agregar(a, 59);
        QVERIFY(::rename(QFile::encodeName(nombre).constData(), QFile::encodeName(movido).constData()) == 0);
        QVERIFY(QFile::copy(otra.path(), nombre));
        ado::Recordset rs;
        rs.setQueryWait(&espera);   // a read with a wait goes aside
        rs.Open(QStringLiteral("SELECT COUNT(*) AS N FROM NOTAS"), &a, ado::adOpenStatic);
        const qint64 vistas = rs.Fields(QStringLiteral("N")).Value().toLong();
        rs.Close();
        agregar(a, 7);
        a.Close();
        QCOMPARE(vistas, qint64(EmpresaDeNotas::kFilas + 59));
        ado::Connection deA;
        deA.Open(textoDe(movido));
        QCOMPARE(filas(deA), qint64(kFilasDeA));
        ado::Connection deX;
        deX.Open(textoDe(nombre));
        QCOMPARE(filas(deX), qint64(kFilasDeX));
    }

    // The message of a file with two names says to close the company everywhere first, and that a copy, not a
    // link, is the safe way to keep a backup apart.
    void twoNamesMessageSaysHowToPartThem()
    {
        const QString segundo = QDir(m_carpeta).filePath(QStringLiteral("respaldo.db"));
        QVERIFY(::link(QFile::encodeName(m_empresa->path()).constData(), QFile::encodeName(segundo).constData()) == 0);
        ado::Connection cn;
        try {
            cn.Open(textoDe(m_empresa->path()));
            QFAIL("opened");
        } catch (const ado::Error& e) {
            QVERIFY2(e.Description.contains(QStringLiteral("Cierre primero la empresa en todas las estaciones")),
                     qPrintable(e.Description));
            QVERIFY2(e.Description.contains(QStringLiteral("copiar el archivo es la forma segura de separar el respaldo")),
                     qPrintable(e.Description));
        }
    }

private:
    static constexpr int kFilasDeA = EmpresaDeNotas::kFilas + 59 + 7;
    std::unique_ptr<EmpresaDeNotas> m_empresa;
    QString m_carpeta;
};

QTEST_GUILESS_MAIN(TstAdoCompanyNames)
#include "tst_ado_company_names.moc"
