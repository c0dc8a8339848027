#pragma once
// This program instance's hold on a reconciliation, beside the lock row in the database. The lock row names
// the station and the user, which two instances started by the same user on the same station share; this
// hold tells them apart, so that the second one neither opens the reconciliation unknowingly nor releases
// the first one's lock row. It lives in a lock file of the station's temporary folder: a hold left by an
// instance that ended without releasing it (a crash) is taken over, so its user can open the reconciliation
// again on that station. The lock files live in the user's private temporary folder of the station
// (platform/suite/base/CarpetaTemporalPrivada.h).

#include <QString>
#include <memory>

class QLockFile;

namespace conciliacion {

class BloqueoDeInstancia {
public:
    BloqueoDeInstancia();
    ~BloqueoDeInstancia();
    BloqueoDeInstancia(const BloqueoDeInstancia&) = delete;
    BloqueoDeInstancia& operator=(const BloqueoDeInstancia&) = delete;

    // Takes the hold of this key (giving back the one held before); false while another running instance
    // holds it. A hold that cannot be written (a temporary folder that breaks the rule, or a lock file that
    // cannot be written) raises ado::Error naming the folder and why.
    bool Tomar(const QString& clave);
    void Soltar();
    bool Tomado() const { return m_archivo != nullptr; }

private:
    std::unique_ptr<QLockFile> m_archivo;
};

// One text for one database, whichever name opened it: the file itself (device and file number) of an
// embedded company, the server and database names without regard to case otherwise.
QString IdentidadBaseDeDatos(const QString& servidor, const QString& baseDeDatos);

// The key of a reconciliation's hold: the database (IdentidadBaseDeDatos), the number and the lock row's owner
// text.
QString ClaveDeBloqueo(const QString& baseDeDatos, qint64 numero, const QString& propietario);

} // namespace conciliacion
