#include "SuitePrograms.h"

#include "Globals.h"
#include "LaunchString.h"
#include "data/DB_Dll.h"
#include "platform/ado/Error.h"
#include "platform/ui/Routine.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QProcess>

namespace ModGlobal {

namespace {

constexpr qint64 kArchivoNoEncontrado = 53;

// A file of the folder whose name matches without regard to case, also without a ".exe" ending; empty when
// there is none.
QString buscarEnCarpeta(const QString& carpeta, const QString& nombre)
{
    const QDir dir(carpeta);
    QStringList candidatos{nombre};
    if (nombre.endsWith(QLatin1String(".exe"), Qt::CaseInsensitive))
        candidatos << nombre.chopped(4);
    for (const QString& candidato : candidatos)
        if (QFileInfo(dir.filePath(candidato)).isFile())
            return dir.filePath(candidato);
    const QStringList archivos = dir.entryList(QDir::Files);
    for (const QString& candidato : candidatos)
        for (const QString& archivo : archivos)
            if (archivo.compare(candidato, Qt::CaseInsensitive) == 0)
                return dir.filePath(archivo);
    return QString();
}

} // namespace

QString CadenaLanzamientoActual(const QString& ParametroAdicional)
{
    const DB_Dll& db = gDB();
    ParametrosLanzamiento p;
    p.Servidor = db.EsOracle() && !db.gServidor.contains(QLatin1Char('#')) ? QLatin1Char('#') + db.gServidor
                                                                            : db.gServidor;
    p.DbName = db.gDBName;
    p.Usuario = db.gUsuario;
    p.Password = db.gUserPassWord;
    p.ParametroAdicional = ParametroAdicional;
    p.UsuarioLogeado = gUsuarioLogeado;
    p.Caja = gCaja;
    return ArmarCadenaLanzamiento(p);
}

ProgramaAIniciar ProgramaDeDireccion(const QString& Direccion, const QString& carpetaProgramas)
{
    const QString texto = Direccion.mid(6);
    QStringList partes = QProcess::splitCommand(texto);
    ProgramaAIniciar r;
    if (partes.isEmpty())
        return r;
    r.programa = partes.takeFirst();
    r.argumentos = partes;
    // A program named with a folder separator is named by path; any other is beside this program. A separator
    // in an argument says nothing of where the program is.
    if (!r.programa.contains(QLatin1Char('\\')) && !r.programa.contains(QLatin1Char('/'))) {
        const QString encontrado = buscarEnCarpeta(carpetaProgramas, r.programa);
        // Not there: named by that folder all the same, so the failed start says where it was looked for.
        r.programa = encontrado.isEmpty() ? QDir(carpetaProgramas).filePath(r.programa) : encontrado;
    }
    return r;
}

QString CarpetaProgramasSuite()
{
    return QCoreApplication::applicationDirPath();
}

QString ProgramaDeLaSuite(const QString& nombre)
{
    return buscarEnCarpeta(CarpetaProgramasSuite(), nombre);
}

void MenuExes(const QString& Direccion, const QString& ParametroAdicional, qint64& IdTarea)
{
    const ProgramaAIniciar inicio = ProgramaDeDireccion(Direccion, CarpetaProgramasSuite());
    IniciarPrograma(inicio.programa, inicio.argumentos, ParametroAdicional, IdTarea);
}

void IniciarPrograma(const QString& programa, const QStringList& argumentos, const QString& ParametroAdicional,
                     qint64& IdTarea)
{
    ui::Routine rutina(QStringLiteral("MenuExes"), gDB().ConTratamientoErrores());
    QString lanzamiento;
    rutina.steps({
        [&] { lanzamiento = CadenaLanzamientoActual(ParametroAdicional); },
        [&] {
            qint64 pid = 0;
            if (programa.isEmpty()
                || !QProcess::startDetached(programa, argumentos + QStringList{lanzamiento}, QString(), &pid))
                throw ado::Error(kArchivoNoEncontrado, QStringLiteral("No se pudo iniciar el programa: %1")
                                                           .arg(QDir::toNativeSeparators(programa)));
            IdTarea = pid;
        },
        [&] {
            if (IdTarea == 0)
                ui::dialogs().MsgBox(QStringLiteral("Opcion no Implementada!") + QLatin1Char('\r')
                                         + QStringLiteral("Comuniquese con su proveedor de sistemas"),
                                     ui::vbCritical + ui::vbOKOnly, QStringLiteral("Atención"));
        },
    });
}

} // namespace ModGlobal
