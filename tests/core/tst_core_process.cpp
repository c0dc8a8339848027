// What both programs set up before their first window, and what their start-up road then does with the company
// file: a write past the file-size limit fails like a full disk instead of killing the program; a company file
// this user may not write is refused by the workbench and opened read-only by the dashboard, each saying so at
// opening; a company file with two names is refused by both. Each case runs in a child process of its own: a
// file-size limit, another user's identity or the one connection of the process would otherwise stay with the
// test program.

#include "CoreDatabase.h"
#include "data/DB_Dll.h"
#include "platform/ProcesoHijo.h"
#include "platform/ui/ScriptedDialogs.h"

#include <QDir>
#include <QFile>
#include <QTest>
#include <sys/stat.h>

using ModGlobal::UsoDeLaEmpresa;

namespace {

QStringList archivosEn(const QString& carpeta)
{
    return QDir(carpeta).entryList(QDir::Files | QDir::Hidden, QDir::Name);
}

} // namespace

class TstCoreProcess : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QVERIFY(m_db.crear());
        // The program folder (lookup masks, error log) and the company's folder, open to the user without
        // privileges that the read-only cases run as.
        QVERIFY(::chmod(QFile::encodeName(m_db.carpeta.path()).constData(), 0777) == 0);
        m_tamano = QFileInfo(m_db.archivo).size();
    }

    // With a file-size limit, a write past it ends a process that has not been set up by the signal SIGXFSZ,
    // without a word; set up as either program sets itself up, the write fails like a full disk and says so.
    void fileSizeLimit_data()
    {
        QTest::addColumn<bool>("preparado");
        QTest::addColumn<UsoDeLaEmpresa>("uso");
        QTest::newRow("not set up") << false << UsoDeLaEmpresa::Graba;
        QTest::newRow("the workbench") << true << UsoDeLaEmpresa::Graba;
        QTest::newRow("the dashboard") << true << UsoDeLaEmpresa::SoloLee;
    }
    void fileSizeLimit()
    {
        QFETCH(bool, preparado);
        QFETCH(UsoDeLaEmpresa, uso);
        const QString archivo = m_db.archivo;
        const qint64 tamano = m_tamano;
        const ProcesoHijo::Fin fin = ProcesoHijo::Ejecutar(
            [&] {
                if (preparado)
                    ModGlobal::PrepararProceso(uso);
                ado::Connection cn;
                cn.Open(QStringLiteral("Provider=SQLOLEDB;Server=sqlite;Database=") + archivo);
                QString texto;
                try {
                    cn.BeginTrans();
                    const ado::Variant valor(QString(250, QLatin1Char('v')));
                    for (int i = 0; i < 2000; ++i)
                        cn.ExecuteBound(QStringLiteral("INSERT INTO TA_CONFIGURACION (CLAVE, VALOR, ValorAux, Grupo) "
                                                       "VALUES (?, ?, ?, 'PRUEBA')"),
                                        {ado::Variant(QStringLiteral("CLAVE%1").arg(i)), valor, valor});
                    cn.CommitTrans();
                    texto = QStringLiteral("written");
                } catch (const ado::Error& e) {
                    texto = e.Description;
                }
                cn.Close();
                return texto;
            },
            [tamano] { ProcesoHijo::LimiteDeArchivo(rlim_t(tamano + 64 * 1024)); });
        if (!preparado) {
            QVERIFY(fin.porSenal);
            QCOMPARE(fin.senal, SIGXFSZ);
            return;
        }
        QVERIFY2(!fin.porSenal, qPrintable(QString::number(fin.senal)));
        QCOMPARE(fin.codigo, 0);
        QVERIFY2(fin.texto.startsWith(QStringLiteral("No hay más lugar en el disco de la base de datos de la empresa")),
                 qPrintable(fin.texto));
        QCOMPARE(archivosEn(m_db.carpeta.path()).filter(QStringLiteral("empresa demo.db")),
                 QStringList{QStringLiteral("empresa demo.db")});
    }

    // A company file this user may not write: the workbench's start-up road refuses it, saying why, and the
    // program ends; the dashboard's opens it read-only, saying so, and reads it. Nothing is made beside it.
    // Root may write any file: the start-up road runs as a user without privileges when the test is root.
    void unwritableCompany_data()
    {
        QTest::addColumn<UsoDeLaEmpresa>("uso");
        QTest::newRow("the workbench") << UsoDeLaEmpresa::Graba;
        QTest::newRow("the dashboard") << UsoDeLaEmpresa::SoloLee;
    }
    void unwritableCompany()
    {
        QFETCH(UsoDeLaEmpresa, uso);
        QVERIFY(::chmod(QFile::encodeName(m_db.archivo).constData(), ::geteuid() == 0 ? 0644 : 0444) == 0);
        const QStringList antes = archivosEn(m_db.carpeta.path());
        const ProcesoHijo::Fin fin = ProcesoHijo::Ejecutar(
            [&] {
                ModGlobal::PrepararProceso(uso);
                ui::ScriptedDialogs d;
                if (uso == UsoDeLaEmpresa::Graba) {
                    d.expectMsgBox(ui::vbNo)
                        .withTitle(QStringLiteral(" Error de Conexion a Base de Datos"))
                        .containing(QStringLiteral("Descripcion: El archivo de la empresa \"%1\" no se puede modificar: "
                                                   "este usuario no tiene permiso para escribir en él. El programa "
                                                   "graba en la empresa y no puede trabajar con ella así")
                                        .arg(m_db.archivo));
                } else {
                    d.expectMsgBox(ui::vbOK)
                        .withTitle(QStringLiteral("Aviso al Usuario"))
                        .withStyle(ui::vbOKOnly + ui::vbInformation)
                        .withText(QStringLiteral("El archivo de la empresa \"%1\" no se puede modificar: este usuario "
                                                 "no tiene permiso para escribir en él.\r\nLa empresa se abre solo "
                                                 "para consultarla: no se grabará nada en ella.")
                                      .arg(m_db.archivo));
                }
                QString texto;
                try {
                    m_db.iniciar();
                    texto = QStringLiteral("open ") + gDB().DatosTabla(QStringLiteral("ta_usuarios"),
                                                                       QString::fromLatin1(schema::kAdminUser),
                                                                       QStringLiteral("nombre"),
                                                                       QStringLiteral("nombre"), 8, QString(), true)
                                                          .trimmed();
                } catch (const ui::ProgramEnded&) {
                    texto = QStringLiteral("ended");
                } catch (const std::exception& e) {
                    texto = QString::fromLocal8Bit(e.what());
                }
                return texto + (d.verifyDone() ? QString() : QStringLiteral(" (prompts missing)"));
            },
            ProcesoHijo::SinPrivilegios);
        QVERIFY(::chmod(QFile::encodeName(m_db.archivo).constData(), 0644) == 0);
        QCOMPARE(fin.codigo, 0);
        QCOMPARE(fin.texto, uso == UsoDeLaEmpresa::Graba
                                ? QStringLiteral("ended")
                                : QStringLiteral("open ") + QString::fromLatin1(schema::kAdminUser));
        QCOMPARE(archivosEn(m_db.carpeta.path()).filter(QStringLiteral("empresa demo")),
                 antes.filter(QStringLiteral("empresa demo")));
    }

    // A company file with a second name (a hard link) is refused by either program, by either name, before the
    // engine makes anything beside it.
    void companyWithTwoNames_data()
    {
        QTest::addColumn<UsoDeLaEmpresa>("uso");
        QTest::addColumn<bool>("porElSegundo");
        QTest::newRow("the workbench, by the first name") << UsoDeLaEmpresa::Graba << false;
        QTest::newRow("the workbench, by the second name") << UsoDeLaEmpresa::Graba << true;
        QTest::newRow("the dashboard, by the first name") << UsoDeLaEmpresa::SoloLee << false;
        QTest::newRow("the dashboard, by the second name") << UsoDeLaEmpresa::SoloLee << true;
    }
    void companyWithTwoNames()
    {
        QFETCH(UsoDeLaEmpresa, uso);
        QFETCH(bool, porElSegundo);
        const QString segundo = m_db.archivoEnCarpeta(QStringLiteral("segundo nombre.db"));
        QVERIFY(::link(QFile::encodeName(m_db.archivo).constData(), QFile::encodeName(segundo).constData()) == 0);
        const QStringList antes = archivosEn(m_db.carpeta.path());
        const QString abierto = porElSegundo ? segundo : m_db.archivo;
        const ProcesoHijo::Fin fin = ProcesoHijo::Ejecutar([&] {
            ModGlobal::PrepararProceso(uso);
            ui::ScriptedDialogs d;
            d.expectMsgBox(ui::vbNo)
                .withTitle(QStringLiteral(" Error de Conexion a Base de Datos"))
                .containing(QStringLiteral("Descripcion: El archivo de la empresa \"%1\" tiene 2 nombres en el disco "
                                           "(enlaces duros).")
                                .arg(abierto));
            QString texto;
            try {
                QString conexion;
                ModGlobal::Inicializar(false, QStringLiteral("@Server=sqlite;@DbName=%1;@Usuario=admin;").arg(abierto),
                                       conexion, 3);
                texto = QStringLiteral("opened");
            } catch (const ui::ProgramEnded&) {
                texto = QStringLiteral("ended");
            } catch (const std::exception& e) {
                texto = QString::fromLocal8Bit(e.what());
            }
            return texto + (d.verifyDone() ? QString() : QStringLiteral(" (prompts missing)"));
        });
        const QStringList despues = archivosEn(m_db.carpeta.path());
        QVERIFY(QFile::remove(segundo));
        QCOMPARE(fin.codigo, 0);
        QCOMPARE(fin.texto, QStringLiteral("ended"));
        QCOMPARE(despues.filter(QStringLiteral(".db")), antes.filter(QStringLiteral(".db")));
    }

private:
    CoreDatabase m_db;
    qint64 m_tamano = 0;
};

QTEST_MAIN(TstCoreProcess)
#include "tst_core_process.moc"
