#include "StoreRows.h"

#include "Filas.h"
#include "platform/suite/base/Conversiones.h"

#include <array>

namespace conciliacion {

namespace {

// The texts of one column's last few values. A text read from the database is shared already; a date or a
// number is formatted anew for every value, so a value met again gives back the text made for it. A column
// whose values rarely repeat (a line number) stops looking.
class TextosRepetidos {
public:
    QString Texto(const ado::Variant& valor)
    {
        const ado::VarType tipo = valor.type();
        if (!m_mirar || tipo == ado::VarType::String)
            return suite::Conversiones::TextoCampo(valor);
        // The value of the line before first: lines in journal order repeat it most.
        for (size_t k = 0; k < m_entradas.size(); ++k) {
            const size_t j = (m_ultima + k) % m_entradas.size();
            const Entrada& e = m_entradas[j];
            if (e.tipo == tipo && e.valor == valor) {
                ++m_aciertos;
                m_ultima = j;
                return e.texto;
            }
        }
        QString texto = suite::Conversiones::TextoCampo(valor);
        m_ultima = m_siguiente++ % m_entradas.size();
        m_entradas[m_ultima] = {tipo, valor, texto};
        if (++m_fallos > 64 && m_fallos > 4 * m_aciertos)
            m_mirar = false;
        return texto;
    }

private:
    struct Entrada {
        ado::VarType tipo = ado::VarType::Empty;
        ado::Variant valor;
        QString texto;
    };
    std::array<Entrada, 8> m_entradas;
    size_t m_siguiente = 0;
    size_t m_ultima = 0;
    qint64 m_aciertos = 0;
    qint64 m_fallos = 0;
    bool m_mirar = true;
};

} // namespace

void AgregarFilasDeLineas(const ado::RowSet& datos, Lado lado, bool incluirMarcadas, WorkbenchRows& filas)
{
    const sql::Filas f(datos);
    const DescripcionLado& d = Describir(lado);
    const int id = f.Columna(QStringLiteral("ID"));
    const int importe = f.Columna(QStringLiteral("IMPORTE"));
    const int marca = f.Columna(d.marca);
    // The text columns in the order of the row's members below.
    enum { fecha, vencimiento, tc, comprobante, concepto, secuencia, mes, asiento, periodo, tipoReg, vinculo,
           tcOrigen, cpteOrigen, cantidad };
    const std::array<QString, cantidad> nombres = {
        QStringLiteral("FECHAMOV"),      QStringLiteral("VENCIMIENTO"), QStringLiteral("TC"),
        QStringLiteral("COMPROBANTE"),   QStringLiteral("CONCEPTO"),    QStringLiteral("SECUENCIA"),
        QStringLiteral("MES_OPERATIVO"), QStringLiteral("NUMERO ASIENTO"), QStringLiteral("PERIODO"),
        QStringLiteral("TIPO_REG"),      d.vinculo,                     QStringLiteral("TC_ORIGEN"),
        QStringLiteral("CPTE_ORIGEN")};
    std::array<int, cantidad> columna{};
    for (int c = 0; c < cantidad; ++c)
        columna[size_t(c)] = f.Columna(nombres[size_t(c)]);
    std::array<TextosRepetidos, cantidad> textos;
    const auto texto = [&](qsizetype i, int c) { return textos[size_t(c)].Texto(f.Valor(i, columna[size_t(c)])); };

    for (qsizetype i = 0; i < f.Cantidad(); ++i) {
        const bool marcada = f.Verdad(i, marca);
        if (marcada && !incluirMarcadas)
            continue;
        WorkbenchRow& r = filas.emplace_back();
        r.Fecha = texto(i, fecha);
        r.Vencimiento = texto(i, vencimiento);
        r.TC = texto(i, tc);
        r.Comprobante = texto(i, comprobante);
        const ado::Variant& monto = f.Valor(i, importe);
        r.Importe = monto.isNull() || monto.isEmpty() ? ado::Currency() : monto.toCurrency();
        r.Concepto = texto(i, concepto);
        r.ID = f.Entero(i, id);
        r.Diario = TextosDiario({texto(i, secuencia), texto(i, mes), texto(i, asiento), texto(i, periodo),
                                 texto(i, tipoReg), texto(i, tcOrigen), texto(i, cpteOrigen)});
        r.ConciliadoCon = texto(i, vinculo);
        r.Checked = marcada;
    }
}

WorkbenchRows FilasDeLineas(const ado::RowSet& datos, Lado lado, bool incluirMarcadas)
{
    WorkbenchRows filas;
    filas.reserve(size_t(datos.rows.size()));
    AgregarFilasDeLineas(datos, lado, incluirMarcadas, filas);
    return filas;
}

} // namespace conciliacion
