#include "AnchosColumnas.h"

#include "platform/suite/Windows1252.h"

#include <QDir>
#include <QFile>
#include <QStringList>

namespace lookup {
namespace {

struct LineaAnchos {
    QString tabla;
    QString anchos;
};

// One line of the sequential write format: two fields, each quoted or bare, separated by a comma.
LineaAnchos partirLinea(const QString& linea)
{
    QStringList campos;
    qsizetype i = 0;
    while (i <= linea.size() && campos.size() < 2) {
        while (i < linea.size() && linea.at(i) == QLatin1Char(' '))
            ++i;
        QString campo;
        if (i < linea.size() && linea.at(i) == QLatin1Char('"')) {
            const qsizetype cierre = linea.indexOf(QLatin1Char('"'), i + 1);
            const qsizetype fin = cierre < 0 ? linea.size() : cierre;
            campo = linea.mid(i + 1, fin - i - 1);
            i = linea.indexOf(QLatin1Char(','), fin);
        } else {
            const qsizetype coma = linea.indexOf(QLatin1Char(','), i);
            campo = linea.mid(i, coma < 0 ? -1 : coma - i).trimmed();
            i = coma;
        }
        campos << campo;
        if (i < 0)
            break;
        ++i;
    }
    while (campos.size() < 2)
        campos << QString();
    return {campos.at(0), campos.at(1)};
}

QString escribirLinea(const QString& tabla, const QString& anchos)
{
    return QLatin1Char('"') + tabla + QStringLiteral("\",\"") + anchos + QStringLiteral("\"\r\n");
}

QList<LineaAnchos> leerLineas(const QString& archivo)
{
    QList<LineaAnchos> lineas;
    QFile f(archivo);
    if (!f.open(QIODevice::ReadOnly))
        return lineas;
    const QString texto = suite::fromWindows1252(f.readAll());
    for (QString linea : texto.split(QLatin1Char('\n'))) {
        if (linea.endsWith(QLatin1Char('\r')))
            linea.chop(1);
        if (!linea.trimmed().isEmpty())
            lineas << partirLinea(linea);
    }
    return lineas;
}

bool leerNumero(const QString& texto, double* valor)
{
    bool ok = false;
    *valor = QString(texto.trimmed()).replace(QLatin1Char(','), QLatin1Char('.')).toDouble(&ok);
    return ok;
}

} // namespace

QString ArchivoAnchosEn(const QString& carpeta)
{
    const QDir dir(carpeta);
    const QStringList existentes = dir.entryList({kArchivoAnchos}, QDir::Files);   // matched without regard to case
    return dir.filePath(existentes.isEmpty() ? kArchivoAnchos : existentes.constFirst());
}

QString ClaveAnchos(const QString& tabla)
{
    if (tabla.compare(QLatin1String("Stk_ma_articulos"), Qt::CaseInsensitive) == 0)
        return QStringLiteral("VT_MA_ARTICULOS");
    return tabla;
}

QList<double> LeerAnchos(const QString& archivo, const QString& tabla)
{
    QList<double> anchos;
    for (const LineaAnchos& linea : leerLineas(archivo)) {
        if (linea.tabla.compare(tabla, Qt::CaseInsensitive) != 0)
            continue;
        QString resto = linea.anchos;
        for (int c = 0;; ++c) {
            const qsizetype barra = resto.indexOf(QLatin1Char('|'));
            double w = 0;
            if (barra < 0 || !leerNumero(resto.left(barra), &w))
                break;
            if (c < anchos.size())
                anchos[c] = w;
            else
                anchos << w;
            resto.remove(0, barra + 1);
        }
    }
    return anchos;
}

bool GrabarAnchos(const QString& carpeta, const QString& tabla, const QList<double>& anchos, QString* error)
{
    const QDir dir(carpeta);
    const QString archivo = ArchivoAnchosEn(carpeta);
    const QString auxiliar = dir.filePath(kArchivoAnchosAux);
    QString texto;
    for (const LineaAnchos& linea : leerLineas(archivo))
        if (linea.tabla.compare(tabla, Qt::CaseInsensitive) != 0)
            texto += escribirLinea(linea.tabla, linea.anchos);
    QString lista;
    for (double w : anchos)
        lista += QString::number(float(w), 'g', 7) + QLatin1Char('|');
    texto += escribirLinea(tabla, lista);

    QFile aux(auxiliar);
    if (!aux.open(QIODevice::WriteOnly | QIODevice::Truncate) || aux.write(suite::toWindows1252(texto)) < 0 || !aux.flush()) {
        if (error)
            *error = aux.errorString();
        return false;
    }
    aux.close();
    if (QFile::exists(archivo) && !QFile::remove(archivo)) {
        if (error)
            *error = QStringLiteral("No se pudo reemplazar ") + archivo;
        return false;
    }
    if (!QFile::rename(auxiliar, archivo)) {
        if (error)
            *error = QStringLiteral("No se pudo renombrar ") + auxiliar;
        return false;
    }
    return true;
}

} // namespace lookup
