#pragma once
// A company file of the embedded engine holding one table of notes (kFilas of them unless told), written and
// closed (nothing beside it), and what the tests of the company file look at: the files of its folder, its
// bytes, its rows.

#include "SqliteFixture.h"
#include "platform/ado/Connection.h"
#include "platform/ado/Recordset.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <sys/stat.h>

class EmpresaDeNotas {
public:
    static constexpr int kFilas = 400;

    explicit EmpresaDeNotas(int filas = kFilas)
    {
        if (!m_fixture.ok())
            return;
        ado::Connection cn;
        cn.Open(m_fixture.connectionText());
        cn.Execute(QStringLiteral("CREATE TABLE NOTAS (ID INTEGER PRIMARY KEY, TEXTO VARCHAR(2000))"));
        cn.BeginTrans();
        for (int i = 1; i <= filas; ++i)
            cn.ExecuteBound(QStringLiteral("INSERT INTO NOTAS (ID, TEXTO) VALUES (?, ?)"),
                            {ado::Variant(qint64(i)), ado::Variant(QString(200, QChar(u'a' + i % 26)))});
        cn.CommitTrans();
        cn.Close();
        m_ok = true;
    }

    // The folder is given back to its owner alone, whatever a test opened it to, so that it can be removed.
    ~EmpresaDeNotas() { ::chmod(QFile::encodeName(carpeta()).constData(), 0700); }
    EmpresaDeNotas(const EmpresaDeNotas&) = delete;
    EmpresaDeNotas& operator=(const EmpresaDeNotas&) = delete;

    bool ok() const { return m_ok; }
    QString path() const { return m_fixture.path(); }
    QString carpeta() const { return QFileInfo(path()).absolutePath(); }

private:
    SqliteFixture m_fixture;
    bool m_ok = false;
};

inline QString textoDe(const QString& archivo)
{
    return QStringLiteral("PROVIDER=SQLOLEDB;Server=sqlite;Database =%1;UId=sa;Pwd=;").arg(archivo);
}

inline qint64 filas(ado::Connection& cn)
{
    ado::Recordset rs;
    rs.Open(QStringLiteral("SELECT COUNT(*) AS N FROM NOTAS"), &cn);
    return rs.Fields(QStringLiteral("N")).Value().toLong();
}

// Adds `cuantas` notes after the last one, in one transaction.
inline void agregar(ado::Connection& cn, int cuantas)
{
    cn.BeginTrans();
    for (int i = 0; i < cuantas; ++i)
        cn.Execute(QStringLiteral("INSERT INTO NOTAS (ID, TEXTO) SELECT MAX(ID) + 1, 'nueva' FROM NOTAS"));
    cn.CommitTrans();
}

inline QStringList archivosEn(const QString& carpeta)
{
    return QDir(carpeta).entryList(QDir::Files | QDir::Hidden, QDir::Name);
}

inline QByteArray leer(const QString& ruta)
{
    QFile f(ruta);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

inline bool modo(const QString& ruta, mode_t permisos)
{
    return ::chmod(QFile::encodeName(ruta).constData(), permisos) == 0;
}
