#pragma once
// A fresh copy of the demo company database for each test, the program folder (and so the error log) in the
// same temporary folder, and the statements the connection sent.

#include "data/DB_Dll.h"
#include "platform/sqlite/TsqlCompat.h"
#include "schema/DemoDatabase.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

class BaseDePrueba {
public:
    // The company schema with a few rows of its own, made once per test program.
    static QString Plantilla()
    {
        static QTemporaryDir dir;
        static const QString archivo = [] {
            const QString f = dir.filePath(QStringLiteral("plantilla.db"));
            QString error;
            if (!schema::CreateEmptyDatabase(f, &error))
                qFatal("company database: %s", qPrintable(error));
            ado::Connection cnn;
            cnn.Open(QStringLiteral("Provider=SQLOLEDB;Server=sqlite;Database=") + f);
            cnn.Execute(QStringLiteral(
                "INSERT INTO ta_usuarios (nombre, Administrador) VALUES ('admin', 1), ('operador', 0), ('otro', 2);"
                "INSERT INTO MA_CUENTAS (Codigo, CodigoOpcional, Descripcion, Titulo) VALUES "
                "('1', '1', 'ACTIVO', 1), ('11', '11', 'ACTIVO CORRIENTE', 1), "
                "('1101', 'B1', 'Banco cuenta corriente', 0), ('1102', NULL, 'Caja', 0)"));
            return f;
        }();
        return archivo;
    }

    BaseDePrueba()
    {
        archivo = dir.filePath(QStringLiteral("empresa.db"));
        QFile::copy(Plantilla(), archivo);
        qputenv("CONCCUENTAS_HOME", dir.path().toUtf8());
    }

    // Opens the connection as the start-up road does, as `usuario`, and records its statements from then on.
    void Abrir(DB_Dll& db, const QString& usuario)
    {
        db.gServidor = QStringLiteral("sqlite");
        db.gDBName = archivo;
        db.gUsuario = usuario;
        db.OpenServerADODB(false, 3, QString(), true);
        QVERIFY(db.gCnn.State() == ado::adStateOpen);
        db.gCnn.setStatementLog([this](const QString& s) { sentencias << s; });
    }

    // The text the embedded engine receives for a statement the program wrote.
    static QString Enviada(const QString& sql)
    {
        QStringList partes;
        for (const QString& parte : sqlcompat::SplitBatch(sql))
            partes << sqlcompat::Rewrite(parte);
        return partes.join(QLatin1Char('\n'));
    }

    QString Log() const
    {
        QFile f(dir.filePath(QStringLiteral("QXERR.LOG")));
        return f.open(QIODevice::ReadOnly) ? QString::fromLatin1(f.readAll()) : QString();
    }

    QTemporaryDir dir;
    QString archivo;
    QStringList sentencias;
};
