#pragma once
// A folder of one window's own for the pages it writes, so that no other window, of this program or of another
// one running at the same time for the same user, can overwrite or delete them: the pages keep their fixed
// names ("BSC01.htm", "Style.css"...) inside it.
//
// The folders of one process sit in the process's folder "p<pid>-XXXXXX" inside the user's private temporary
// folder, made exclusively (like mkdtemp) with mode 0700, and held locked (flock) while the process lives; each
// window's folder inside it is "v<n>", n counting up in the process. A window's folder goes when the window lets
// it go; the process's folder when the program ends. The first window of a process also removes the folders
// that processes which no longer exist left behind (a crash, a kill): one is removed only when nobody holds its
// lock and no process with its number is running, so a live process's folder is never touched.

#include <QString>

namespace suite {

class CarpetaDeVentana {
public:
    // No folder yet.
    CarpetaDeVentana() = default;
    // Makes a window's folder inside `privada`, the user's private temporary folder (base/CarpetaTemporalPrivada.h).
    // Raises ado::Error (number 75) naming the folder and the fault when it cannot be made.
    explicit CarpetaDeVentana(const QString& privada);
    ~CarpetaDeVentana();
    CarpetaDeVentana(CarpetaDeVentana&& otra) noexcept;
    CarpetaDeVentana& operator=(CarpetaDeVentana&& otra) noexcept;
    CarpetaDeVentana(const CarpetaDeVentana&) = delete;
    CarpetaDeVentana& operator=(const CarpetaDeVentana&) = delete;

    // The folder, ending in "/"; "" when there is none.
    const QString& Ruta() const { return m_ruta; }
    bool Existe() const { return !m_ruta.isEmpty(); }
    // Removes the folder and what is in it now.
    void Borrar();

private:
    QString m_ruta;
    long m_pid = 0;   // the process that made it, the only one that removes it
};

// The folder of this process's windows inside `privada`, made (and the leftovers of dead processes removed) on
// first use; ends in "/".
QString CarpetaDelProceso(const QString& privada);

// Removes from `privada` the process folders whose processes no longer exist; leaves every other entry alone.
void BorrarCarpetasAbandonadas(const QString& privada);

// Removes this process's folders now, with every window's folder in them (the program's end does it too).
void BorrarCarpetasDelProceso();

} // namespace suite
