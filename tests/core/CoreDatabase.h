#pragma once
// A fresh demo company database in a temporary program folder, and the start-up road run on it. The
// data-access object connects once per process, so each test executable uses one of these.

#include "core/Startup.h"
#include "schema/DemoDatabase.h"

#include <QTemporaryDir>
#include <QTest>

struct CoreDatabase {
    QTemporaryDir carpeta;
    QString archivo;

    // Creates the database and makes the temporary folder the program folder.
    bool crear()
    {
        if (!carpeta.isValid())
            return false;
        qputenv("CONCCUENTAS_HOME", carpeta.path().toUtf8());
        archivo = carpeta.filePath(QStringLiteral("empresa demo.db"));
        QString error;
        const bool ok = schema::CreateCompanyDatabase(archivo, schema::Options{}, &error);
        if (!ok)
            qWarning("%s", qPrintable(error));
        return ok;
    }

    QString lanzamiento(const QString& usuario = QString::fromLatin1(schema::kAdminUser)) const
    {
        return QStringLiteral("@Server=sqlite;@DbName=%1;@Usuario=%2;@Password=;").arg(archivo, usuario);
    }

    // Runs the start-up road with the program's usual arguments and this database's launch string.
    void iniciar(const QString& usuario = QString::fromLatin1(schema::kAdminUser)) const
    {
        QString conexion;
        ModGlobal::Inicializar(false, lanzamiento(usuario), conexion, 3);
    }

    QString archivoEnCarpeta(const QString& nombre) const { return carpeta.filePath(nombre); }
};
