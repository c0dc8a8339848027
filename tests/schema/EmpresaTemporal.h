#pragma once
// A company file for one test program: written into a temporary folder that the program takes as its home
// (CONCCUENTAS_HOME), either the schema with rows of the test's own or the demo company the program ships, and
// the launch text that opens it as one user. Each program's test company builds on this one.

#include "schema/DemoDatabase.h"

#include <QLocale>
#include <QStringList>
#include <QTemporaryDir>
#include <QTest>
#include <functional>

class EmpresaTemporal {
public:
    QTemporaryDir carpeta;
    QString archivo;
    QString lanzamiento;

protected:
    // The schema with these rows, opened as that user.
    bool escribirConFilas(const QStringList& filas, const QString& usuario)
    {
        return escribir(usuario, [&](const QString& base, QString* error) {
            return schema::CreateDatabaseWithRows(base, filas, error);
        });
    }

    // The demo company (with the benchmark account's lines when the options ask for them), opened as that user.
    bool escribirDemo(const QString& usuario, const schema::Options& opciones = {})
    {
        return escribir(usuario, [&](const QString& base, QString* error) {
            return schema::CreateCompanyDatabase(base, opciones, error);
        });
    }

private:
    bool escribir(const QString& usuario, const std::function<bool(const QString&, QString*)>& crearBase)
    {
        // The tests read numbers and dates as the program writes them, whatever the machine's locale.
        QLocale::setDefault(QLocale::c());
        if (!carpeta.isValid())
            return false;
        qputenv("CONCCUENTAS_HOME", carpeta.path().toUtf8());
        archivo = carpeta.filePath(QStringLiteral("empresa.db"));
        QString error;
        if (!crearBase(archivo, &error)) {
            qWarning("%s", qPrintable(error));
            return false;
        }
        lanzamiento = QStringLiteral("@Server=sqlite;@DbName=%1;@Usuario=%2;@Password=;").arg(archivo, usuario);
        return true;
    }
};
