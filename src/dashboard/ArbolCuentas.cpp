#include "ArbolCuentas.h"

#include <QHash>
#include <QSet>

namespace tablero {

QString ConsultaPlanCuentas(const QString& valorClyPr)
{
    QString v = valorClyPr;
    if (v.trimmed().isEmpty())
        v = QStringLiteral("NO");
    if (v.compare(QLatin1String("NO"), Qt::CaseInsensitive) == 0)
        return QStringLiteral("SELECT CODIGO,DESCRIPCION FROM MA_Cuentas WHERE DADA_DE_BAJA = 0 AND "
                              "(TIPOVISTA <> 'CL' AND TIPOVISTA <> 'PR' OR TIPOVISTA IS NULL) ORDER BY codigo");
    return QStringLiteral("SELECT CODIGO,DESCRIPCION FROM MA_Cuentas WHERE DADA_DE_BAJA = 0 ORDER BY codigo");
}

QVector<NodoCuenta> ArmarNodos(const QVector<FilaCuenta>& filas)
{
    QVector<NodoCuenta> nodos;
    nodos.reserve(filas.size());
    // The tree compares keys without regard to case.
    QSet<QString> claves{QString::fromLatin1(kClaveRaiz).toCaseFolded()};
    QHash<QString, QString> padreDe;   // folded key -> parent key, for climbing
    QString actual = QString::fromLatin1(kClaveRaiz);
    for (const FilaCuenta& fila : filas) {
        NodoCuenta nodo;
        nodo.clave = QString::fromLatin1(kClaveRaiz) + fila.codigo;
        nodo.texto = fila.codigo + QStringLiteral(" - ") + fila.descripcion;
        // Climb while the current node's key is longer; the root (length 1) is never passed.
        while (actual.size() > nodo.clave.size())
            actual = padreDe.value(actual.toCaseFolded(), QString::fromLatin1(kClaveRaiz));
        nodo.padre = actual.size() == nodo.clave.size()
                         ? padreDe.value(actual.toCaseFolded(), QString())
                         : actual;
        const QString plegada = nodo.clave.toCaseFolded();
        nodo.repetida = claves.contains(plegada) || nodo.padre.isEmpty();
        if (!nodo.repetida) {
            claves.insert(plegada);
            padreDe.insert(plegada, nodo.padre);
            actual = nodo.clave;
        }
        nodos.append(nodo);
    }
    return nodos;
}

QString CodigoDeClave(const QString& clave)
{
    return clave.mid(1);
}

} // namespace tablero
