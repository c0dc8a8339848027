// Where the golden pages the report tests compare with are: the folder CONC_REPORT_GOLDEN names (the build sets
// it for the tests that compare, to tests/report/golden). A test run without it says so by name, rather than
// report a page that differs from nothing.
#pragma once

#include <QFileInfo>
#include <QString>

// The golden file `modelo`'s path; an empty path, with `falta` saying what is missing, when the variable is not
// set or (with `debeExistir`) the folder holds no such file.
inline QString RutaModelo(const QString& modelo, QString& falta, bool debeExistir = true)
{
    const QString carpeta = qEnvironmentVariable("CONC_REPORT_GOLDEN");
    if (carpeta.isEmpty()) {
        falta = QStringLiteral("CONC_REPORT_GOLDEN is not set: it names the folder of the golden pages "
                               "(tests/report/golden); run the test through ctest, or set it");
        return {};
    }
    const QString ruta = carpeta + QLatin1Char('/') + modelo;
    if (debeExistir && !QFileInfo::exists(ruta)) {
        falta = QStringLiteral("no golden file %1 in the folder CONC_REPORT_GOLDEN names (%2)").arg(modelo, carpeta);
        return {};
    }
    return ruta;
}
