#pragma once
// A program started by its launch string on a SQL Server that accepts the connection and never answers, with
// the station file giving the login 2 seconds: within a second a window says which server and database the
// program is connecting to; when the 2 seconds run out the retry question names the server, and declining it
// ends the program. `arrancar` starts the program's window as the program does, with the launch string.

#include "AvisoConexionVisto.h"
#include "data/DB_Dll.h"
#include "platform/ado/FreeTdsDePrueba.h"
#include "platform/ado/ServidorMudo.h"
#include "platform/suite/Estacion.h"
#include "platform/ui/ScriptedDialogs.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <functional>

inline void ArrancarSinRespuesta(const std::function<void(const QString&)>& arrancar)
{
    QTemporaryDir carpeta;
    QVERIFY(carpeta.isValid());
    const QString porQue = FreeTdsDePrueba::Preparar(carpeta.path());
    if (!porQue.isEmpty())
        QSKIP(qPrintable(porQue));
    qputenv("CONCCUENTAS_HOME", carpeta.path().toUtf8());
    QFile estacion(carpeta.filePath(QStringLiteral("CN000pr.INI")));
    QVERIFY(estacion.open(QIODevice::WriteOnly));
    estacion.write(("[" + suite::Estacion::NombreEstacion().toUpper() + "|" + suite::Estacion::UsuarioEstacion().toUpper()
                    + "BaseDeDatos]\r\nTiempoDeConexion=2\r\n")
                       .toLatin1());
    estacion.close();

    ServidorMudo mudo;
    QVERIFY(mudo.puerto() != 0);
    const QString servidor = QStringLiteral("127.0.0.1,%1").arg(mudo.puerto());
    ui::ScriptedDialogs d;
    d.expectMsgBox(ui::vbNo).withTitle(QStringLiteral(" Error de Conexion a Base de Datos")).containing(servidor);
    const AvisoConexionVisto aviso;
    QVERIFY_THROWS_EXCEPTION(ui::ProgramEnded,
                             arrancar(QStringLiteral("@Server=%1;@DbName=conta;@Usuario=sa;@Password=clave;").arg(servidor)));
    const qint64 fin = aviso.Transcurrido();

    QVERIFY2(aviso.vistoA >= 0 && aviso.vistoA < 1000, qPrintable(QString::number(aviso.vistoA)));
    QVERIFY2(aviso.texto.contains(servidor) && aviso.texto.contains(QStringLiteral("conta")), qPrintable(aviso.texto));
    QVERIFY2(fin >= 1500 && fin < 10000, qPrintable(QString::number(fin)));   // the station's 2 s, not 15
    QVERIFY(d.verifyDone());
    QCOMPARE(d.log().size(), 2);   // the retry question, then the end
    QVERIFY2(d.log().first().text.contains(QStringLiteral("no respondió en 2 segundos")), qPrintable(d.log().first().text));
    QCOMPARE(d.log().last().kind, ui::PromptKind::EndProgram);
    QVERIFY(mudo.aceptadas() >= 1);
    // The server road gives statements their time when the connection opens: it was set before.
    QCOMPARE(gDB().gCnn.CommandTimeout, 360);
}
