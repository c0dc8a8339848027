#include "LaunchString.h"

namespace ModGlobal {

std::optional<QString> LeerParametro(const QString& texto, const QString& nombre)
{
    const QString buscado = nombre.trimmed();
    const QStringList items = texto.split(QLatin1Char(';'));
    for (const QString& item : items) {
        const qsizetype igual = item.indexOf(QLatin1Char('='));
        if (igual < 0)
            continue;
        if (item.left(igual).trimmed().compare(buscado, Qt::CaseInsensitive) == 0)
            return item.mid(igual + 1).trimmed();
    }
    return std::nullopt;
}

ParametrosLanzamiento LeerParametros(const QString& texto)
{
    ParametrosLanzamiento p;
    auto leer = [&](const char* nombre, QString& destino) {
        if (auto valor = LeerParametro(texto, QLatin1String(nombre)))
            destino = *valor;
    };
    leer("@ParametroAdicional", p.ParametroAdicional);
    leer("@Menu", p.Menu);
    leer("@Server", p.Servidor);
    leer("@DbName", p.DbName);
    leer("@Usuario", p.Usuario);
    leer("@Password", p.Password);
    leer("@UsuarioLogeado", p.UsuarioLogeado);
    leer("@Caja", p.Caja);
    return p;
}

QString ArmarCadenaLanzamiento(const ParametrosLanzamiento& p)
{
    return QStringLiteral(" ; @server=") + p.Servidor + QStringLiteral("; @dbname=") + p.DbName
        + QStringLiteral("; @usuario=") + p.Usuario + QStringLiteral("; @Password=") + p.Password
        + QStringLiteral("; @ParametroAdicional=") + p.ParametroAdicional
        + QStringLiteral("; tesp@ ; @UsuarioLogeado = ") + p.UsuarioLogeado + QStringLiteral("; @Caja=") + p.Caja
        + QStringLiteral(";");
}

QString TextoDeArgumentos(const QStringList& argumentosSinPrograma)
{
    return argumentosSinPrograma.join(QLatin1Char(' '));
}

QString ObtenerServidor(const QString& servidor)
{
    QString nombre = servidor;
    const qsizetype barra = nombre.indexOf(QLatin1Char('/'));
    if (barra >= 0)
        nombre = nombre.mid(barra + 1);
    const qsizetype dosPuntos = nombre.indexOf(QLatin1Char(':'));
    if (dosPuntos >= 0)
        nombre = nombre.left(dosPuntos);
    return nombre;
}

} // namespace ModGlobal
