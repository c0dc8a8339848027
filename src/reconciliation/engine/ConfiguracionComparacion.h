#pragma once
// The comparison settings of an account: which list columns "Comparar" compares and its amount tolerance,
// stored in the configuration table under "CONCCTAS_CFG" and the account, group "DATOS". The value is six
// digits, the fields Fecha, Vencimiento, TC, Comprobante, Importe and Concepto in that order, followed at once
// by the tolerance as typed: "0000100" is Importe alone with tolerance 0.

#include <QString>
#include <array>

namespace conciliacion {

enum CampoComparado { cmpFecha, cmpVencimiento, cmpTC, cmpComprobante, cmpImporte, cmpConcepto, kCamposComparados };

struct ConfiguracionComparacion {
    std::array<int, kCamposComparados> campos{};   // each field's value: 0 off, 1 on (2 undecided)
    QString tolerancia = QStringLiteral("0");        // the tolerance text as typed or stored
    bool completa = true;                            // a stored value began with six field digits
};

// "CONCCTAS_CFG" and the account, trimmed (so writer and reader name the same row).
QString ClaveConfiguracion(const QString& cuenta);
// The stored value of the settings.
QString ValorConfiguracion(const ConfiguracionComparacion& cfg);
// A stored value read back: each of the first six characters a field value, the rest the tolerance text. A
// blank value clears every field and leaves the tolerance as read. A character that is no field value ends the
// fields there (those left stay clear, `completa` is false) and begins the tolerance text.
ConfiguracionComparacion LeerValorConfiguracion(const QString& valor);

// The store reads and writes them (ReconciliationStore::LeerConfiguracion, GrabarConfiguracion, in
// StoreSettings.cpp).

} // namespace conciliacion
