#pragma once
// The station (`gForm`): who and where the program runs, and the windows it has opened.

#include <QList>
#include <QPointer>
#include <QString>
#include <QWidget>

namespace suite {

class Estacion {
public:
    // The station's two identity texts, upper case: the host name and the login name.
    static QString NombreEstacion();
    static QString UsuarioEstacion();
    // A per-user folder under the system temporary folder, created private to the user when missing, ending in
    // "/". A folder, link or file of that name that is not this user's own folder raises ui::ErrorInfo saying so.
    static QString CarpetaTemporal();

    // Keeps the window in the station's list while it lives.
    void RegistrarFormulario(QWidget* formulario);
    QList<QWidget*> FormulariosRegistrados() const;

private:
    QList<QPointer<QWidget>> m_formularios;
};

} // namespace suite
