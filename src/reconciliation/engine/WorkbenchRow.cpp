#include "WorkbenchRow.h"

#include "platform/suite/base/Conversiones.h"

#include <QLocale>

namespace conciliacion {

const std::array<DefinicionColumna, kCantidadColumnas> kColumnasLista = {{
    {"", "", 8, false},
    {"Fecha", "Fecha", 10, false},
    {"Vencimiento", "Vencimiento", 10, false},
    {"TC", "TC", 5, false},
    {"Comprobante", "Comprobante", 13, false},
    {"Importe", "Importe", 10, true},
    {"Concepto", "Concepto", 31, false},
    {"ID", "ID", 0, false},
    {"Secuencia", "Secuencia", 0, false},
    {"MesOperativo", "MesOperativo", 0, false},
    {"NroAsiento", "NroAsiento", 0, false},
    {"Periodo", "Periodo", 0, false},
    {"Tipo_Reg", "Tipo_Reg", 0, false},
    {"Conciliado con", "Concilia", 0, false},
    {"Tc_Origen", "Tc_Origen", 8, false},
    {"Cpte_Origen", "Cpte_Origen", 11, false},
}};

TextosDiario::TextosDiario(const std::array<QString, kPartes>& partes)
{
    qsizetype largo = 0;
    for (const QString& p : partes)
        largo += p.size();
    m_texto.reserve(largo);
    for (size_t i = 0; i < partes.size(); ++i) {
        m_texto += partes[i];
        m_fin[i] = quint32(m_texto.size());
    }
}

QString TextosDiario::Texto(Parte parte) const
{
    const quint32 desde = parte == 0 ? 0 : m_fin[size_t(parte) - 1];
    return m_texto.mid(desde, m_fin[size_t(parte)] - desde);
}

ado::Currency ImporteLista(ado::Currency importe)
{
    constexpr qint64 kCentavo = ado::Currency::kScale / 100;
    const qint64 escalado = importe.scaled();
    qint64 centavos = escalado / kCentavo;
    const qint64 resto = escalado % kCentavo;   // same sign as the amount
    if (resto >= kCentavo / 2)
        ++centavos;
    else if (resto <= -kCentavo / 2)
        --centavos;
    return ado::Currency::fromScaled(centavos * kCentavo);
}

QString TextoImporteLista(ado::Currency importe)
{
    const qint64 centavos = ImporteLista(importe).scaled() / (ado::Currency::kScale / 100);
    const quint64 absoluto = centavos < 0 ? quint64(-(centavos + 1)) + 1 : quint64(centavos);
    const QLocale locale;
    const QString digitos = QString::number(absoluto / 100);
    QString entero;
    for (qsizetype i = 0; i < digitos.size(); ++i) {
        if (i > 0 && (digitos.size() - i) % 3 == 0)
            entero += locale.groupSeparator();
        entero += digitos[i];
    }
    const QString texto = (centavos < 0 ? QStringLiteral("-") : QString()) + entero + locale.decimalPoint()
                          + QString::number(absoluto % 100).rightJustified(2, QLatin1Char('0'));
    return suite::Conversiones::AjustarAncho(texto, 14);
}

ado::Currency WorkbenchRow::ImporteMostrado() const
{
    return ImporteLista(Importe);
}

QString WorkbenchRow::Texto(int subItem) const
{
    switch (subItem) {
    case colOrden: return Orden;
    case colFecha: return Fecha;
    case colVencimiento: return Vencimiento;
    case colTC: return TC;
    case colComprobante: return Comprobante;
    case colImporte: return TextoImporteLista(Importe);
    case colConcepto: return Concepto;
    case colID: return QString::number(ID);
    case colSecuencia: return Secuencia();
    case colMesOperativo: return MesOperativo();
    case colNroAsiento: return NroAsiento();
    case colPeriodo: return Periodo();
    case colTipoReg: return Tipo_Reg();
    case colConciliadoCon: return ConciliadoCon;
    case colTcOrigen: return Tc_Origen();
    case colCpteOrigen: return Cpte_Origen();
    default: return {};
    }
}

} // namespace conciliacion
