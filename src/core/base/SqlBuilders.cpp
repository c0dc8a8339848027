#include "SqlBuilders.h"

#include "data/base/SqlText.h"
#include "data/base/ValorSql.h"
#include "platform/ado/Variant.h"

#include <exception>

namespace ModGlobal {

QVector<CampoValor> gCampos;

void AgregarCampo(const QString& Campo, const QString& Valor, const QString& Tipo, bool Nuevo)
{
    if (Nuevo || gCampos.isEmpty())
        gCampos = QVector<CampoValor>(1);
    else
        gCampos.append(CampoValor{});
    CampoValor& ultimo = gCampos.last();
    ultimo.Campo = Campo;
    ultimo.Valor = Valor.compare(QLatin1String("NULL"), Qt::CaseInsensitive) == 0
        ? QStringLiteral("Null") : sqltext::ValorSQL(ado::Variant(Valor), Tipo);
}

void ArmarSQL(QString& Sentencia, QVector<CampoValor>& Campos, const QString& Tabla, bool EsUpdate,
              QString& Condicion, bool ConservarCampos)
{
    if (EsUpdate) {
        QString lista;
        for (qsizetype i = 0; i < Campos.size(); ++i) {
            lista += Campos[i].Campo + QStringLiteral(" = ") + Campos[i].Valor;
            if (i < Campos.size() - 1)
                lista += QLatin1Char(',');
        }
        if (!Condicion.contains(QLatin1String("WHERE"), Qt::CaseInsensitive))
            Condicion = QStringLiteral(" WHERE ") + Condicion;
        Sentencia += QStringLiteral("UPDATE ") + Tabla + QStringLiteral(" SET ") + lista + QLatin1Char(' ') + Condicion;
    } else {
        QString campos = QStringLiteral("(");
        QString valores = QStringLiteral(" VALUES (");
        for (qsizetype i = 0; i < Campos.size(); ++i) {
            const QChar cierre = i < Campos.size() - 1 ? QLatin1Char(',') : QLatin1Char(')');
            campos += Campos[i].Campo + cierre;
            valores += Campos[i].Valor + cierre;
        }
        Sentencia += QStringLiteral("INSERT INTO ") + Tabla + QLatin1Char(' ') + campos + valores;
    }
    if (!ConservarCampos)
        Campos = QVector<CampoValor>(1);
}

QString ArmarCondicion(const QString& Campo, const QString& Operador, const QStringList& Valores,
                       const QString& Conector, const QString& Comilla, const ado::Variant& IncluirNulos,
                       bool OmitirVacios)
{
    if (Valores.isEmpty())
        return QStringLiteral("1=1");
    try {
        // Between single quotes a value's own quotes are doubled, so that a code like O'Higgins stays one value.
        const bool entreComillas = Comilla == QLatin1String("'");
        auto termino = [&](const QString& valor) {
            return Campo + Operador + (entreComillas ? sqltext::Entrecomillar(valor) : Comilla + valor + Comilla);
        };
        QString resultado = termino(Valores.first());
        for (qsizetype i = 1; i < Valores.size(); ++i) {
            if (!OmitirVacios || !Valores[i].trimmed().isEmpty())
                resultado += Conector + termino(Valores[i]);
        }
        if (!IncluirNulos.isNull() && !IncluirNulos.isEmpty() && IncluirNulos.toBool())
            resultado += Conector + Campo + QStringLiteral(" is null ");
        return resultado;
    } catch (const std::exception&) {
        return QStringLiteral("1=1");
    }
}

void Separar(QString& Texto, const QString& Delimitador, QStringList& Partes)
{
    Partes = QStringList{QString()};
    while (!Texto.isEmpty()) {
        const qsizetype pos = Delimitador.isEmpty() ? -1 : Texto.indexOf(Delimitador, 0, Qt::CaseInsensitive);
        if (pos < 0) {
            Partes.last() = Texto;
            Texto.clear();
        } else {
            Partes.last() = Texto.left(pos);
            Texto.remove(0, pos + Delimitador.size());
        }
        Partes.append(QString());
    }
}

} // namespace ModGlobal
