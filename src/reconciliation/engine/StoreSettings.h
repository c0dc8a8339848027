#pragma once
// The comparison settings of an account: which list columns "Comparar" compares and its amount tolerance,
// stored in the configuration table under "CONCCTAS_CFG" and the account, group "DATOS". The value is six
// digits, the boxes Fecha, Vencimiento, TC, Comprobante, Importe and Concepto in that order, followed at once
// by the tolerance as typed: "0000100" is Importe alone with tolerance 0.

#include <QString>
#include <array>

namespace conciliacion {

enum CampoComparado { cmpFecha, cmpVencimiento, cmpTC, cmpComprobante, cmpImporte, cmpConcepto, kCamposComparados };

struct ConfiguracionComparacion {
    std::array<int, kCamposComparados> campos{};   // each box's value: 0 clear, 1 checked (2 greyed)
    QString tolerancia = QStringLiteral("0");        // the tolerance text as typed or stored
    bool completa = true;                            // a stored value began with six box digits
};

// "CONCCTAS_CFG" and the account, trimmed (so writer and reader name the same row).
QString ClaveConfiguracion(const QString& cuenta);
// The stored value of the settings.
QString ValorConfiguracion(const ConfiguracionComparacion& cfg);
// A stored value read back: each of the first six characters a box value, the rest the tolerance text. A
// blank value clears every box and leaves the tolerance as read. A character that is no box value ends the
// boxes there (those left stay clear, `completa` is false) and begins the tolerance text.
ConfiguracionComparacion LeerValorConfiguracion(const QString& valor);

// The account's settings from the configuration table; the amount is always compared, so Importe comes back
// checked whatever was stored.
ConfiguracionComparacion LeerConfiguracion(const QString& cuenta);
// Stores the account's settings; true only when the row was written (the configuration writer has already
// reported a failure to the operator).
bool GrabarConfiguracion(const QString& cuenta, const ConfiguracionComparacion& cfg);

} // namespace conciliacion
