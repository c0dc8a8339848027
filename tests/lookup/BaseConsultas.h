#pragma once
// The demo company database in a temporary program folder, opened by the start-up road with the lookup hook
// installed, as the program starts. The data-access object connects once per process, so each test
// executable makes one of these.

#include "core/Startup.h"
#include "data/DB_Dll.h"
#include "lookup/InstalacionConsultas.h"
#include "lookup/Lib_ClsCons3.h"
#include "platform/ui/ScriptedDialogs.h"
#include "schema/DemoDatabase.h"

#include <QTemporaryDir>
#include <QTest>

struct BaseConsultas {
    QTemporaryDir carpeta;
    QString archivo;

    bool iniciar()
    {
        if (!carpeta.isValid())
            return false;
        qputenv("CONCCUENTAS_HOME", carpeta.path().toUtf8());
        archivo = carpeta.filePath(QStringLiteral("empresa.db"));
        QString error;
        if (!schema::CreateCompanyDatabase(archivo, schema::Options{}, &error)) {
            qWarning("%s", qPrintable(error));
            return false;
        }
        lookup::InstallHook();
        ui::ScriptedDialogs sinPreguntas;
        QString conexion;
        ModGlobal::Inicializar(false,
                               QStringLiteral("@Server=sqlite;@DbName=%1;@Usuario=%2;@Password=;")
                                   .arg(archivo, QString::fromLatin1(schema::kAdminUser)),
                               conexion, 3);
        return sinPreguntas.verifyDone() && gDB().gCnn.State() == ado::adStateOpen;
    }

    void ejecutar(const QString& sql) const { gDB().gCnn.Execute(sql); }

    // The first column of the first row of a query.
    QString valor(const QString& sql) const
    {
        ado::Recordset rs;
        rs.Open(sql, &gDB().gCnn);
        return rs.EOF() ? QString() : rs.Fields(0).Value().toText();
    }

    QString archivoEnCarpeta(const QString& nombre) const { return carpeta.filePath(nombre); }
};
